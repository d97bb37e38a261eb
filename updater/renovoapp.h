// Renovo from its argument text to its end: reads the operator
// configuration, runs the update and shows the window while downloading.
#pragma once

#include "updater.h"

#include <QString>

namespace renovo {

// The service's web site from <appFolder>/data/operator.ini, key update/site.
QString readSite(const QString& appFolder);

// What the real program does: ask with a message box, end the booth by
// name (SIGTERM, SIGKILL after 5 s), start the setup without waiting.
Updater::Hooks platformHooks();

// Runs one update in the event loop and returns the process exit code.
int runUpdater(const QString& appFolder, const QString& argumentText, const Updater::Hooks& hooks);

} // namespace renovo
