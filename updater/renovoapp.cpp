#include "renovoapp.h"

#include "procutil.h"
#include "updatewindow.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>

namespace renovo {

QString readSite(const QString& appFolder)
{
    const QSettings settings(
        QDir(appFolder).filePath(QStringLiteral("data/operator.ini")), QSettings::IniFormat);
    return settings.value(QStringLiteral("update/site")).toString();
}

Updater::Hooks platformHooks()
{
    Updater::Hooks hooks;
    hooks.askToUpdate = [] {
        QMessageBox box(QMessageBox::Question, QStringLiteral("确认信息"),
            QStringLiteral("有新版本，要升级吗？"), QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    };
    hooks.endProgram = [](const QString& programName) {
        kf::EndProgramsOptions options;
        options.grace = std::chrono::milliseconds(5000);
        kf::endProgramsByName(QFile::encodeName(programName).toStdString(), options);
    };
    hooks.startProgram = [](const QString& path, const QString& workingFolder) {
        return QProcess::startDetached(path, {}, workingFolder);
    };
    return hooks;
}

int runUpdater(const QString& appFolder, const QString& argumentText, const Updater::Hooks& hooks)
{
    const auto args = parseUpdaterArguments(argumentText);
    if (!args)
        return 1;
    Updater updater(appFolder, readSite(appFolder), *args, hooks);
    UpdateWindow window(updater);
    QEventLoop loop;
    QObject::connect(&updater, &Updater::downloadStarted, &window, [&window] {
        window.show();
        window.activateWindow();
    });
    QObject::connect(&updater, &Updater::finished, &loop,
        [&loop](Updater::Outcome outcome) { loop.exit(Updater::exitCode(outcome)); });
    updater.start();
    return loop.exec();
}

} // namespace renovo
