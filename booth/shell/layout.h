#pragma once

#include <QPoint>
#include <QRect>

// Places and sizes of the booth's windows and controls. They are kept in
// twips, as the window designs were drawn; 15 twips make one pixel.
namespace kf::layout {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    // Nearest pixel; the designs keep most values on whole pixels.
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipRect {
    int left, top, width, height;
    constexpr QRect pixels() const { return QRect(px(left), px(top), px(width), px(height)); }
};

// Main window frmmain (client area).
inline constexpr int kMainWidth = 11160;
inline constexpr int kMainHeight = 7740;

inline constexpr TwipRect kBackground {0, 0, 11175, 7725};
inline constexpr TwipRect kPreview {1050, 1110, 4800, 3600}; // Capture1 and ixpEffect
inline constexpr TwipRect kShot {6000, 2400, 705, 705};
inline constexpr int kStripTop = 5280;
inline constexpr int kStripLeft[4] = {1170, 2550, 3960, 5340};
inline constexpr int kStripHeight = 990;
constexpr int stripWidth(int i)
{
    return i == 1 ? 1395 : 1365;
}
inline constexpr TwipRect kPhotoPre {690, 5250, 435, 1065};
inline constexpr TwipRect kPhotoNext {6720, 5250, 495, 1065};
inline constexpr TwipRect kSubPre {8400, 4740, 945, 645};
inline constexpr TwipRect kSubNext {9420, 4740, 855, 645};

// Template grid: five rows of three cells; cell index = row * 3 + column.
inline constexpr int kGridColumns[3] = {7800, 8850, 9900};
inline constexpr int kGridRows[5] = {690, 1470, 2280, 3090, 3930};
inline constexpr int kGridCellWidth = 975;
constexpr int gridCellHeight(int row)
{
    return row == 0 || row == 4 ? 690 : 720;
}
constexpr TwipRect gridCell(int index)
{
    return {kGridColumns[index % 3], kGridRows[index / 3], kGridCellWidth, gridCellHeight(index / 3)};
}

// Category buttons: two rows of three; their size is their picture's.
inline constexpr int kSortColumns[3] = {7710, 8700, 9870};
inline constexpr int kSortRows[2] = {5460, 5940};
constexpr QPoint sortPlace(int i)
{
    return QPoint(px(kSortColumns[i % 3]), px(kSortRows[i / 3]));
}

// Placement buttons Image2(0..6), 375 x 375 each.
inline constexpr int kPlacementSize = 375;
inline constexpr QPoint kPlacementTwips[7]
    = {{6000, 4080}, {7000, 4080}, {6480, 3600}, {6480, 4600}, {6000, 4560}, {6480, 4080}, {6960, 4560}};

// Bottom button row.
inline constexpr TwipRect kCamera {330, 6690, 1425, 795};
inline constexpr TwipRect kImport {1850, 6690, 1425, 795};
inline constexpr TwipRect kAdjust {3360, 6690, 1395, 795};
inline constexpr TwipRect kDelete {4920, 6690, 1455, 795};
inline constexpr TwipRect kKeyup {6480, 6690, 1395, 795};
inline constexpr TwipRect kSetup {8000, 6690, 1395, 795};
inline constexpr TwipRect kExit {9500, 6690, 1395, 795};
inline constexpr TwipRect kHelp {6000, 960, 735, 615};

// Web banner and messenger links.
inline constexpr TwipRect kBanner {1020, 120, 2550, 400};
inline constexpr int kBannerWidthB = 3690;
inline constexpr TwipRect kMessenger {6000, 2040, 255, 255};
inline constexpr TwipRect kMessenger2 {6400, 2040, 255, 255};
// Red underline of the banner, 3 pixels wide.
inline constexpr int kLineY = 555;
inline constexpr int kLineFromX = 1080, kLineToX = 3550;
inline constexpr int kLineFromXB = 1000, kLineToXB = 4650;

inline constexpr QPoint kLabelMsg {1080, 4920};
inline constexpr TwipRect kFrame1 {330, 6450, 10455, 45};

// Splash window frmIntro.
inline constexpr int kSplashWidth = 4800;
inline constexpr int kSplashHeight = 3615;

} // namespace kf::layout
