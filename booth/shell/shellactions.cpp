#include "shellactions.h"

#include "cleanup.h"
#include "mainwindow.h"
#include "renovo_cmdline.h"

#include <QDesktopServices>
#include <QUrlQuery>

namespace kf {

ShellActions::Desktop ShellActions::systemDesktop()
{
    return {[](const QUrl& url) { return QDesktopServices::openUrl(url); },
        [](const QString& appFolder, const QString& arguments) {
            return renovo::startUpdater(appFolder, arguments);
        }};
}

ShellActions::ShellActions(MainWindow& window, Desktop desktop)
    : QObject(&window)
    , window_(window)
    , desktop_(std::move(desktop))
{
    FrmMainUi& u = window.ui();
    connect(u.cmdexit, &ImageButton::pressed, this, &ShellActions::exitPressed);
    connect(u.cmdHelp, &ImageButton::pressed, this, &ShellActions::helpPressed);
    connect(u.Image1, &ImageButton::pressed, this, &ShellActions::bannerClicked);
    connect(u.ImageQQ, &ImageButton::pressed, this, [this] { messengerClicked(false); });
    connect(u.ImageQQ1, &ImageButton::pressed, this, [this] { messengerClicked(true); });
    connect(&window, &MainWindow::startTimerFired, this, &ShellActions::startTimerFired);
}

QString ShellActions::updaterArgumentText(const BoothSession& session)
{
    return renovo::buildUpdaterArguments(renovo::runningProgramName(), KINFOLIO_VERSION_MAJOR,
        KINFOLIO_VERSION_MINOR, KINFOLIO_VERSION_PATCH, session.config.downloadAddress);
}

QUrl ShellActions::messengerUrl(const QString& account)
{
    QUrl url(QStringLiteral("tencent://message/"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("uin"), account);
    query.addQueryItem(QStringLiteral("Site"), QStringLiteral("留言"));
    query.addQueryItem(QStringLiteral("Menu"), QStringLiteral("yes"));
    url.setQuery(query);
    return url;
}

void ShellActions::exitPressed()
{
    if (!window_.prompts().askYesNo(QStringLiteral("确认信息"), QStringLiteral("确实要退出吗？")))
        return;
    const BoothSession& s = window_.session();
    exitButtonCleanup(s.shootFolder, s.uploadFolder());
    window_.close();
}

void ShellActions::helpPressed()
{
    // A missing document or viewer fails quietly; the booth goes on.
    desktop_.openUrl(QUrl::fromLocalFile(window_.session().path(QStringLiteral("help.mht"))));
}

void ShellActions::bannerClicked()
{
    const BoothSession& s = window_.session();
    desktop_.openUrl(QUrl(s.config.web(s.variant)));
}

void ShellActions::messengerClicked(bool second)
{
    const BoothSession& s = window_.session();
    desktop_.openUrl(messengerUrl(second ? s.config.messengerB2 : s.config.messenger(s.variant)));
}

void ShellActions::startTimerFired()
{
    const QString arguments = updaterArgumentText(window_.session());
    if (window_.onOpenCamera)
        window_.onOpenCamera();
    if (!arguments.isEmpty())
        desktop_.startUpdater(window_.session().appFolder, arguments);
    window_.ui().Timer1->stop();
}

} // namespace kf
