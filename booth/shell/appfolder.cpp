#include "appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kf {

QString appFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString resolvePath(const QString& base, const QString& relative)
{
    QString normal = relative;
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = base;
    bool existing = QFileInfo(base).isDir();
    for (const QString& part : parts) {
        if (part == u"." || part == u"..")
            return {};
        QString next = current + u'/' + part;
        if (existing && !QFileInfo::exists(next)) {
            const QStringList entries = QDir(current).entryList(
                QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + u'/' + entry;
                    break;
                }
            }
        }
        existing = existing && QFileInfo::exists(next);
        current = next;
    }
    return current;
}

QString appPath(const QString& relative)
{
    return resolvePath(appFolder(), relative);
}

QString shootStamp(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyMMddHHmmss")) + t.toString(QStringLiteral("MM"));
}

QString postStamp(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyyMMddHHmmss")) + t.toString(QStringLiteral("MM"));
}

QDateTime systemClock()
{
    return QDateTime::currentDateTime();
}

std::optional<QString> createShootFolder(const QString& appFolder, const Clock& clock)
{
    const QString saved = resolvePath(appFolder, QStringLiteral("PhotoSaved"));
    if (!QDir().mkpath(saved))
        return std::nullopt;
    const QDateTime now = clock();
    for (int ahead = 0; ahead < 60; ++ahead) {
        const QString folder = saved + u'/' + shootStamp(now.addSecs(ahead));
        if (QDir().mkdir(folder))
            return folder;
        if (!QFileInfo::exists(folder))
            return std::nullopt; // not a name clash: the parent is not writable
    }
    return std::nullopt;
}

} // namespace kf
