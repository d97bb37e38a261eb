// Importing large camera pictures: one 4000 x 3000 JPEG converted on one
// core (letterbox, working-format photo and clean copy), and twelve such
// pictures imported at once on the thread pool (both cores). The JPEGs are
// generated here with photo-like content (gradients, shapes and sensor-like
// noise), so decoding costs what it costs on a camera picture.

#include "benchmain.h"
#include "imageio.h"
#include "shooting/import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int kTwelve = 12;

QTemporaryDir* folder = nullptr;

QString path(const QString& name)
{
    return folder->filePath(name);
}

QImage photoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 seed = 0x2545F491u;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            const int noise = int(seed % 25) - 12;
            const double sx = double(x) / width;
            const double sy = double(y) / height;
            const int r = int(120 + 90 * std::sin(sx * 7.0 + sy * 3.0)) + noise;
            const int g = int(110 + 80 * std::cos(sy * 9.0 - sx * 2.0)) + noise;
            const int b = int(100 + 70 * std::sin((sx + sy) * 12.0)) + noise;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromHsv((i * 37) % 360, 160, 200, 140));
        p.setPen(QPen(QColor::fromHsv((i * 53) % 360, 200, 90), 6));
        p.drawEllipse(
            QPoint((i * 977) % width, (i * 661) % height), 80 + (i * 29) % 300, 60 + (i * 41) % 200);
    }
    p.end();
    return image;
}

QString shootFolder(const char* name)
{
    const QString folderPath = path(QString::fromLatin1(name));
    QDir(folderPath).removeRecursively();
    QDir().mkpath(folderPath);
    return folderPath;
}

void setUp()
{
    const QString first = path(QStringLiteral("camera0.jpg"));
    if (!photoLike(4000, 3000).save(first, "JPEG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(first));
        std::exit(1);
    }
    for (int i = 1; i < kTwelve; ++i)
        QFile::copy(first, path(QStringLiteral("camera%1.jpg").arg(i)));
    std::printf("source: 4000 x 3000 JPEG, %lld bytes\n", QFileInfo(first).size());
}

void BM_ImportOneOnOneCore(benchmark::State& state)
{
    const QString source = path(QStringLiteral("camera0.jpg"));
    const QString shoot = shootFolder("one");
    const QString target = shoot + QStringLiteral("/camera1234.bmp");
    for (auto _ : state) {
        QString error;
        if (!kf::convertForImport(source, target, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        state.PauseTiming();
        if (kf::imageSize(target) != kf::kImportSize)
            state.SkipWithError("wrong size");
        QFile::remove(target);
        QFile::remove(kf::cleanCopy(target));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportOneOnOneCore)->Unit(benchmark::kMillisecond);

void BM_ImportTwelveOnBothCores(benchmark::State& state)
{
    QStringList sources;
    for (int i = 0; i < kTwelve; ++i)
        sources.append(path(QStringLiteral("camera%1.jpg").arg(i)));
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    std::clock_t cpu = 0; // process time, all threads
    for (auto _ : state) {
        state.PauseTiming();
        const QString shoot = shootFolder("twelve");
        state.ResumeTiming();
        const std::clock_t begin = std::clock();
        const kf::ImportResult result = kf::importPictures({sources, shoot, kf::kPhotoSlots, {}}, &pool);
        if (result.count(kf::ImportStatus::Stored) != kTwelve) {
            state.SkipWithError("not every picture was imported");
            break;
        }
        cpu += std::clock() - begin;
    }
    state.counters["threads"] = pool.maxThreadCount();
    // CPU time of all threads for the twelve, in ms: what the import costs
    // when the machine is shared with other work.
    state.counters["cpu_ms"]
        = benchmark::Counter(1000.0 * double(cpu) / CLOCKS_PER_SEC, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ImportTwelveOnBothCores)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: the scaled decode alone, the bulk of one import.
void BM_ScaledDecodeOnly(benchmark::State& state)
{
    const QString source = path(QStringLiteral("camera0.jpg"));
    for (auto _ : state)
        benchmark::DoNotOptimize(kf::loadScaled(source, kf::kImportSize));
}
BENCHMARK(BM_ScaledDecodeOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    setUp();
    return runBenchmarks(argc, argv);
}
