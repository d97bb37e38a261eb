#include "splashlogic.h"

namespace kf {

void SplashLogic::finishReveal()
{
    revealOn_ = false;
    opacity_ = 255;
}

bool SplashLogic::requestClose()
{
    if (done_)
        return true;
    revealOn_ = false;
    fadeOn_ = true;
    return false;
}

bool SplashLogic::fadeTick()
{
    if (done_)
        return true;
    const int next = opacity_ - kFadeStep;
    if (next <= 0) {
        opacity_ = 0;
        done_ = true;
        revealOn_ = fadeOn_ = false;
        return true;
    }
    opacity_ = next;
    return false;
}

} // namespace kf
