#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace kf {

// The folder that holds the running program file, without a trailing
// separator. Every data path of the booth is relative to it.
QString appFolder();

// Resolves a relative path below base without regard to letter case, one
// component at a time: where a component exists as written it is taken,
// otherwise the first entry of the folder whose name matches it ignoring
// case (in name order). Components that exist in no case are kept as
// written, so the result can also name a file that is to be created.
// Separators may be "/" or "\". The result never leaves base: ".." and
// empty components are refused (an empty string is returned).
QString resolvePath(const QString& base, const QString& relative);

// resolvePath(appFolder(), relative).
QString appPath(const QString& relative);

// Local-time stamps. The last pair of both is the month again, not a
// fraction of a second: 11 October 2007 07:20:06 gives 07101107200610.
QString shootStamp(const QDateTime& t); // yymmddhhmmssmm, 14 digits
QString postStamp(const QDateTime& t); // yyyymmddhhmmssmm, 16 digits

using Clock = std::function<QDateTime()>;
QDateTime systemClock();

// Creates the run's photo folder PhotoSaved/<14-digit stamp> below the
// application folder and returns its path. PhotoSaved is created when it is
// missing. When a folder of that name exists already (a second start within
// the same second) the stamp of the next second is tried, up to a minute
// ahead, so no two runs ever share a folder and none is lost; mkdir is
// atomic, so this holds for starts racing each other too. Returns nothing
// when no folder could be created.
std::optional<QString> createShootFolder(const QString& appFolder, const Clock& clock = systemClock);

} // namespace kf
