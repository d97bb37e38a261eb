#include "skin.h"

namespace kf {

const std::vector<ButtonSkin>& skinButtons()
{
    static const std::vector<ButtonSkin> table = [] {
        std::vector<ButtonSkin> t = {
            {SkinControl::Shot, 0, {}, QStringLiteral("Shot.gif"), {}},
            {SkinControl::Camera, 0, QStringLiteral("cmdCamera"), QStringLiteral("Openvideo.gif"),
                QStringLiteral("Openvideo1.gif")},
            {SkinControl::Import, 0, QStringLiteral("cmdPhoto"), QStringLiteral("Inputphoto.gif"),
                QStringLiteral("inputphoto1.gif")},
            {SkinControl::Adjust, 0, QStringLiteral("cmdAdjust"), QStringLiteral("Adjustphoto.gif"),
                QStringLiteral("Adjustphoto1.gif")},
            {SkinControl::Keyup, 0, QStringLiteral("cmdKeyup"), QStringLiteral("keyup.gif"),
                QStringLiteral("keyup1.gif")},
            {SkinControl::Setup, 0, QStringLiteral("cmdSetup"), QStringLiteral("setup.gif"),
                QStringLiteral("setup1.gif")},
            {SkinControl::Exit, 0, QStringLiteral("cmdExit"), QStringLiteral("exit.gif"),
                QStringLiteral("Exit1.gif")},
            {SkinControl::Delete, 0, QStringLiteral("cmdDel"), QStringLiteral("del.gif"),
                QStringLiteral("del1.gif")},
            // The help button's pictures are the other way round.
            {SkinControl::Help, 0, QStringLiteral("cmdHelp"), QStringLiteral("help1.gif"),
                QStringLiteral("help.gif")},
            {SkinControl::Messenger, 0, {}, QStringLiteral("QQ.gif"), {}},
            {SkinControl::Messenger2, 0, {}, QStringLiteral("QQ.gif"), {}},
            {SkinControl::SubNext, 0, QStringLiteral("cmdSubNext"), QStringLiteral("forenext.gif"),
                QStringLiteral("forenext1.gif")},
            {SkinControl::SubPre, 0, QStringLiteral("cmdSubPre"), QStringLiteral("forePre.gif"),
                QStringLiteral("forepre1.gif")},
            {SkinControl::PhotoNext, 0, QStringLiteral("cmdPhotoNext"), QStringLiteral("photonext.gif"),
                QStringLiteral("PhotoNext1.gif")},
            {SkinControl::PhotoPre, 0, QStringLiteral("cmdPhotoPre"), QStringLiteral("photopre.gif"),
                QStringLiteral("PhotoPre1.gif")},
        };
        for (int i = 0; i < 7; ++i) {
            const QString n = QString::number(i);
            t.push_back(
                {SkinControl::Placement, i, "chang" + n, "chang" + n + "1.gif", "chang" + n + "2.gif"});
        }
        for (int i = 0; i < 6; ++i) {
            const QString n = QString::number(i);
            t.push_back(
                {SkinControl::Sort, i, "cmdSort" + n, "cmdSort" + n + "1.gif", "cmdsort" + n + "2.gif"});
        }
        return t;
    }();
    return table;
}

HoverState::Change HoverState::overButton(const QString& key)
{
    if (key == hoverKey_)
        return {};
    Change c {hoverKey_, key};
    hoverKey_ = key;
    return c;
}

HoverState::Change HoverState::overPlainArea()
{
    Change c {hoverKey_, {}};
    hoverKey_.clear();
    return c;
}

} // namespace kf
