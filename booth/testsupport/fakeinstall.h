#pragma once

#include <QColor>
#include <QString>
#include <QTemporaryDir>

namespace kf::test {

// A small application folder for window tests: data/ with every skin
// picture (each a flat colour, normal and hover pictures told apart by
// colour), Main.jpg of the given size, Video.jpg, and PhotoSaved/.
class FakeInstall {
public:
    explicit FakeInstall(qint64 mainJpgBytes = 50'000);
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }
    // Colour the fake picture of a file name gets.
    static QColor colourFor(const QString& fileName);

private:
    QTemporaryDir dir_;
};

} // namespace kf::test
