// Renovo's decision and download steps, without the window: check the
// site's version text, ask, download the setup program into download/,
// end the booth and start the setup. The window only shows the progress
// this class reports and forwards the cancel button to it.
#pragma once

#include "renovo_cmdline.h"
#include "updatecheck.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <functional>
#include <memory>

class QNetworkReply;

namespace renovo {

class Updater : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        NoUpdate, // the site's version is not newer
        Declined, // the user answered No
        Cancelled, // cancel button or window closed
        Installed, // booth ended, setup started
        Refused, // unusable site or setup address; nothing was fetched
        CheckFailed, // version text unreachable, empty or unreadable
        DownloadFailed, // no complete file; nothing was ended or started
        SetupNotStarted // booth ended, but the setup program did not start
    };
    Q_ENUM(Outcome)

    struct Hooks {
        std::function<bool()> askToUpdate; // true: Yes
        std::function<void(const QString& programName)> endProgram; // end the booth by name
        std::function<bool(const QString& path, const QString& workingFolder)> startProgram;
    };

    struct ProgressBar {
        int maximum = 0; // 0: size unknown, busy bar
        int value = 0;
    };

    Updater(QString appFolder, QString site, UpdaterArguments args, Hooks hooks, QObject* parent = nullptr);
    ~Updater() override;

    // No data for this long ends a fetch as failed.
    void setTransferTimeout(int milliseconds) { m_transferTimeout = milliseconds; }

    // Starts the version check; finished() follows once, always queued.
    void start();
    // Ends the check or the download; an older file in download/ stays as it was.
    void cancel();

    QString targetPath() const { return m_targetPath; }
    qint64 bytesWritten() const { return m_written; }
    qint64 expectedBytes() const { return m_expected; } // -1: no Content-Length
    bool downloadComplete() const { return m_complete; }
    QString percentText() const;
    ProgressBar progressBar() const;

    static int exitCode(Outcome outcome);

signals:
    void downloadStarted();
    void progressChanged();
    void finished(renovo::Updater::Outcome outcome);

private:
    QNetworkReply* get(const QUrl& url);
    void onVersionText();
    void startDownload();
    void readLength();
    void onDownloadData();
    void onDownloadFinished();
    void install();
    void finish(Outcome outcome);
    void dropReply();

    QString m_appFolder;
    QString m_site;
    UpdaterArguments m_args;
    Hooks m_hooks;
    int m_transferTimeout = 30000;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QSaveFile> m_file;
    QString m_targetPath;
    qint64 m_written = 0;
    qint64 m_expected = -1;
    bool m_complete = false;
    bool m_finished = false;
    bool m_installing = false;
};

} // namespace renovo
