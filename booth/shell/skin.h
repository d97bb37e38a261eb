#pragma once

#include <QString>
#include <vector>

namespace kf {

// Background and placeholder pictures of the main window, below the
// application folder (names are resolved without regard to case).
inline constexpr auto kMainPicture = "data/Main.jpg";
inline constexpr auto kVideoPicture = "data/Video.jpg";
inline constexpr auto kCanvasPicture = "data/back.jpg";
inline constexpr auto kAlbumTilePicture = "data/photo.jpg";
inline constexpr auto kLinkCursor = "data/harrow.cur";
inline constexpr auto kMessengerPicture = "data/QQ.gif";
inline constexpr auto kShotPicture = "data/Shot.gif";
inline constexpr auto kContinuePicture = "data/continue.gif";
inline constexpr auto kHelpDocument = "help.mht";
inline constexpr auto kTemplateRoot = "image";
inline constexpr auto kPhotoSavedFolder = "PhotoSaved";
inline constexpr auto kUploadFolder = "PhotoSaved/picture";

// Which image button a skin entry belongs to.
enum class SkinControl {
    Shot,
    Camera,
    Import,
    Adjust,
    Keyup,
    Setup,
    Exit,
    Delete,
    Help,
    Messenger,
    Messenger2,
    SubNext,
    SubPre,
    PhotoNext,
    PhotoPre,
    Placement, // index 0..6
    Sort, // index 0..5
};

struct ButtonSkin {
    SkinControl control;
    int index; // for Placement and Sort; 0 otherwise
    QString key; // hover key; empty for buttons without hover picture
    QString normal; // file below data/
    QString hover; // file below data/; empty = none
};

// The main window's image buttons in the order the skin loads them: the
// shot button, the bottom row, help, the messenger icons, the paging
// buttons, the placement buttons and the category buttons. Loading stops at
// the first picture that cannot be read; the buttons after it stay bare.
const std::vector<ButtonSkin>& skinButtons();

// Tags of the template categories, in the order of the category buttons;
// each is also the name of the category's folder below image/.
inline constexpr const char* kCategoryTags[6] = {"动画", "另类", "爱情", "杂志", "海报", "朦胧照"};

// Which button shows its hover picture. Moving onto another button
// restores the previous one first; moving over the background or a strip
// thumbnail restores it and forgets the key.
class HoverState {
public:
    struct Change {
        QString restore; // key whose normal picture comes back; empty = none
        QString hover; // key whose hover picture is shown; empty = none
    };
    Change overButton(const QString& key);
    Change overPlainArea();
    const QString& hoverKey() const { return hoverKey_; }

private:
    QString hoverKey_;
};

} // namespace kf
