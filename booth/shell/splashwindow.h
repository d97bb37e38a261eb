#pragma once

#include "splashlogic.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kf {

// Whole-window opacity, 0 transparent .. 255 opaque.
void setWindowAlpha(QWidget* window, int alpha);

// The splash window frmIntro: reveals its picture ray by ray, runs the
// start-up work, waits a second and fades out. It closes only through the
// fade, whatever asks it to close; then it emits finished().
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // startWork runs once the picture is revealed (it creates the run's
    // folder); the splash goes on with its wait and fade afterwards.
    SplashWindow(QImage picture, std::function<void()> startWork, QWidget* parent = nullptr);

    const SplashLogic& logic() const { return logic_; }
    // The fixed point all rays start from, outside the window to the lower right.
    static constexpr QPoint kRayOrigin {565, 301};
    static constexpr QRgb kBackground = 0xFFFF8080; // RGB(255, 128, 128)

signals:
    void finished();

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void revealTick();
    void reveal();
    void runStartWork();
    void fadeTick();

    SplashLogic logic_;
    QImage picture_;
    QImage canvas_;
    std::function<void()> startWork_;
    QTimer revealTimer_;
    QTimer fadeTimer_;
    bool revealing_ = false;
    bool workDone_ = false;
};

} // namespace kf
