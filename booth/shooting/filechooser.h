#pragma once

#include <QString>
#include <QStringList>

namespace kf {

// The file-open dialog of the import button, behind an interface so that
// tests choose files without a dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Lets the user pick existing picture files (several at once); full
    // paths in the order chosen, empty when cancelled.
    virtual QStringList choosePictures(const QString& title, const QString& filter) = 0;
};

} // namespace kf
