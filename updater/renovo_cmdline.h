// The updater's command line, shared by the booth (which builds it) and
// Renovo (which reads it): one argument text of five fields joined by '*':
//
//   program name*major*minor*revision*download address
//
// e.g. "Kinfolio*1*0*80*http://www.example.com/software/setup_cn.exe".
// The program name is the booth's program file name without extension;
// Renovo ends running programs of that name before it starts a setup.
#pragma once

#include <QString>
#include <optional>

namespace renovo {

inline constexpr QChar kFieldSeparator = u'*';
// Name of the updater's program file in the application folder.
inline constexpr const char* kUpdaterProgram = "Renovo";

struct UpdaterArguments {
    QString programName;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString downloadAddress;
    bool operator==(const UpdaterArguments&) const = default;
};

// The argument text; the numbers in decimal without leading zeros. Returns
// an empty text (which Renovo refuses) when a field cannot be carried: an
// empty program name or one with '*' or '/', a negative number, an empty
// download address.
QString buildUpdaterArguments(
    const QString& programName, int major, int minor, int revision, const QString& downloadAddress);

// Reads an argument text. Blanks around the text and around the numbers
// are ignored; the address is everything after the fourth '*'. nullopt for
// fewer than five fields, an empty or unusable program name, numbers that
// are not plain non-negative decimals, or an empty address.
std::optional<UpdaterArguments> parseUpdaterArguments(const QString& text);

// The running program's file name, as Renovo matches it when it ends the
// program: the whole name of the program file (Linux programs carry no
// extension to drop). Needs a QCoreApplication.
QString runningProgramName();

// appFolder + "/Renovo".
QString updaterProgramPath(const QString& appFolder);

// Starts the updater of `appFolder` with the argument text as its only
// argument, without waiting for it. False when it could not be started.
bool startUpdater(const QString& appFolder, const QString& arguments);

} // namespace renovo
