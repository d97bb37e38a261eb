#include "updatecheck.h"

#include "decimalfield.h"

#include <QStringDecoder>
#include <QStringList>

namespace renovo {
namespace {

QString decodeText(QByteArray body)
{
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        text = gb.decode(body);
        if (!gb.hasError())
            return text;
    }
    return QString::fromLatin1(body);
}

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

} // namespace

std::optional<Version> parseVersionText(const QByteArray& body)
{
    const QString text = decodeText(body);
    const qsizetype end = text.indexOf(u'\n');
    if (end < 0)
        return std::nullopt;
    QString line = text.left(end);
    if (line.endsWith(u'\r'))
        line.chop(1);
    if (line.size() <= 4)
        return std::nullopt;
    const QStringList fields = line.mid(4).split(u'.');
    if (fields.size() < 4)
        return std::nullopt;
    const auto major = detail::readDecimal(fields[0]);
    const auto minor = detail::readDecimal(fields[1]);
    const auto revision = detail::readDecimal(fields[3]);
    if (!major || !minor || !revision)
        return std::nullopt;
    return Version {*major, *minor, *revision};
}

bool isNewer(const Version& web, const Version& local)
{
    if (web.major != local.major)
        return web.major > local.major;
    if (web.minor != local.minor)
        return web.minor > local.minor;
    return web.revision > local.revision;
}

QUrl versionTextUrl(const QString& site)
{
    QString base = site.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    const QUrl siteUrl(base, QUrl::StrictMode);
    if (!isWebAddress(siteUrl) || siteUrl.hasQuery() || siteUrl.hasFragment())
        return {};
    return QUrl(base + QStringLiteral("/1.txt"), QUrl::StrictMode);
}

std::optional<QString> downloadFileName(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!isWebAddress(url) || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    const QString path = url.path(QUrl::FullyEncoded);
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    const QString name = QUrl::fromPercentEncoding(path.mid(slash + 1).toLatin1());
    if (name.isEmpty() || name == u"." || name == u"..")
        return std::nullopt;
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f
            || c == QChar::ReplacementCharacter)
            return std::nullopt;
    return name;
}

QString percentText(qint64 written, qint64 expected, bool complete)
{
    qint64 percent = 0;
    if (complete || (expected > 0 && written >= expected))
        percent = 100;
    else if (expected > 0 && written > 0)
        percent = written * 100 / expected;
    return QString::number(percent) + u'%';
}

} // namespace renovo
