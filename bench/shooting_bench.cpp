// A shot from the grabbed bitmap to the photo shown in the preview and the
// strip (clean copy, template, mark, both files written, preview and
// thumbnail redrawn), with a PNG and a JPEG template and without; and one
// placement step of a photo with a template and two recorded colour groups
// (EndMerger: paste, turn, crop, template, mark, colour steps, both files
// written), alone and as the window's step with its redraw. Everything runs
// in a hidden main window on the offscreen platform.

#include "benchmain.h"
#include "imageio.h"
#include "shell/mainwindow.h"
#include "shooting/merger.h"
#include "shooting/shootingfixture.h"
#include "shooting/shootingui.h"
#include "testsupport/fakeinstall.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using kf::test::ShootingInstall;

// A camera whose grab writes a prepared 640 x 480 24-bit bitmap: the file
// Capture writes for a frame.
class BitmapCamera : public kf::test::FakeCamera {
public:
    QByteArray bitmap;
    bool Grab(const QString& path, bool) override
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bitmap) == bitmap.size();
    }
};

QImage cameraFrame()
{
    // Photo-like: gradients, a face-like disc and sensor-like noise.
    QImage image(640, 480, QImage::Format_RGB888);
    QPainter p(&image);
    QLinearGradient g(0, 0, 640, 480);
    g.setColorAt(0, QColor(90, 140, 200));
    g.setColorAt(1, QColor(220, 180, 120));
    p.fillRect(image.rect(), g);
    p.setBrush(QColor(240, 200, 170));
    p.drawEllipse(QPoint(320, 220), 120, 150);
    p.end();
    quint32 seed = 12345;
    for (int y = 0; y < 480; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < 640 * 3; ++x) {
            seed = seed * 1664525u + 1013904223u;
            line[x] = static_cast<uchar>(std::clamp(int(line[x]) + int(seed >> 28) - 8, 0, 255));
        }
    }
    return image;
}

struct Booth {
    kf::test::FakeInstall install;
    kf::BoothSession session;
    BitmapCamera camera;
    std::unique_ptr<kf::MainWindow> window;
    kf::ShootingUi* ui = nullptr;

    Booth()
    {
        const QString cartoon
            = install.file(QStringLiteral("image/") + QString::fromUtf8(kf::kCategoryTags[0]));
        // A decorative frame with a clear window (PNG) and a keyed one (JPEG).
        kf::test::writeTemplate(cartoon, "a.png", ShootingInstall::Kind::Png, QColor(200, 60, 120));
        kf::test::writeTemplate(cartoon, "b.JPG", ShootingInstall::Kind::Jpeg, QColor(40, 90, 200));
        QImage canvas(640, 640, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        canvas.save(install.file("data/back.jpg"), "JPEG");
        session = kf::BoothSession::forInstallation(install.path());
        session.shootFolder = *kf::createShootFolder(install.path());
        QBuffer buffer(&camera.bitmap);
        buffer.open(QIODevice::WriteOnly);
        cameraFrame().save(&buffer, "BMP");
        window = std::make_unique<kf::MainWindow>(session);
        ui = new kf::ShootingUi(*window, &camera);
        window->startUp();
        window->show();
        window->onOpenCamera();
    }
    kf::Shooting& s() { return ui->shooting(); }
};

void BM_Shot(benchmark::State& state)
{
    Booth booth;
    const int cell = int(state.range(0)); // -1: no template
    booth.s().pressShot(); // photo 1
    for (auto _ : state) {
        state.PauseTiming();
        booth.s().pickPosition(0); // photo 1 shown
        booth.s().pressShot(); // Continue: the next shot retakes photo 1
        if (cell >= 0)
            booth.s().chooseTemplate(cell);
        state.ResumeTiming();
        booth.s().pressShot();
    }
    if (booth.s().state().table.photoCount != 1)
        state.SkipWithError("the shot did not retake photo 1");
}
BENCHMARK(BM_Shot)->Arg(-1)->Arg(0)->Arg(1)->ArgName("template")->Unit(benchmark::kMillisecond);

kf::PhotoSlot placedSlot(Booth& booth, const QString& photo)
{
    kf::PhotoSlot slot;
    slot.photoPath = photo;
    slot.templatePath = booth.s().templates().cellPath(0);
    slot.colourSteps = QStringLiteral("20@10@0@0@0@-5@0@10@-10@5");
    return slot;
}

void BM_EndMerger(benchmark::State& state)
{
    Booth booth;
    booth.s().pressShot();
    const QString photo = kf::photoName(booth.session.shootFolder, 1);
    const kf::PhotoSlot slot = placedSlot(booth, photo);
    int x = 0;
    for (auto _ : state) {
        x = x == 0 ? 5 : 0;
        if (!booth.s().merger().endMerger(photo, slot, x, 10, 15))
            state.SkipWithError("EndMerger failed");
    }
}
BENCHMARK(BM_EndMerger)->Unit(benchmark::kMillisecond);

void BM_PlacementStepInWindow(benchmark::State& state)
{
    Booth booth;
    booth.s().chooseTemplate(0);
    booth.s().pressShot();
    const QString photo = kf::photoName(booth.session.shootFolder, 1);
    booth.s().recordColourStep(photo, kf::ColourStep {20, 10, 0, 0, 0});
    booth.s().recordColourStep(photo, kf::ColourStep {-5, 0, 10, -10, 5});
    booth.s().placementStep(kf::PlacementButton::TurnLeft);
    bool left = true;
    for (auto _ : state) {
        booth.s().placementStep(left ? kf::PlacementButton::MoveLeft : kf::PlacementButton::MoveRight);
        left = !left;
    }
}
BENCHMARK(BM_PlacementStepInWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
