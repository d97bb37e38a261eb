// The live pipeline as the booth runs it: test camera at 640 x 480 and 30
// frames per second, Grab with a decorative foreground merged, the pane
// shown at the booth's 320 x 240 preview size.
//
//   BM_LivePipeline   frames per second painted in the pane, frames lost on
//                     the way (source -> pane), CPU time of the whole process
//                     per source frame.
//   BM_GrabToFile     time from Grab to the written bitmap file (it waits for
//                     the next frame, up to one frame interval).
//   BM_WriteBitmapFile the file write alone.
#include "benchmain.h"
#include "bitmapfile.h"
#include "capturectrl.h"
#include "eventwait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>
#include <gst/gst.h>
#include <memory>
#include <vector>

namespace {

double cpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void pump(int ms)
{
    capture::runEventsFor(ms);
}

template <class F> bool waitFor(F done, int ms = 5000)
{
    return capture::waitProcessingEvents(done, ms);
}

struct Booth {
    QTemporaryDir dir;
    capture::CaptureCtrl ctrl;
    std::atomic<std::uint64_t> sourceFrames {0};

    bool open()
    {
        // A decorative frame: opaque border, the middle transparent.
        QImage fore(800, 600, QImage::Format_RGBA8888);
        fore.fill(Qt::transparent);
        QPainter p(&fore);
        p.fillRect(0, 0, 800, 50, QColor(200, 40, 90));
        p.fillRect(0, 550, 800, 50, QColor(200, 40, 90));
        p.fillRect(0, 0, 50, 600, QColor(200, 40, 90));
        p.fillRect(750, 0, 50, 600, QColor(200, 40, 90));
        p.fillRect(50, 470, 700, 80, QColor(255, 255, 255, 128));
        p.end();
        const QString png = dir.filePath("frame.png");
        fore.save(png);

        ctrl.resize(320, 240);
        ctrl.show();
        if (ctrl.GetDeviceNumber() < 1)
            return false;
        ctrl.SetIsChangeVideoFormat(false);
        ctrl.ReSize(640, 480);
        ctrl.SetIsCapture(true);
        ctrl.SelectDevice(0);
        if (!ctrl.Capture())
            return false;
        auto& core = ctrl.videoPane()->core();
        if (!waitFor([&] { return ctrl.isRunning() && core.framesDelivered() > 0; }))
            return false;
        GstElement* cam = gst_bin_get_by_name(GST_BIN(core.pipeline()), "Source Filter");
        GstPad* out = gst_element_get_static_pad(cam, "src");
        gst_pad_add_probe(
            out, GST_PAD_PROBE_TYPE_BUFFER,
            [](GstPad*, GstPadProbeInfo*, gpointer self) {
                static_cast<Booth*>(self)->sourceFrames.fetch_add(1);
                return GST_PAD_PROBE_OK;
            },
            this, nullptr);
        gst_object_unref(out);
        gst_object_unref(cam);
        if (!ctrl.SetFore(png))
            return false;
        ctrl.SetEnableMergeFore(true);
        pump(500);
        return true;
    }
};

std::unique_ptr<Booth> g_booth;

Booth* booth(benchmark::State& state)
{
    if (!g_booth) {
        g_booth = std::make_unique<Booth>();
        if (!g_booth->open()) {
            state.SkipWithError("the test camera pipeline could not be opened");
            return nullptr;
        }
    }
    return g_booth.get();
}

void BM_LivePipeline(benchmark::State& state)
{
    Booth* b = booth(state);
    if (!b)
        return;
    const int seconds = static_cast<int>(state.range(0));
    auto* pane = b->ctrl.videoPane();
    for (auto _ : state) {
        const auto stats0 = pane->statistics();
        const auto source0 = b->sourceFrames.load();
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        pump(seconds * 1000);
        const double elapsed = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
        const double cpu = cpuSeconds() - cpu0;
        // Let the last frame reach the screen before counting.
        pump(100);
        const auto stats = pane->statistics();
        const double source = static_cast<double>(b->sourceFrames.load() - source0);
        const double painted = static_cast<double>(stats.painted - stats0.painted);
        state.counters["source_fps"] = source / elapsed;
        state.counters["pane_fps"] = painted / elapsed;
        state.counters["dropped"] = source - painted > 0 ? source - painted : 0;
        state.counters["replaced_unpainted"] = static_cast<double>(stats.replaced - stats0.replaced);
        state.counters["cpu_ms_per_frame"] = source > 0 ? cpu * 1000.0 / source : 0;
        state.counters["cpu_load_pct"] = cpu * 100.0 / elapsed;
    }
}
BENCHMARK(BM_LivePipeline)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond);

void BM_GrabToFile(benchmark::State& state)
{
    Booth* b = booth(state);
    if (!b)
        return;
    const bool processed = state.range(0) != 0;
    const QString path = b->dir.filePath("shot.bmp");
    int failures = 0;
    double longest = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        if (!b->ctrl.Grab(path, processed))
            ++failures;
        longest = std::max(longest, static_cast<double>(t.nsecsElapsed()) * 1e-6);
        // Between shots the live picture goes on, as at the booth.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["failures"] = failures;
    state.counters["max_ms"] = longest;
    state.SetLabel(processed ? "processed" : "raw");
}
BENCHMARK(BM_GrabToFile)->Arg(0)->Arg(1)->Iterations(30)->Unit(benchmark::kMillisecond);

// The file write alone: header, info header and a 640 x 480 RGB24 frame.
void BM_WriteBitmapFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    std::vector<std::uint8_t> frame(921600, 0x5A);
    std::uint8_t info[40] = {40};
    for (auto _ : state)
        benchmark::DoNotOptimize(capture::writeBitmapFile(path, info, frame.data(), frame.size()));
}
BENCHMARK(BM_WriteBitmapFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("KINFOLIO_TEST_CAMERA", "1", 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int rc = 0;
    {
        QApplication app(argc, argv);
        rc = runBenchmarks(argc, argv);
        g_booth.reset();
    }
    gst_deinit();
    return rc;
}
