#pragma once

// The logic of the colour panel frmAdjustColor for one photo. Opening the
// panel keeps the photo as it is now as its colour backup; every change of
// the five values rebuilds the photo from that backup with exactly the
// current values, so the photo always shows backup + current values.

#include "shell/phototable.h"

#include <QString>
#include <array>
#include <optional>

namespace kf {

inline constexpr int kColourValues = 5; // brightness, contrast, red, green, blue
inline constexpr int kColourMin = -100;
inline constexpr int kColourMax = 100;
inline constexpr int kColourSmallStep = 1;
inline constexpr int kColourLargeStep = 10;

class ColourPanel {
public:
    explicit ColourPanel(QString photo);

    const QString& photo() const { return photo_; }

    // Panel loading: writes the colour backup (photo + "1.dat") from the
    // photo and sets every value to 0. Nothing is applied.
    bool begin(QString* error = nullptr);

    const std::array<int, kColourValues>& values() const { return values_; }
    int value(int index) const { return values_.at(static_cast<std::size_t>(index)); }

    // A slider moved: value index becomes v (clamped to -100..100) and the
    // photo is rebuilt (ApplyColour). False, with the reason, when it could
    // not be; the photo is then unchanged.
    bool setValue(int index, int v, QString* error = nullptr);
    // Every value back to 0 and the photo rebuilt: the photo is its backup again.
    bool reset(QString* error = nullptr);
    // ApplyColour: the backup with the five current values, written over the photo.
    bool apply(QString* error = nullptr) const;

    // The adjustment the OK button records.
    ColourStep step() const;

    // What a text box's text sets its slider to: the number rounded to the
    // nearest integer (halves to even) and clamped; nothing when the text is
    // not a number.
    static std::optional<int> valueFromText(const QString& text);

private:
    QString photo_;
    std::array<int, kColourValues> values_ {};
};

} // namespace kf
