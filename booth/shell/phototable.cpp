#include "phototable.h"

#include <QStringList>

namespace kf {

QString photoName(const QString& shootFolder, int slot)
{
    return shootFolder + QStringLiteral("/Photo") + QString::number(slot) + QStringLiteral(".bmp");
}

QString cleanCopy(const QString& photo)
{
    return photo + QStringLiteral(".dat");
}

QString placedCopy(const QString& photo)
{
    return photo + QStringLiteral("2.dat");
}

QString colourBackup(const QString& photo)
{
    return photo + QStringLiteral("1.dat");
}

QString importName(const QString& sourceFileName, int number)
{
    return sourceFileName.left(qMax(0, sourceFileName.size() - 4)) + QString::number(number)
        + QStringLiteral(".bmp");
}

std::vector<ColourStep> parseColourSteps(const QString& text)
{
    std::vector<ColourStep> steps;
    if (text.isEmpty())
        return steps;
    const QStringList fields = text.split(u'@');
    for (qsizetype i = 0; i + 5 <= fields.size(); i += 5) {
        // An empty or unreadable field reads as 0, as every number of the table does.
        steps.push_back({fields[i].toInt(), fields[i + 1].toInt(), fields[i + 2].toInt(),
            fields[i + 3].toInt(), fields[i + 4].toInt()});
    }
    return steps;
}

QString appendColourStep(const QString& text, const ColourStep& step)
{
    const QString group = QStringLiteral("%1@%2@%3@%4@%5")
                              .arg(step.brightness)
                              .arg(step.contrast)
                              .arg(step.red)
                              .arg(step.green)
                              .arg(step.blue);
    return text.isEmpty() ? group : text + u'@' + group;
}

PhotoSlot& PhotoTable::slot(int n)
{
    return slots_.at(static_cast<std::size_t>(n - 1)); // callers check validSlot()
}

const PhotoSlot& PhotoTable::slot(int n) const
{
    return slots_.at(static_cast<std::size_t>(n - 1)); // callers check validSlot()
}

void PhotoTable::clear()
{
    slots_.fill({});
    currentPhoto = 1;
    photoCount = 0;
    stripPage = 1;
}

} // namespace kf
