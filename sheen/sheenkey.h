#pragma once

#include "picture.h"
#include "sheen_global.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>
#include <memory>

namespace sheen {

class DrawPic;
class PropertyBag;

// A rectangle as left, top, right, bottom, right and bottom exclusive.
struct SheenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const SheenRect&) const = default;
};

// num / den to the nearest integer, halves to the even neighbour; den > 0.
SHEEN_EXPORT int roundHalfEven(long long num, long long den);

// A push button painted entirely by itself from pictures. It is split into a
// picture part (IconRect) and a caption part (CaptionRect), side by side
// (Style 0) or stacked (Style 1). Each look -- normal, hover, pressed,
// disabled -- has its own background picture, caption colour and border
// style; the picture Image is lifted over its shadow in the hover look and
// drawn embossed grey in the disabled look.
class SHEEN_EXPORT SheenKey : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Persent READ Persent WRITE setPersent)
    Q_PROPERTY(int Style READ Style WRITE setStyle)
    Q_PROPERTY(sheen::Picture Image READ Image WRITE setImage DESIGNABLE false)
    Q_PROPERTY(int ImageSize READ ImageSize WRITE setImageSize)
    Q_PROPERTY(QColor bordercolor READ bordercolor WRITE setBordercolor)
    Q_PROPERTY(QColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(QColor ColorFnormal READ ColorFnormal WRITE setColorFnormal)
    Q_PROPERTY(QColor ColorFmove READ ColorFmove WRITE setColorFmove)
    Q_PROPERTY(QColor ColorFdown READ ColorFdown WRITE setColorFdown)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int BorderStyleOut READ BorderStyleOut WRITE setBorderStyleOut)
    Q_PROPERTY(int BorderStyleMove READ BorderStyleMove WRITE setBorderStyleMove)
    Q_PROPERTY(int BorderStyleDown READ BorderStyleDown WRITE setBorderStyleDown)
    // Enabled and Font are the widget's own enabled state and font; the form
    // designer edits them as "enabled" and "font".
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled DESIGNABLE false)
    Q_PROPERTY(QFont Font READ font WRITE setFont DESIGNABLE false)
    Q_PROPERTY(QString Keys READ Keys WRITE setKeys)
    Q_PROPERTY(QString TipText READ TipText WRITE setTipText)
    Q_PROPERTY(sheen::Picture PicNormal READ PicNormal WRITE setPicNormal DESIGNABLE false)
    Q_PROPERTY(sheen::Picture PicMove READ PicMove WRITE setPicMove DESIGNABLE false)
    Q_PROPERTY(sheen::Picture PicDown READ PicDown WRITE setPicDown DESIGNABLE false)

public:
    // Button states, the first argument of drawbotton.
    enum Status { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
    // Border styles, the second argument of drawbotton.
    enum Border { NoBorder = 0, Flat = 1, Raised = 2, Sunken = 3, RaisedAndFlat = 4, SunkenAndFlat = 5 };

    static constexpr int kDefaultPersent = 30;
    static constexpr int kDefaultBorderStyleMove = Raised;
    static constexpr int kDefaultBorderStyleDown = Sunken;
    static inline const QColor kBackground = QColor(0xC0, 0xC0, 0xC0);

    explicit SheenKey(QWidget* parent = nullptr);
    ~SheenKey() override;

    int Persent() const { return m_persent; }
    void setPersent(int value);
    int Style() const { return m_style; }
    void setStyle(int value);
    using QWidget::setStyle;
    const Picture& Image() const { return m_image; }
    // Also sets ImageSize to the picture's width in pixels.
    void setImage(const Picture& value);
    int ImageSize() const { return m_imageSize; }
    void setImageSize(int value);
    QColor bordercolor() const { return m_borderColor; }
    void setBordercolor(const QColor& value);
    QColor ShadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor& value);
    QColor ColorFnormal() const { return m_colorFnormal; }
    void setColorFnormal(const QColor& value);
    QColor ColorFmove() const { return m_colorFmove; }
    void setColorFmove(const QColor& value);
    QColor ColorFdown() const { return m_colorFdown; }
    void setColorFdown(const QColor& value);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& value);
    int BorderStyleOut() const { return m_borderStyleOut; }
    void setBorderStyleOut(int value);
    int BorderStyleMove() const { return m_borderStyleMove; }
    void setBorderStyleMove(int value);
    int BorderStyleDown() const { return m_borderStyleDown; }
    void setBorderStyleDown(int value);
    // Every character is an access key: Alt and that key raise Click.
    QString Keys() const { return m_keys; }
    void setKeys(const QString& value);
    QString TipText() const { return m_tipText; }
    void setTipText(const QString& value);
    const Picture& PicNormal() const { return m_picNormal; }
    void setPicNormal(const Picture& value);
    const Picture& PicMove() const { return m_picMove; }
    void setPicMove(const Picture& value);
    const Picture& PicDown() const { return m_picDown; }
    void setPicDown(const Picture& value);

    // Draws the look Status_botton with the border Status_border now:
    // background, image and border are composed off screen and shown in one
    // step, the caption last. Uses the layout of the last paint or resize.
    Q_INVOKABLE void drawbotton(int Status_botton, int Status_border);
    // The picture drawbotton shows for these arguments, caption included.
    QImage renderLook(int Status_botton, int Status_border);
    // Recomputes the layout rectangles from the size, Persent, Style, Image
    // and ImageSize; run on every paint and resize.
    void LayoutParts();

    SheenRect WholeRect() const { return m_wholeRect; }
    SheenRect IconRect() const { return m_iconRect; }
    SheenRect CaptionRect() const { return m_captionRect; }
    SheenRect ImageRect() const { return m_imageRect; }
    int ImageWidthPx() const { return m_imageWidthPx; }
    int ImageHeightPx() const { return m_imageHeightPx; }
    bool Hovering() const { return m_hovering; }

    // Writes every property under its saved name, leaving out the values
    // equal to their defaults; the order is the order of the properties.
    void saveProperties(PropertyBag& bag) const;
    // Reads every property with its default, in the same order, then
    // registers the button with the shared tooltip.
    void loadProperties(const PropertyBag& bag);

    // Run mode (the default) or design mode inside a form designer, where
    // the button has no tooltip.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool runMode);

    // The host's font: the parent's, or the application's for a top level.
    QFont ambientFont() const;

signals:
    void Click();
    // Every look drawn, by drawbotton or by a paint.
    void drawn(int Status_botton, int Status_border);
    // A property was assigned (its name), so the host saves it.
    void propertyChanged(const QString& name);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Look {
        QImage surface;
        QColor captionColor;
    };
    Look compose(int Status_botton, int Status_border);
    void paintLook(QPainter& painter, const Look& look);
    void drawBorder(QPainter& painter, int Status_border);
    void softEdge(QPainter& painter, const SheenRect& rect, bool raised);
    DrawPic& drawer();
    void changed(const char* name, bool repaint);
    void grabKeys();
    bool inside(QPoint pos) const;

    int m_persent = kDefaultPersent;
    int m_style = 0;
    Picture m_image;
    int m_imageSize = 0;
    QColor m_borderColor = Qt::black;
    QColor m_shadowColor = Qt::black;
    QColor m_colorFnormal = Qt::black;
    QColor m_colorFmove = Qt::black;
    QColor m_colorFdown = Qt::black;
    QString m_caption;
    int m_borderStyleOut = NoBorder;
    int m_borderStyleMove = kDefaultBorderStyleMove;
    int m_borderStyleDown = kDefaultBorderStyleDown;
    QString m_keys;
    QList<int> m_shortcutIds;
    QString m_tipText = QStringLiteral("0");
    Picture m_picNormal;
    Picture m_picMove;
    Picture m_picDown;

    SheenRect m_wholeRect;
    SheenRect m_iconRect;
    SheenRect m_captionRect;
    SheenRect m_imageRect;
    int m_imageWidthPx = 0;
    int m_imageHeightPx = 0;

    bool m_hovering = false;
    bool m_tracking = false; // the pointer's moves are followed until it leaves
    bool m_userMode = true;
    bool m_loading = false;
    bool m_secondOfDoubleClick = false;
    const Look* m_shown = nullptr; // the look drawbotton is putting on screen
    std::unique_ptr<DrawPic> m_drawer;
};

} // namespace sheen
