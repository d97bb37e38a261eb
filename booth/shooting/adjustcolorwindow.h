#pragma once

// frmAdjustColor: the small colour panel shown modally over the main window.
// A borderless rounded window, dragged by its background, with a slider and
// a text box for brightness, contrast, red, green and blue, "复原" (reset)
// and "确定" (OK, which records the adjustment). Every slider change is
// applied to the photo at once (ColourPanel).

#include "colourpanel.h"

#include <QDialog>
#include <QPoint>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kf {

class ImageView;
class Prompts;

class AdjustColorWindow : public QDialog {
    Q_OBJECT
public:
    // photo: the photo shown in the preview; prompts: where errors are told.
    AdjustColorWindow(const QString& photo, Prompts& prompts, QWidget* parent = nullptr);
    ~AdjustColorWindow() override;

    ColourPanel& panel() { return panel_; }

    // Controls under the design's names.
    ImageView* bg_ImagX = nullptr;
    std::array<QLabel*, kColourValues> labels {};
    std::array<QScrollBar*, kColourValues> HScroll {};
    std::array<QLineEdit*, kColourValues> Text1 {};
    QPushButton* btnReset = nullptr;
    QPushButton* btnCancel = nullptr; // "确定": OK
    QPushButton* btnApply = nullptr;
    QPushButton* cmdsave = nullptr;

    // The panel's place on the screen and its corner radius, in pixels.
    static QPoint screenPlace();
    static constexpr int kCornerSize = 20;

signals:
    // The photo was rewritten with the current values.
    void photoChanged(const QString& photo);

private:
    void sliderChanged(int index, int value);
    void textChanged(int index, const QString& text);
    void resetPressed();
    void applied(bool ok, const QString& error);
    void backgroundPressed(Qt::MouseButton button);
    void backgroundMoved(Qt::MouseButtons buttons);

    ColourPanel panel_;
    Prompts& prompts_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

} // namespace kf
