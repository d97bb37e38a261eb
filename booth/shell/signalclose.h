#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace kf {

// Turns SIGTERM and SIGINT into a call on the user-interface thread, so a
// booth shut down from outside goes through the same close handling as one
// closed by hand. The signal handler only writes a byte to a pipe; the
// callback runs from the event loop. One instance per process.
class SignalClose : public QObject {
    Q_OBJECT
public:
    explicit SignalClose(std::function<void()> onSignal, QObject* parent = nullptr);
    ~SignalClose() override;

private:
    void drain();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kf
