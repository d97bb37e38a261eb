#include "adjustcolorwindow.h"

#include "imageview.h"
#include "shell/layout.h"
#include "shell/prompts.h"
#include "shootingtexts.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>

namespace kf {
namespace {

using layout::px;

// Places in twips.
constexpr int kWidth = 4485;
constexpr int kHeight = 2175;
constexpr int kScreenLeft = 8450;
constexpr int kScreenTop = 2480;
constexpr int kRowTops[kColourValues] = {120, 450, 750, 1050, 1350};
constexpr int kSliderTops[kColourValues] = {150, 450, 750, 1050, 1350};
constexpr int kTextTops[kColourValues] = {90, 390, 690, 990, 1290};
constexpr int kLabelLeft = 120;
constexpr int kSliderLeft = 810;
constexpr int kSliderWidth = 3015;
constexpr int kSliderHeight = 255;
constexpr int kTextLeft = 3900;
constexpr int kTextWidth = 465;
constexpr int kTextHeight = 285;
constexpr int kButtonTop = 1650;
constexpr int kResetLeft = 1200;
constexpr int kOkLeft = 3030;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;

const char* const kLabelTexts[kColourValues] = {
    texts::kBrightnessLabel, texts::kContrastLabel, texts::kRedLabel, texts::kGreenLabel, texts::kBlueLabel};

// The panel's background picture: a soft light gradient with a thin rim.
QImage backgroundPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(236, 244, 252));
    g.setColorAt(1, QColor(200, 220, 240));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(120, 150, 190), 2));
    p.setRenderHint(QPainter::Antialiasing);
    p.drawRoundedRect(QRectF(image.rect()).adjusted(1, 1, -1, -1), AdjustColorWindow::kCornerSize / 2.0,
        AdjustColorWindow::kCornerSize / 2.0);
    p.end();
    return image;
}

// Keeps the pointer as the hourglass for a scope, normal again however it ends.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

QPoint AdjustColorWindow::screenPlace()
{
    return QPoint(px(kScreenLeft), px(kScreenTop));
}

AdjustColorWindow::AdjustColorWindow(const QString& photo, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , panel_(photo)
    , prompts_(prompts)
{
    setObjectName(QStringLiteral("frmAdjustColor"));
    setModal(true);
    const QSize size(px(kWidth), px(kHeight));
    setFixedSize(size);

    // Panel loading: the backup first, then the outline, the place and the
    // background, then the controls at 0. Nothing is applied yet.
    panel_.begin();

    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, size.width(), size.height()), kCornerSize / 2.0, kCornerSize / 2.0);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
    move(screenPlace());

    bg_ImagX = new ImageView(this);
    bg_ImagX->setObjectName(QStringLiteral("bg_ImagX"));
    bg_ImagX->setGeometry(0, 0, size.width(), size.height());
    bg_ImagX->setPicture(Picture(backgroundPicture(size)));
    connect(bg_ImagX, &ImageView::mousePressed, this,
        [this](Qt::MouseButton b, Qt::KeyboardModifiers, int, int) { backgroundPressed(b); });
    connect(bg_ImagX, &ImageView::mouseMoved, this,
        [this](Qt::MouseButtons b, Qt::KeyboardModifiers, int, int) { backgroundMoved(b); });
    connect(bg_ImagX, &ImageView::mouseReleased, this, [this] { dragging_ = false; });

    for (int i = 0; i < kColourValues; ++i) {
        const auto k = static_cast<std::size_t>(i);
        auto* label = new QLabel(QString::fromUtf8(kLabelTexts[i]), this);
        label->move(px(kLabelLeft), px(kRowTops[i]));
        label->adjustSize();
        labels[k] = label;

        auto* slider = new QScrollBar(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("HScroll%1").arg(i));
        slider->setGeometry(px(kSliderLeft), px(kSliderTops[i]), px(kSliderWidth), px(kSliderHeight));
        slider->setRange(kColourMin, kColourMax);
        slider->setSingleStep(kColourSmallStep);
        slider->setPageStep(kColourLargeStep);
        slider->setValue(0);
        HScroll[k] = slider;

        auto* text = new QLineEdit(QStringLiteral("0"), this);
        text->setObjectName(QStringLiteral("Text1_%1").arg(i));
        text->setGeometry(px(kTextLeft), px(kTextTops[i]), px(kTextWidth), px(kTextHeight));
        text->setAlignment(Qt::AlignRight);
        Text1[k] = text;

        connect(slider, &QScrollBar::valueChanged, this, [this, i](int v) { sliderChanged(i, v); });
        connect(text, &QLineEdit::textEdited, this, [this, i](const QString& t) { textChanged(i, t); });
    }

    auto button = [this](const char* caption, int left) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(px(left), px(kButtonTop), px(kButtonWidth), px(kButtonHeight));
        b->setAutoDefault(false);
        return b;
    };
    btnReset = button(texts::kResetButton, kResetLeft);
    btnReset->setObjectName(QStringLiteral("btnReset"));
    btnCancel = button(texts::kOkButton, kOkLeft);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply = button(texts::kApplyAllButton, kOkLeft);
    btnApply->hide();
    cmdsave = button(texts::kSaveButton, kOkLeft);
    cmdsave->hide();
    connect(btnReset, &QPushButton::clicked, this, &AdjustColorWindow::resetPressed);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::accept);
}

AdjustColorWindow::~AdjustColorWindow() = default;

void AdjustColorWindow::sliderChanged(int index, int value)
{
    // No second change starts while the photo is being rewritten.
    setEnabled(false);
    {
        const QSignalBlocker block(Text1[static_cast<std::size_t>(index)]);
        Text1[static_cast<std::size_t>(index)]->setText(QString::number(value));
    }
    QString error;
    bool ok;
    {
        BusyPointer busy;
        ok = panel_.setValue(index, value, &error);
    }
    applied(ok, error);
    setEnabled(true);
}

void AdjustColorWindow::applied(bool ok, const QString& error)
{
    if (!ok) {
        prompts_.inform(QString::fromUtf8(texts::kTipCaption), error, Prompts::Icon::Warning);
        return;
    }
    emit photoChanged(panel_.photo());
}

void AdjustColorWindow::textChanged(int index, const QString& text)
{
    const std::optional<int> v = ColourPanel::valueFromText(text);
    if (!v)
        return;
    // A changed value runs the slider change.
    HScroll[static_cast<std::size_t>(index)]->setValue(*v);
}

void AdjustColorWindow::resetPressed()
{
    for (int i = 0; i < kColourValues; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QSignalBlocker blockSlider(HScroll[k]);
        const QSignalBlocker blockText(Text1[k]);
        HScroll[k]->setValue(0);
        Text1[k]->setText(QStringLiteral("0"));
    }
    QString error;
    bool ok;
    {
        BusyPointer busy;
        ok = panel_.reset(&error);
    }
    applied(ok, error);
}

void AdjustColorWindow::backgroundPressed(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    dragging_ = true;
    dragOffset_ = QCursor::pos() - pos();
}

void AdjustColorWindow::backgroundMoved(Qt::MouseButtons buttons)
{
    if (dragging_ && buttons.testFlag(Qt::LeftButton))
        move(QCursor::pos() - dragOffset_);
}

} // namespace kf
