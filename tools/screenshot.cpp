// kf-screenshot FILE.png [DELAY_MS]: saves what the X display shows (the
// whole screen) as a PNG. Used to look at the booth's windows under Xvfb:
//   xvfb-run -a sh -c './AppFolder/Kinfolio & sleep 5; ./tools/kf-screenshot shot.png'
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kf-screenshot FILE.png [DELAY_MS]\n");
        return 2;
    }
    if (argc > 2)
        QThread::msleep(static_cast<unsigned long>(std::atol(argv[2])));
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "kf-screenshot: no screen\n");
        return 1;
    }
    const QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "kf-screenshot: could not grab or save\n");
        return 1;
    }
    return 0;
}
