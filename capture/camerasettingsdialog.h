// The camera settings dialog: one row per adjustable control of the camera,
// each change applied to the camera at once.
#pragma once

#include "camcontrols.h"

#include <QDialog>
#include <functional>
#include <vector>

namespace capture {

class CameraSettingsDialog : public QDialog {
public:
    CameraSettingsDialog(CameraControls& controls, const QString& title, QWidget* parent = nullptr);

    // Puts every control back to its default value (the "默认值" button).
    void restoreDefaults();

    // Label shown for a control: the host's name for a proc-amp property,
    // else the device's own name.
    static QString labelFor(const CameraControl& c);

private:
    CameraControls& controls_;
    std::vector<std::function<void()>> resetters_;
};

} // namespace capture
