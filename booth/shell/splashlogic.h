#pragma once

namespace kf {

// State of the splash window: it reveals its picture, creates the run's
// folder, waits, and fades out. It may close only once the fade has run
// out; every earlier close request starts the fade instead.
class SplashLogic {
public:
    static constexpr int kRevealIntervalMs = 100;
    static constexpr int kFadeIntervalMs = 10;
    static constexpr int kFadeStep = 2;

    int opacity() const { return opacity_; }
    bool done() const { return done_; }
    bool revealTimerOn() const { return revealOn_; }
    bool fadeTimerOn() const { return fadeOn_; }

    // After the reveal and the wait: full opacity, then a close request.
    void finishReveal();
    // A close request from anywhere. Returns true when the splash may close.
    bool requestClose();
    // One tick of the fade timer. Returns true when the fade has run out:
    // the splash closes, the main window is shown, both timers stop.
    bool fadeTick();

private:
    int opacity_ = 255;
    bool done_ = false;
    bool revealOn_ = true;
    bool fadeOn_ = false;
};

} // namespace kf
