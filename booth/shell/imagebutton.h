#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace kf {

// A button drawn by a picture: the booth's skin gives it a normal and a
// hover picture. Without a fixed size it takes its picture's size.
class ImageButton : public QWidget {
    Q_OBJECT
public:
    explicit ImageButton(const QString& objectName, QWidget* parent = nullptr);

    // Loads the picture shown; returns false (and shows nothing) when it
    // cannot be read.
    bool loadPicture(const QString& path);
    bool hasPicture() const { return !picture_.isNull(); }
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

    // Free text carried by the button (the shot button says "Shot" or
    // "Continue"; a category button names its folder).
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    void setFixedPlace(const QRect& rect);
    // Acts as if the button were pressed (keys map onto buttons this way).
    void press() { emit pressed(); }

    // A single border around the picture (the messenger icons under the
    // pointer).
    void setBorder(bool on);
    bool border() const { return border_; }

    QSize sizeHint() const override;

signals:
    void pressed();
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    QPixmap picture_;
    QString tag_;
    bool fixedSize_ = false;
    bool border_ = false;
    bool armed_ = false;
};

// A red frame drawn over other controls, transparent for the mouse: the
// highlight of the chosen template and of the current strip position.
class FrameShape : public QWidget {
    Q_OBJECT
public:
    explicit FrameShape(const QString& objectName, QWidget* parent = nullptr, int width = 3);
    // Puts the frame around target's rectangle (in the parent's coordinates).
    void surround(const QRect& target);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int width_;
};

} // namespace kf
