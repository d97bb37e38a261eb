#pragma once

#include "sheen_global.h"

class QWidget;

namespace sheen {

class SheenKey;

// The tooltip shared by every button of the process. The window is made
// when the first button registers in run mode (not inside a form designer)
// and destroyed when the last registered button goes; the next button made
// afterwards brings a new one. The tip text is asked of the button each time
// the tip is about to show, so a changed TipText shows the next time.
namespace modToolTip {

// Buttons registered and not yet destroyed.
SHEEN_EXPORT int buttonCount();
// The shared tooltip window, or nullptr while there is none.
SHEEN_EXPORT QWidget* toolTipWindow();
// How long, in milliseconds, the pointer must rest on a button before its
// tip shows (default 500), and how long the tip stays (default 5000).
SHEEN_EXPORT void setInitialDelay(int milliseconds);
SHEEN_EXPORT void setAutoPopDelay(int milliseconds);

// Registers the button once (counting it); in run mode also makes the
// window if needed, hooks the button's events and adds it as a tool.
void SetUpToolTip(SheenKey* key, bool runMode);
// Takes the button's events back and removes it as a tool; it stays counted.
void UnhookWindow(SheenKey* key);
// The button's share ends: uncounted, unhooked, and the window destroyed
// when no registered button is left.
void TerminateToolTip(SheenKey* key);

} // namespace modToolTip
} // namespace sheen
