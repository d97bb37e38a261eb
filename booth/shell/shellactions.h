#pragma once

#include "session.h"

#include <QObject>
#include <QUrl>
#include <functional>

namespace kf {

class MainWindow;

// The main window's ways out of the booth's own work: the exit button with
// its question and clean-up, help, the web banner, the messenger links, and
// the one-shot start timer that opens the camera and starts the updater.
class ShellActions : public QObject {
    Q_OBJECT
public:
    // How addresses and documents are opened and how the updater is
    // started; tests put recorders in.
    struct Desktop {
        std::function<bool(const QUrl&)> openUrl;
        std::function<bool(const QString& appFolder, const QString& arguments)> startUpdater;
    };
    static Desktop systemDesktop();

    ShellActions(MainWindow& window, Desktop desktop = systemDesktop());

    // The updater's argument text for this booth: program name, version,
    // download address.
    static QString updaterArgumentText(const BoothSession& session);
    // Address of a support chat with the messenger account.
    static QUrl messengerUrl(const QString& account);

    void exitPressed();
    void helpPressed();
    void bannerClicked();
    void messengerClicked(bool second);
    void startTimerFired();

private:
    MainWindow& window_;
    Desktop desktop_;
};

} // namespace kf
