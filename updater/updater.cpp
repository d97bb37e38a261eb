#include "updater.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <limits>

Q_LOGGING_CATEGORY(lcRenovo, "renovo")

namespace renovo {
namespace {

constexpr qint64 kMaxVersionText = 64 * 1024;
constexpr int kMaxRedirects = 10;

int statusOf(const QNetworkReply* reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

Updater::Updater(QString appFolder, QString site, UpdaterArguments args, Hooks hooks, QObject* parent)
    : QObject(parent)
    , m_appFolder(std::move(appFolder))
    , m_site(std::move(site))
    , m_args(std::move(args))
    , m_hooks(std::move(hooks))
{
}

Updater::~Updater()
{
    dropReply();
}

int Updater::exitCode(Outcome outcome)
{
    switch (outcome) {
    case Outcome::NoUpdate:
    case Outcome::Declined:
    case Outcome::Cancelled:
    case Outcome::Installed:
        return 0;
    default:
        return 1;
    }
}

QNetworkReply* Updater::get(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(m_transferTimeout);
    // Bytes as they are sent, so that Content-Length counts what is written.
    request.setRawHeader("Accept-Encoding", "identity");
    return m_network.get(request);
}

void Updater::start()
{
    const QUrl versionUrl = versionTextUrl(m_site);
    const auto fileName = downloadFileName(m_args.downloadAddress);
    if (versionUrl.isEmpty() || !fileName) {
        qCWarning(lcRenovo) << "unusable site or setup address:" << m_site << m_args.downloadAddress;
        finish(Outcome::Refused);
        return;
    }
    m_targetPath = QDir(m_appFolder).filePath(QStringLiteral("download/") + *fileName);
    m_reply = get(versionUrl);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > kMaxVersionText && m_reply)
            m_reply->abort();
    });
    connect(m_reply, &QNetworkReply::finished, this, &Updater::onVersionText);
}

void Updater::onVersionText()
{
    QNetworkReply* reply = m_reply;
    if (!reply || m_finished)
        return;
    reply->deleteLater();
    m_reply = nullptr;
    if (reply->error() != QNetworkReply::NoError || statusOf(reply) != 200) {
        qCWarning(lcRenovo) << "version text not fetched:" << statusOf(reply) << reply->errorString();
        finish(Outcome::CheckFailed);
        return;
    }
    const auto web = parseVersionText(reply->readAll());
    if (!web) {
        qCWarning(lcRenovo) << "version text unreadable";
        finish(Outcome::CheckFailed);
        return;
    }
    const Version local {m_args.major, m_args.minor, m_args.revision};
    if (!isNewer(*web, local)) {
        finish(Outcome::NoUpdate);
        return;
    }
    if (!m_hooks.askToUpdate || !m_hooks.askToUpdate()) {
        finish(Outcome::Declined);
        return;
    }
    if (!m_finished)
        startDownload();
}

void Updater::startDownload()
{
    const QString folder = QDir(m_appFolder).filePath(QStringLiteral("download"));
    if (!QDir().mkpath(folder)) {
        qCWarning(lcRenovo) << "cannot create" << folder;
        finish(Outcome::DownloadFailed);
        return;
    }
    // Written beside the target and renamed over it only when complete.
    m_file = std::make_unique<QSaveFile>(m_targetPath);
    if (!m_file->open(QIODevice::WriteOnly)) {
        qCWarning(lcRenovo) << "cannot write" << m_targetPath << m_file->errorString();
        m_file.reset();
        finish(Outcome::DownloadFailed);
        return;
    }
    m_reply = get(QUrl(m_args.downloadAddress.trimmed(), QUrl::StrictMode));
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        readLength();
        emit progressChanged();
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &Updater::onDownloadData);
    connect(m_reply, &QNetworkReply::finished, this, &Updater::onDownloadFinished);
    emit downloadStarted();
    emit progressChanged();
}

void Updater::readLength()
{
    if (m_expected >= 0 || !m_reply || statusOf(m_reply) != 200)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() >= 0)
        m_expected = length.toLongLong();
}

void Updater::onDownloadData()
{
    if (!m_reply || !m_file)
        return;
    if (statusOf(m_reply) != 200) {
        m_reply->readAll(); // an error page is no setup program
        return;
    }
    readLength();
    const QByteArray data = m_reply->readAll();
    if (data.isEmpty())
        return;
    if (m_file->write(data) != data.size()) {
        qCWarning(lcRenovo) << "write failed:" << m_file->errorString();
        dropReply();
        m_file.reset();
        finish(Outcome::DownloadFailed);
        return;
    }
    m_written += data.size();
    emit progressChanged();
}

void Updater::onDownloadFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply || m_finished)
        return;
    onDownloadData();
    if (m_finished)
        return;
    reply->deleteLater();
    m_reply = nullptr;
    const int status = statusOf(reply);
    const bool sizeRight = m_expected >= 0 ? m_written == m_expected : m_written > 0;
    if (reply->error() != QNetworkReply::NoError || status != 200 || !sizeRight || m_written == 0) {
        qCWarning(lcRenovo) << "download incomplete:" << status << reply->errorString() << m_written << "of"
                            << m_expected;
        m_file.reset(); // the partial file goes; an older one stays
        finish(Outcome::DownloadFailed);
        return;
    }
    if (!m_file->commit()) {
        qCWarning(lcRenovo) << "cannot replace" << m_targetPath << m_file->errorString();
        m_file.reset();
        finish(Outcome::DownloadFailed);
        return;
    }
    m_file.reset();
    QFile target(m_targetPath);
    QFileDevice::Permissions permissions
        = target.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (permissions & QFileDevice::ReadGroup)
        permissions |= QFileDevice::ExeGroup;
    if (permissions & QFileDevice::ReadOther)
        permissions |= QFileDevice::ExeOther;
    if (!target.setPermissions(permissions)) {
        qCWarning(lcRenovo) << "cannot make executable:" << m_targetPath;
        finish(Outcome::DownloadFailed);
        return;
    }
    m_complete = true;
    emit progressChanged();
    install();
}

void Updater::install()
{
    m_installing = true;
    // Let the window show the full bar before the booth is ended.
    QCoreApplication::processEvents();
    if (m_hooks.endProgram)
        m_hooks.endProgram(m_args.programName);
    const bool started = m_hooks.startProgram && m_hooks.startProgram(m_targetPath, m_appFolder);
    if (!started)
        qCWarning(lcRenovo) << "setup program did not start:" << m_targetPath;
    finish(started ? Outcome::Installed : Outcome::SetupNotStarted);
}

void Updater::cancel()
{
    if (m_finished || m_installing)
        return;
    dropReply();
    m_file.reset();
    finish(Outcome::Cancelled);
}

void Updater::dropReply()
{
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void Updater::finish(Outcome outcome)
{
    if (m_finished)
        return;
    m_finished = true;
    QMetaObject::invokeMethod(
        this, [this, outcome] { emit finished(outcome); }, Qt::QueuedConnection);
}

QString Updater::percentText() const
{
    return renovo::percentText(m_written, m_expected, m_complete);
}

Updater::ProgressBar Updater::progressBar() const
{
    if (m_complete)
        return {1, 1};
    if (m_expected < 0)
        return {0, 0};
    // Scaled down where the size does not fit the bar's range.
    int shift = 0;
    while ((m_expected >> shift) > std::numeric_limits<int>::max())
        ++shift;
    const auto maximum = static_cast<int>(m_expected >> shift);
    return {maximum, static_cast<int>(std::min(m_written, m_expected) >> shift)};
}

} // namespace renovo
