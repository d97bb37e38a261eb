#pragma once

#include <QRect>
#include <QString>
#include <vector>

namespace kf::art {

// Main window size in pixels (11160 x 7740 twips).
inline constexpr int kMainWidth = 744;
inline constexpr int kMainHeight = 516;

// Window places are kept in twips as the window is laid out; 15 twips make
// one pixel. Places that fall between pixels (7000 twips = 466.67 px) are
// rounded; the skin keeps the background under such buttons even, so a
// host that truncates instead sees the same picture.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// Areas of the main window that the background frames.
inline constexpr QRect kPreviewArea = twipsRect(1050, 1110, 4800, 3600); // 70,74 320x240
inline constexpr QRect kBannerArea = twipsRect(1020, 120, 2550, 400); // web banner link
inline constexpr QRect kSeparator = twipsRect(330, 6450, 10455, 45); // line above the button row
inline constexpr QRect kMessageArea = twipsRect(1080, 4920, 4800, 330); // short messages

// Photo strip thumbnail i (0..3).
QRect stripThumbRect(int i);
// Template grid cell i (0..14), five rows of three.
QRect templateCellRect(int i);

// What a button picture shows; decides its face and glyph.
enum class ButtonStyle {
    Tool, // bottom row: icon above a label
    Shot, // round shutter button
    Continue, // round "continue" button
    Help, // help bubble
    PageH, // template paging
    PageV, // photo strip paging, tall
    Category, // template category tab
    Placement, // small round placement button
    Messenger, // messenger icon
};

enum class Glyph {
    None,
    Camera,
    Import,
    Adjust,
    Delete,
    Browse,
    Setup,
    Exit,
    Question,
    ArrowLeft,
    ArrowRight,
    ArrowUp,
    ArrowDown,
    RotateLeft,
    RotateRight,
    Reset,
    Star,
    Bolt,
    Heart,
    Book,
    Film,
    Moon,
    Play,
};

// One picture of an image button: where it sits, its file names and look.
struct ButtonPicture {
    QString control; // control name in the main window
    QString normal; // normal picture file in data/
    QString hover; // hover picture file in data/, empty when none
    QRect rect; // place and size in pixels
    ButtonStyle style;
    Glyph glyph;
    QString label; // label drawn on the button (or its tool tip)
    int hue; // accent colour of the face, HSV hue 0..359
};

// Every button picture of the main window, in the order the window loads
// them.
const std::vector<ButtonPicture>& mainWindowButtons();

} // namespace kf::art
