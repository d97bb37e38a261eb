#include "colourpanel.h"

#include "imageio.h"
#include "merger.h"
#include "picture.h"

#include <algorithm>
#include <cmath>

namespace kf {

ColourPanel::ColourPanel(QString photo)
    : photo_(std::move(photo))
{
}

bool ColourPanel::begin(QString* error)
{
    values_.fill(0);
    const QImage current = loadImage(photo_, error);
    if (current.isNull())
        return false;
    return writeImage(current, colourBackup(photo_), kSaveTypeWorking, error);
}

bool ColourPanel::setValue(int index, int v, QString* error)
{
    if (index < 0 || index >= kColourValues)
        return false;
    values_[static_cast<std::size_t>(index)] = std::clamp(v, kColourMin, kColourMax);
    return apply(error);
}

bool ColourPanel::reset(QString* error)
{
    values_.fill(0);
    return apply(error);
}

bool ColourPanel::apply(QString* error) const
{
    Picture picture;
    if (!picture.load(colourBackup(photo_))) {
        if (error)
            *error = picture.errorString();
        return false;
    }
    picture.brightness(values_[0]);
    picture.contrast(values_[1]);
    picture.colourBalance(values_[2], values_[3], values_[4]);
    return writePicturesTogether({{picture.image(), photo_}}, error);
}

ColourStep ColourPanel::step() const
{
    return ColourStep {values_[0], values_[1], values_[2], values_[3], values_[4]};
}

std::optional<int> ColourPanel::valueFromText(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double clamped = std::clamp(v, double(kColourMin), double(kColourMax));
    return static_cast<int>(std::nearbyint(clamped));
}

} // namespace kf
