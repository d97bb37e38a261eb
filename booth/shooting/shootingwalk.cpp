// shooting-walk: walks the booth's shooting path in the real main window
// with the real camera (the test camera: KINFOLIO_TEST_CAMERA=1) and saves a
// screenshot of each stage. For developers:
//   KINFOLIO_TEST_CAMERA=1 xvfb-run -a build/AppFolder/shooting-walk OUTDIR
// Message boxes answer Yes by themselves; the import takes three generated
// JPEGs of different shapes.

#include "adjustcolorwindow.h"
#include "filechooser.h"
#include "imageview.h"
#include "shell/appfolder.h"
#include "shell/mainwindow.h"
#include "shootingui.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

class YesPrompts : public kf::Prompts {
public:
    void inform(const QString& title, const QString& text, Icon) override
    {
        std::printf("message: %s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool askYesNo(const QString& title, const QString& text) override
    {
        std::printf("question (yes): %s: %s\n", qPrintable(title), qPrintable(text));
        return true;
    }
};

class ListChooser : public kf::FileChooser {
public:
    explicit ListChooser(QStringList files)
        : files_(std::move(files))
    {
    }
    QStringList choosePictures(const QString&, const QString&) override { return files_; }

private:
    QStringList files_;
};

QImage photoLike(QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor::fromHsv(seed * 70 % 360, 120, 230));
    g.setColorAt(1, QColor::fromHsv((seed * 70 + 150) % 360, 160, 120));
    p.fillRect(image.rect(), g);
    p.setBrush(QColor(250, 210, 180));
    p.setPen(Qt::NoPen);
    const int r = std::min(size.width(), size.height()) / 4;
    p.drawEllipse(QPoint(size.width() / 2, size.height() / 2), r, r);
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: shooting-walk OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    kf::BoothSession session = kf::BoothSession::forInstallation(kf::appFolder());
    const auto folder = kf::createShootFolder(session.appFolder);
    if (!folder)
        return 1;
    session.shootFolder = *folder;

    kf::MainWindow window(session);
    window.setPrompts(std::make_unique<YesPrompts>());
    auto* shooting = new kf::ShootingUi(window);
    // The start timer opens the camera (the shell's start actions do the same).
    QObject::connect(&window, &kf::MainWindow::startTimerFired, [&] { window.onOpenCamera(); });
    window.startUp();
    window.show();
    auto& u = window.ui();
    int stage = 0;
    auto shot = [&](const char* name, int settle = 400) {
        QTest::qWait(settle);
        const QString file
            = QStringLiteral("%1/%2-%3.png").arg(out).arg(++stage, 2, 10, QLatin1Char('0')).arg(name);
        window.grab().save(file);
        std::printf("%s\n", qPrintable(file));
    };

    shot("live", 1500);
    u.cmdSort[0]->press();
    u.picSub[std::size_t(2)]->clicked();
    shot("template-on-live", 800);
    u.ImagXpress1->setFocus();
    QTest::keyClick(u.ImagXpress1, Qt::Key_Return);
    shot("shot");
    u.cmdShot->press();
    shot("continue", 800);
    emit u.picSub[std::size_t(4)]->clicked();
    u.cmdShot->press();
    for (int i = 0; i < 4; ++i)
        u.Image2[0]->press();
    for (int i = 0; i < 3; ++i)
        u.Image2[4]->press();
    QTest::keyClick(u.ImagXpress1, Qt::Key_Up);
    shot("moved-and-turned");

    QTimer::singleShot(300, [&] {
        kf::AdjustColorWindow* panel = shooting->colourPanel();
        if (!panel)
            return;
        panel->HScroll[0]->setValue(35);
        panel->HScroll[3]->setValue(-30);
        QTest::qWait(300);
        QPixmap both = window.screen()->grabWindow(0);
        both.save(QStringLiteral("%1/%2-colour-panel.png").arg(out).arg(++stage, 2, 10, QLatin1Char('0')));
        panel->grab().save(
            QStringLiteral("%1/%2-colour-panel-alone.png").arg(out).arg(stage, 2, 10, QLatin1Char('0')));
        panel->btnCancel->click();
    });
    u.cmdadjust->press();
    u.Image2[1]->press();
    shot("colour-survives-a-move");

    for (int i = 0; i < 5; ++i) {
        u.cmdShot->press();
        QTest::qWait(150);
        u.cmdShot->press();
        QTest::qWait(150);
    }
    shot("seven-photos-page-two");
    u.cmdPhotoPre->press();
    shot("strip-page-one");
    u.cmdSubNext->press();
    shot("template-page-two");
    // A keyed JPEG template over the live picture, then shot.
    u.cmdPhotoNext->press();
    emit u.ixpPhoto[3]->mousePressed(Qt::LeftButton, Qt::NoModifier, 5, 5);
    emit u.picSub[0]->clicked();
    shot("jpeg-template-on-live", 800);
    u.cmdShot->press();
    shot("jpeg-template-shot");
    u.cmdPhotoPre->press();
    emit u.ixpPhoto[1]->mousePressed(Qt::LeftButton, Qt::NoModifier, 5, 5);
    shot("picked-photo-two");
    u.cmdDel->press();
    shot("deleted-photo-two");

    QTemporaryDir sources;
    QStringList files;
    const QSize shapes[] = {{640, 480}, {480, 640}, {1000, 500}};
    for (int i = 0; i < 3; ++i) {
        const QString f = sources.filePath(QStringLiteral("holiday%1.jpg").arg(i + 1));
        photoLike(shapes[i], i).save(f, "JPEG", 90);
        files << f;
    }
    shooting->setFileChooser(std::make_unique<ListChooser>(files));
    u.cmdphoto->press();
    shooting->shooting().waitForImport();
    shot("imported-three");

    u.mousemenu->actions()[1]->trigger();
    shot("deleted-all");
    window.close();
    return 0;
}
