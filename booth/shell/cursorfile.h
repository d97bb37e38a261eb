#pragma once

#include <QCursor>
#include <QString>
#include <optional>

namespace kf {

// Reads a pointer file (the .cur format: an icon directory of type 2 whose
// entries carry the hot spot). Nothing when the file cannot be read.
std::optional<QCursor> loadCursorFile(const QString& path);

} // namespace kf
