#include "splashwindow.h"

#include "layout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace kf {

void setWindowAlpha(QWidget* window, int alpha)
{
    window->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}

SplashWindow::SplashWindow(QImage picture, std::function<void()> startWork, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , picture_(std::move(picture))
    , startWork_(std::move(startWork))
{
    setFixedSize(layout::px(layout::kSplashWidth), layout::px(layout::kSplashHeight));
    canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(kBackground);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    revealTimer_.setInterval(SplashLogic::kRevealIntervalMs);
    fadeTimer_.setInterval(SplashLogic::kFadeIntervalMs);
    connect(&revealTimer_, &QTimer::timeout, this, &SplashWindow::revealTick);
    connect(&fadeTimer_, &QTimer::timeout, this, &SplashWindow::fadeTick);
    revealTimer_.start();
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
}

void SplashWindow::revealTick()
{
    // Everything happens on the first tick; the timer is stopped at once so
    // that no second tick can start the sequence again while it waits.
    revealTimer_.stop();
    if (revealing_)
        return;
    revealing_ = true;
    reveal();
    runStartWork();
    QTimer::singleShot(1000, this, [this] {
        logic_.finishReveal();
        setWindowAlpha(this, logic_.opacity());
        close();
    });
}

void SplashWindow::runStartWork()
{
    if (workDone_)
        return;
    workDone_ = true;
    if (startWork_)
        startWork_();
}

void SplashWindow::reveal()
{
    const int w = picture_.width();
    const int h = picture_.height();
    QPainter p(&canvas_);
    const QColor background = QColor::fromRgb(kBackground);
    auto colourAt = [&](int x, int y) {
        return picture_.valid(x, y) ? QColor::fromRgb(picture_.pixel(x, y)) : background;
    };
    for (int x = 0; x <= w; ++x) {
        QCoreApplication::processEvents();
        for (int y = 0; y <= h; ++y) {
            p.setPen(colourAt(x, y));
            p.drawLine(kRayOrigin, QPoint(x, y));
        }
        p.setPen(background);
        p.drawLine(kRayOrigin, QPoint(x, h));
        repaint();
    }
    p.setPen(background);
    for (int y = 0; y <= h; ++y)
        p.drawLine(kRayOrigin, QPoint(w, y));
    p.end();
    repaint();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    if (logic_.requestClose()) {
        event->accept();
        return;
    }
    event->ignore();
    revealTimer_.stop();
    if (!revealing_) {
        // Closed before the reveal began: the reveal is skipped, but the
        // start-up work (the run's folder) must still be done.
        revealing_ = true;
        runStartWork();
    }
    if (!fadeTimer_.isActive())
        fadeTimer_.start();
}

void SplashWindow::fadeTick()
{
    // A close request during the reveal starts the fade early; the splash
    // still does not end before the start-up work has run.
    if (!workDone_ && logic_.opacity() <= SplashLogic::kFadeStep)
        return;
    if (logic_.fadeTick()) {
        fadeTimer_.stop();
        revealTimer_.stop();
        close();
        emit finished();
        return;
    }
    setWindowAlpha(this, logic_.opacity());
}

} // namespace kf
