#include "art/layout.h"

namespace kf::art {

QRect stripThumbRect(int i)
{
    static constexpr int lefts[4] = {1170, 2550, 3960, 5340};
    return twipsRect(lefts[i], 5280, i == 1 ? 1395 : 1365, 990);
}

QRect templateCellRect(int i)
{
    static constexpr int lefts[3] = {7800, 8850, 9900};
    static constexpr int tops[5] = {690, 1470, 2280, 3090, 3930};
    const int row = i / 3;
    const int height = (row == 0 || row == 4) ? 690 : 720;
    return twipsRect(lefts[i % 3], tops[row], 975, height);
}

namespace {

ButtonPicture tool(const char* control, const char* normal, const char* hover, int left, int width,
    Glyph glyph, const char* label, int hue)
{
    return {QString::fromLatin1(control), QString::fromLatin1(normal), QString::fromLatin1(hover),
        twipsRect(left, 6690, width, 795), ButtonStyle::Tool, glyph, QString::fromUtf8(label), hue};
}

std::vector<ButtonPicture> buildButtons()
{
    std::vector<ButtonPicture> b;
    b.push_back({"cmdShot", "Shot.gif", {}, twipsRect(6000, 2400, 705, 705), ButtonStyle::Shot, Glyph::Camera,
        QString::fromUtf8("拍照"), 350});
    b.push_back({"cmdShot", "continue.gif", {}, twipsRect(6000, 2400, 705, 705), ButtonStyle::Continue,
        Glyph::Play, QString::fromUtf8("继续"), 140});
    b.push_back(
        tool("cmdCamera", "Openvideo.gif", "Openvideo1.gif", 330, 1425, Glyph::Camera, "打开摄像头", 352));
    b.push_back(
        tool("cmdphoto", "Inputphoto.gif", "inputphoto1.gif", 1850, 1425, Glyph::Import, "导入照片", 28));
    b.push_back(
        tool("cmdadjust", "Adjustphoto.gif", "Adjustphoto1.gif", 3360, 1395, Glyph::Adjust, "调整照片", 150));
    b.push_back(tool("cmdkeyup", "keyup.gif", "keyup1.gif", 6480, 1395, Glyph::Browse, "浏览照片", 205));
    b.push_back(tool("cmdsetup", "setup.gif", "setup1.gif", 8000, 1395, Glyph::Setup, "摄像头设置", 235));
    b.push_back(tool("cmdexit", "exit.gif", "Exit1.gif", 9500, 1395, Glyph::Exit, "退出", 320));
    b.push_back(tool("cmdDel", "del.gif", "del1.gif", 4920, 1455, Glyph::Delete, "删除照片", 0));
    b.push_back({"cmdHelp", "help1.gif", "help.gif", twipsRect(6000, 960, 735, 615), ButtonStyle::Help,
        Glyph::Question, QString::fromUtf8("帮助"), 45});
    b.push_back({"ImageQQ", "QQ.gif", {}, twipsRect(6000, 2040, 255, 255), ButtonStyle::Messenger,
        Glyph::None, QString::fromUtf8("QQ交谈"), 195});
    b.push_back({"cmdSubNext", "forenext.gif", "forenext1.gif", twipsRect(9420, 4740, 855, 645),
        ButtonStyle::PageH, Glyph::ArrowRight, QString::fromUtf8("下一页"), 340});
    b.push_back({"cmdSubPre", "forePre.gif", "forepre1.gif", twipsRect(8400, 4740, 945, 645),
        ButtonStyle::PageH, Glyph::ArrowLeft, QString::fromUtf8("上一页"), 340});
    b.push_back({"cmdPhotoNext", "photonext.gif", "PhotoNext1.gif", twipsRect(6720, 5250, 495, 1065),
        ButtonStyle::PageV, Glyph::ArrowRight, QString::fromUtf8("向后翻"), 340});
    b.push_back({"cmdPhotoPre", "photopre.gif", "PhotoPre1.gif", twipsRect(690, 5250, 435, 1065),
        ButtonStyle::PageV, Glyph::ArrowLeft, QString::fromUtf8("向前翻"), 340});

    struct Place {
        int left, top;
        Glyph glyph;
        const char* tip;
    };
    static constexpr Place places[7] = {
        {6000, 4080, Glyph::ArrowLeft, "左移"},
        {7000, 4080, Glyph::ArrowRight, "右移"},
        {6480, 3600, Glyph::ArrowUp, "上移"},
        {6480, 4600, Glyph::ArrowDown, "下移"},
        {6000, 4560, Glyph::RotateLeft, "左旋转"},
        {6480, 4080, Glyph::Reset, "复位"},
        {6960, 4560, Glyph::RotateRight, "右旋转"},
    };
    for (int i = 0; i < 7; ++i) {
        b.push_back(
            {QStringLiteral("Image2(%1)").arg(i), QStringLiteral("chang%1").arg(i) + QStringLiteral("1.gif"),
                QStringLiteral("chang%1").arg(i) + QStringLiteral("2.gif"),
                twipsRect(places[i].left, places[i].top, 375, 375), ButtonStyle::Placement, places[i].glyph,
                QString::fromUtf8(places[i].tip), 340});
    }

    // Category tabs: the window gives their places only; 930 x 450 twips
    // (62 x 30 px) fits the three columns at 7710, 8700 and 9870.
    struct Sort {
        int left, top;
        Glyph glyph;
        const char* label;
        int hue;
    };
    static constexpr Sort sorts[6] = {
        {7710, 5460, Glyph::Star, "动画", 30},
        {8700, 5460, Glyph::Bolt, "另类", 275},
        {9870, 5460, Glyph::Heart, "爱情", 345},
        {7710, 5940, Glyph::Book, "杂志", 210},
        {8700, 5940, Glyph::Film, "海报", 170},
        {9870, 5940, Glyph::Moon, "朦胧照", 250},
    };
    for (int i = 0; i < 6; ++i) {
        b.push_back({QStringLiteral("cmdSort(%1)").arg(i),
            QStringLiteral("cmdSort%1").arg(i) + QStringLiteral("1.gif"),
            QStringLiteral("cmdsort%1").arg(i) + QStringLiteral("2.gif"),
            twipsRect(sorts[i].left, sorts[i].top, 930, 450), ButtonStyle::Category, sorts[i].glyph,
            QString::fromUtf8(sorts[i].label), sorts[i].hue});
    }
    return b;
}

} // namespace

const std::vector<ButtonPicture>& mainWindowButtons()
{
    static const std::vector<ButtonPicture> buttons = buildButtons();
    return buttons;
}

} // namespace kf::art
