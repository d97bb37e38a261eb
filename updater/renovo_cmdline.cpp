#include "renovo_cmdline.h"

#include "decimalfield.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <limits>

namespace renovo {
namespace {

bool usableProgramName(const QString& name)
{
    return !name.isEmpty() && !name.contains(kFieldSeparator) && !name.contains(u'/')
        && !name.contains(QChar(0));
}

std::optional<int> readNumber(const QString& field)
{
    const auto value = detail::readDecimal(field);
    if (!value || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

} // namespace

QString buildUpdaterArguments(
    const QString& programName, int major, int minor, int revision, const QString& downloadAddress)
{
    if (!usableProgramName(programName) || major < 0 || minor < 0 || revision < 0
        || downloadAddress.isEmpty())
        return {};
    return QStringList {programName, QString::number(major), QString::number(minor),
        QString::number(revision), downloadAddress}
        .join(kFieldSeparator);
}

std::optional<UpdaterArguments> parseUpdaterArguments(const QString& text)
{
    const QStringList fields = text.trimmed().split(kFieldSeparator);
    if (fields.size() < 5)
        return std::nullopt;
    UpdaterArguments args;
    args.programName = fields[0].trimmed();
    const auto major = readNumber(fields[1]);
    const auto minor = readNumber(fields[2]);
    const auto revision = readNumber(fields[3]);
    args.downloadAddress = fields.mid(4).join(kFieldSeparator).trimmed();
    if (!usableProgramName(args.programName) || !major || !minor || !revision
        || args.downloadAddress.isEmpty())
        return std::nullopt;
    args.major = *major;
    args.minor = *minor;
    args.revision = *revision;
    return args;
}

QString runningProgramName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString updaterProgramPath(const QString& appFolder)
{
    return QDir(appFolder).filePath(QString::fromLatin1(kUpdaterProgram));
}

bool startUpdater(const QString& appFolder, const QString& arguments)
{
    return QProcess::startDetached(updaterProgramPath(appFolder), {arguments}, appFolder);
}

} // namespace renovo
