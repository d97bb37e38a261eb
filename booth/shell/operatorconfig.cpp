#include "operatorconfig.h"

#include "appfolder.h"

#include <QFileInfo>
#include <QSettings>

namespace kf {

SkinVariant skinVariantForSize(qint64 bytes)
{
    const qint64 whole = bytes / 1024;
    const qint64 rest = bytes % 1024;
    qint64 kb = whole;
    if (rest > 512 || (rest == 512 && whole % 2 == 1))
        ++kb;
    return kb <= 175 ? SkinVariant::A : SkinVariant::B;
}

SkinVariant skinVariantOf(const QString& mainPicturePath)
{
    const QFileInfo info(mainPicturePath);
    return info.isFile() ? skinVariantForSize(info.size()) : SkinVariant::A;
}

OperatorConfig OperatorConfig::load(const QString& iniPath)
{
    OperatorConfig c;
    if (!QFileInfo(iniPath).isFile())
        return c;
    QSettings s(iniPath, QSettings::IniFormat);
    auto text
        = [&s](const char* key, QString& value) { value = s.value(QLatin1String(key), value).toString(); };
    text("site/name", c.siteName);
    text("skinA/web", c.webA);
    text("skinA/mark", c.markA);
    text("skinA/messenger", c.messengerA);
    text("skinB/web", c.webB);
    text("skinB/mark", c.markB);
    text("skinB/messenger", c.messengerB);
    text("skinB/messenger2", c.messengerB2);
    text("update/site", c.updateSite);
    text("update/download", c.downloadAddress);
    text("album/host", c.albumHost);
    text("album/ftpuser", c.ftpUser);
    text("album/ftppassword", c.ftpPassword);
    bool ok = false;
    const int port = s.value(QStringLiteral("album/port")).toInt(&ok);
    if (ok && port > 0 && port < 65536)
        c.albumPort = port;
    return c;
}

QString OperatorConfig::defaultPath(const QString& appFolder)
{
    return resolvePath(appFolder, QStringLiteral("data/operator.ini"));
}

} // namespace kf
