#pragma once

#include "capturectrl.h"
#include "imagebutton.h"
#include "prompts.h"
#include "session.h"
#include "skin.h"

#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>

namespace kf {

class ImageView;

// The controls of the main window, under the names the window design gives
// them. Built in code at the design's places; owned by the window.
struct FrmMainUi {
    ImageView* ImagXpress1 = nullptr; // background; takes the focus
    capture::CaptureCtrl* Capture1 = nullptr; // live picture
    ImageView* ixpEffect = nullptr; // still picture over the live area
    ImageButton* cmdShot = nullptr;
    std::array<ImageView*, 4> ixpPhoto {};
    std::array<QLabel*, 4> lbDraw {};
    ImageButton* cmdPhotoPre = nullptr;
    ImageButton* cmdPhotoNext = nullptr;
    std::array<ImageView*, 15> picSub {};
    ImageButton* cmdSubPre = nullptr;
    ImageButton* cmdSubNext = nullptr;
    std::array<ImageButton*, 6> cmdSort {};
    std::array<ImageButton*, 7> Image2 {};
    ImageButton* cmdCamera = nullptr;
    ImageButton* cmdphoto = nullptr;
    ImageButton* cmdadjust = nullptr;
    ImageButton* cmdDel = nullptr;
    ImageButton* cmdkeyup = nullptr;
    ImageButton* cmdsetup = nullptr;
    ImageButton* cmdexit = nullptr;
    ImageButton* cmdHelp = nullptr;
    ImageButton* Image1 = nullptr; // web banner (transparent link area)
    ImageButton* ImageQQ = nullptr;
    ImageButton* ImageQQ1 = nullptr;
    QWidget* Line1 = nullptr;
    FrameShape* Shape1 = nullptr;
    FrameShape* Shape2 = nullptr;
    QLabel* LabelMsg = nullptr;
    QWidget* Frame1 = nullptr;
    QMenu* mousemenu = nullptr;
    QTimer* Timer1 = nullptr;
};

// The main window frmmain: a skinned surface of picture buttons over a
// background picture. It loads the skin, runs the hover pictures, maps the
// keys of the background view onto buttons, lets the window be dragged by
// its background and tidies up the run when it closes. What the buttons do
// is wired by the booth's subsystems onto the controls in ui().
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(BoothSession& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    FrmMainUi& ui() { return ui_; }
    BoothSession& session() { return session_; }

    // The loading steps of the window, run once before it is first shown.
    void startUp();

    // Background and every normal button picture, in the skin's order; stops
    // at the first picture that cannot be read. Returns how many button
    // pictures were loaded.
    int loadSkin();
    // Puts the normal picture back on the button named by the hover key.
    void restoreButtons();
    const HoverState& hover() const { return hover_; }
    // The button of a hover key, or nullptr.
    ImageButton* buttonForKey(const QString& key) const;

    // The message boxes of the window (tests put quiet ones in).
    Prompts& prompts() { return *prompts_; }
    void setPrompts(std::unique_ptr<Prompts> prompts) { prompts_ = std::move(prompts); }

    // Shows a short message in LabelMsg (sized to its text).
    void showMessage(const QString& text);

    // Called by the close handling before its clean-up; subsystems hook
    // their own steps (the camera pipeline) in here.
    std::function<void()> onClosing;
    // Shows the first template category; startUp calls it after the skin
    // has loaded and the event loop has run.
    std::function<void()> onShowFirstCategory;
    // Opens the camera (the camera button's action); the start timer calls
    // it between building the updater's argument text and starting the
    // updater.
    std::function<void()> onOpenCamera;

signals:
    // The one-shot start timer fired (opening the camera and starting the
    // updater hang off it).
    void startTimerFired();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void applySkinVariant();
    void wireHover();
    // Shows the normal or hover picture of the button with this key (none
    // for an empty or unknown key).
    void showSkinPicture(const QString& key, bool hover);
    void onButtonHover(const QString& key);
    void onPlainAreaHover();
    void setMessengerBorders(bool first, bool second);
    void onBackgroundKey(int keyCode);
    void onBackgroundPressed(Qt::MouseButton button);

    BoothSession& session_;
    FrmMainUi ui_;
    HoverState hover_;
    std::map<QString, std::pair<ImageButton*, const ButtonSkin*>> byKey_;
    std::unique_ptr<Prompts> prompts_;
    bool closed_ = false;
};

} // namespace kf
