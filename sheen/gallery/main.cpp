// The Sheen gallery: every look and border style of the picture button, and
// live buttons to try. With --screenshots DIR it saves what it shows as PNG
// files in DIR and quits.
#include "gallery.h"
#include "propertypage.h"
#include "sheenkey.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

bool save(const QPixmap& pixmap, const QString& path)
{
    const bool ok = pixmap.save(path);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "cannot write", qPrintable(path));
    return ok;
}

void send(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Shows the window, puts live buttons into their hover and pressed looks
// through real mouse events and saves the window as the screen shows it.
int screenshots(sheen::GalleryWindow& window, const QString& dir)
{
    QDir().mkpath(dir);
    window.show();
    QApplication::processEvents();
    bool ok = save(window.grab(), dir + QStringLiteral("/sheen-gallery.png"));

    const QList<sheen::SheenKey*> keys = window.liveKeys();
    const QPoint middle(keys[0]->width() / 2, keys[0]->height() / 2);
    send(keys[0], QEvent::MouseMove, middle, Qt::NoButton, Qt::NoButton);
    send(keys[1], QEvent::MouseMove, middle, Qt::NoButton, Qt::NoButton);
    send(keys[1], QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
    send(keys[2], QEvent::MouseMove, middle, Qt::NoButton, Qt::NoButton);
    const QPixmap live = window.screen()->grabWindow(window.winId());
    ok = save(live, dir + QStringLiteral("/sheen-gallery-live.png")) && ok;
    send(keys[1], QEvent::MouseButtonRelease, middle, Qt::LeftButton, Qt::NoButton);

    for (int border : {2, 5})
        ok = save(QPixmap::fromImage(sheen::zoomedLooks(border, 4)),
                 dir + QStringLiteral("/sheen-zoom-border%1.png").arg(border))
            && ok;

    sheen::PropertyPageDialog dialog(keys[0], &window);
    dialog.show();
    QApplication::processEvents();
    ok = save(dialog.grab(), dir + QStringLiteral("/sheen-propertypage.png")) && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sheen-gallery"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sheen picture-button gallery"));
    parser.addHelpOption();
    const QCommandLineOption shots(QStringLiteral("screenshots"),
        QStringLiteral("Save screenshots into <dir> and quit."), QStringLiteral("dir"));
    parser.addOption(shots);
    parser.process(app);

    sheen::GalleryWindow window;
    if (parser.isSet(shots))
        return screenshots(window, parser.value(shots));
    window.show();
    return app.exec();
}
