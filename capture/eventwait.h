// Waiting the way a host's user-interface thread waits: the event loop keeps
// running (frames get painted, timers fire) until a condition holds.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace capture {

// Runs the event loop for `ms` milliseconds.
inline void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() holds (true) or `ms` milliseconds have
// passed (false); done() is tested every 5 ms.
template <class F> bool waitProcessingEvents(F done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        runEventsFor(5);
    }
    return true;
}

} // namespace capture
