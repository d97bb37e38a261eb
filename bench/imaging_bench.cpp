// Imaging work of one shot at 640 x 480 (scale to 320 x 240, site mark,
// compound with a PNG template, working-format save and load) and scaled
// decoding of a 4000 x 3000 camera JPEG against a full decode. Every picture
// is generated here into a temporary folder.

#include "benchmain.h"
#include "compound.h"
#include "imageio.h"
#include "picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;

QString file(const char* name)
{
    return folder->filePath(QString::fromLatin1(name));
}

// Photo-like content: smooth gradients with some fine detail, so that JPEG
// decoding costs what it costs on a camera picture.
QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int r = (x * 255 / width + ((x * 31 + y * 17) % 23)) & 255;
            const int g = (y * 255 / height + ((x * 13 + y * 7) % 19)) & 255;
            const int b = int(128 + 100 * std::sin((x + y) * 0.01)) & 255;
            line[x] = qRgb(r, g, b);
        }
    }
    return image;
}

// Decorative frame: opaque border, a soft partly transparent band, clear window.
QImage frame(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0));
    QPainter p(&image);
    const int border = width / 12;
    p.fillRect(0, 0, width, border, QColor(180, 40, 90));
    p.fillRect(0, height - border, width, border, QColor(180, 40, 90));
    p.fillRect(0, 0, border, height, QColor(180, 40, 90));
    p.fillRect(width - border, 0, border, height, QColor(180, 40, 90));
    p.fillRect(border, border, width - 2 * border, border / 2, QColor(255, 255, 255, 110));
    p.setPen(QPen(QColor(250, 220, 60), 4));
    p.drawEllipse(QRect(width / 2, height / 2, width / 3, height / 3));
    p.end();
    return image;
}

void prepare()
{
    photo(640, 480).save(file("Photo1.bmp"), "BMP");
    photo(320, 240).save(file("clean.bmp"), "BMP");
    frame(320, 240).save(file("frame320.png"), "PNG");
    frame(640, 480).save(file("frame640.png"), "PNG");
    photo(4000, 3000).save(file("camera.jpg"), "JPEG", 90);
}

void mark(kf::Picture& picture)
{
    picture.setFont("Times New Roman", 8, false, false, false);
    picture.drawText(270, 228, "www.kinfolio.cn", QColor(0, 0, 0));
    picture.fixText();
}

const QImage& frame640()
{
    static const QImage frame = kf::loadImage(file("Photo1.bmp"));
    return frame;
}

void BM_Scale640To320(benchmark::State& state)
{
    for (auto _ : state) {
        kf::Picture picture(frame640());
        picture.scale(320, 240);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_Scale640To320)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_MarkDrawAndFix(benchmark::State& state)
{
    const kf::Picture clean(kf::loadImage(file("clean.bmp")));
    for (auto _ : state) {
        kf::Picture picture = clean;
        mark(picture);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_MarkDrawAndFix)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// compound() from files: load the 320 x 240 source, load the PNG template
// (320 x 240, or 640 x 480 fitted down), compose, write the working format.
void BM_CompoundPngTemplate(benchmark::State& state)
{
    const QString tmpl = file(state.range(0) == 320 ? "frame320.png" : "frame640.png");
    for (auto _ : state) {
        if (kf::compound(file("clean.bmp"), tmpl, file("out.bmp"), 0, 0) == 0)
            state.SkipWithError("compound failed");
    }
}
BENCHMARK(BM_CompoundPngTemplate)->Arg(320)->Arg(640)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_SaveBmp320(benchmark::State& state)
{
    const kf::Picture clean(kf::loadImage(file("clean.bmp")));
    for (auto _ : state) {
        if (!clean.save(file("saved.bmp"), kf::kSaveTypeWorking))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveBmp320)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_LoadBmp320(benchmark::State& state)
{
    for (auto _ : state) {
        kf::Picture picture;
        if (!picture.load(file("clean.bmp")))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_LoadBmp320)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// The imaging chain of one shot after the frame is grabbed: the 640 x 480
// frame (in memory) is scaled to 320 x 240 and saved as the clean copy, the
// clean copy is composed with the PNG template into the photo, the photo is
// marked and saved. Loading the grabbed frame from disk is not included.
void BM_ShotChain(benchmark::State& state)
{
    for (auto _ : state) {
        kf::Picture picture(frame640());
        picture.scale(320, 240);
        picture.save(file("shot.bmp.dat"), kf::kSaveTypeWorking);
        kf::compound(file("shot.bmp.dat"), file("frame320.png"), file("shot.bmp"), 0, 0);
        kf::Picture photo;
        photo.load(file("shot.bmp"));
        mark(photo);
        if (!photo.save(file("shot.bmp"), kf::kSaveTypeWorking))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_ShotChain)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_Camera4000FullDecodeThenScale(benchmark::State& state)
{
    for (auto _ : state) {
        kf::Picture picture;
        picture.load(file("camera.jpg"));
        picture.scale(320, 240);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_Camera4000FullDecodeThenScale)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_Camera4000ScaledDecode(benchmark::State& state)
{
    for (auto _ : state) {
        kf::Picture picture;
        picture.load(file("camera.jpg"), QSize(320, 240));
        if (picture.size() != QSize(320, 240))
            state.SkipWithError("wrong size");
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_Camera4000ScaledDecode)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    folder = &dir;
    prepare();
    return runBenchmarks(argc, argv);
}
