#pragma once

// kf::ImageView: a rectangular view that holds one kf::Picture, shows it and
// offers the picture operations by name. A view that is never shown serves
// as an off-screen worker: every operation works the same without a window.
//
// Display: with fit off the picture is drawn at 1:1 from the top left corner
// (clipped to the view); with fit on it is scaled, aspect ratio kept, to fit
// the view and centred. Fitting changes only what is drawn, never the
// picture's pixels. The area not covered is painted in backColour().
//
// Scaled decoding: a file loaded while fit is on into a view smaller than the
// picture is decoded only at the view's size (a display copy); this makes
// large camera JPEGs in thumbnail views cheap. The first operation that needs
// the real pixels (imageWidth/imageHeight, picture(), save, scale, crop,
// colour adjustments, text, paste loads, switching fit off) decodes the file
// whole and replays the turns made since the load, so results never depend
// on the display copy. Should the file no longer be readable by then, those
// operations fail (errorString says why) and the display copy stays shown.
// Turning a display copy (rotate) needs no full decode. For thumbnails: set
// the view's size, setFit(true), then setFile(path).
//
// Coordinates of the mouse signals are pixels of the view. Key codes are the
// classic virtual key codes (13 Enter, 37..40 left, up, right, down; see
// virtualKeyCode).

#include "picture.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

namespace kf {

// Virtual key code of a Qt key: letters 65..90, digits 48..57, Enter 13,
// Escape 27, Space 32, Backspace 8, Tab 9, PageUp 33, PageDown 34, End 35,
// Home 36, arrows 37..40, Insert 45, Delete 46, F1..F12 112..123, Shift 16,
// Control 17, Alt 18; 0 for any other key.
int virtualKeyCode(int qtKey);

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);
    ~ImageView() override;

    // file: setFile(path) loads that picture and shows it (or, while pasting,
    // places it into the paste area); setFile("") clears the view. A failed
    // load leaves the view as it was and returns false. file() gives the
    // file shown, empty when none (after clear() or newPicture()).
    bool setFile(const QString& path);
    QString file() const { return file_; }
    void clear();

    // Free text that the window logic keeps with the view.
    void setTag(const QString& tag) { tag_ = tag; }
    QString tag() const { return tag_; }

    // save type (kSaveTypeWorking = 5 by default, or kSaveTypeJpeg = 8),
    // save name, save: writes the picture with every fixed change to the save
    // name in the save type (atomically, see Picture::save).
    void setSaveType(int saveType) { saveType_ = saveType; }
    int saveType() const { return saveType_; }
    void setSaveName(const QString& path) { saveName_ = path; }
    QString saveName() const { return saveName_; }
    bool save();

    // Pixel size of the picture (0 x 0 when empty).
    int imageWidth() const;
    int imageHeight() const;

    // The picture itself, decoded whole (the display copy when the file can
    // no longer be read). setPicture replaces it (file() becomes empty).
    const Picture& picture() const;
    void setPicture(const Picture& picture);

    // Picture operations; see Picture for their effects.
    bool newPicture(int width, int height, int bitsPerPixel, const QColor& colour);
    bool scale(int width, int height);
    bool rotate(double degrees, const QColor& fill = QColor(255, 255, 255));
    bool crop(int left, int top, int width, int height);
    void setTextFont(const QString& name, double sizePoints, bool bold, bool italic, bool strikethrough);
    void drawText(int x, int y, const QString& text, const QColor& colour);
    void fixText();
    void flatten();
    bool brightness(int value);
    bool contrast(int value);
    bool colourBalance(int red, int green, int blue);

    // Paste area and merge on load (see Picture::setPasteArea).
    void setPasteArea(bool on);
    void setPasteArea(bool on, const QRect& area);
    void setMergeOnLoad(bool on);
    bool pasteAreaOn() const { return pic_.pasteAreaOn(); }
    QRect pasteArea() const { return pic_.pasteArea(); }
    bool mergeOnLoad() const { return pic_.mergeOnLoad(); }

    // Fit switch and fit: setFit switches fitting on or off; fit() switches
    // it on and redraws the picture fitted to the view.
    void setFit(bool on);
    bool fitOn() const { return fit_; }
    void fit();

    void setBackColour(const QColor& colour);
    QColor backColour() const { return back_; }

    // True while the view holds a display copy decoded at its own size.
    bool holdsDisplayCopy() const { return displayCopy_; }
    // Why the last failing operation failed.
    QString errorString() const { return error_; }

    QSize sizeHint() const override;

signals:
    // Left button pressed and released over the view.
    void clicked();
    void doubleClicked();
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // Pointer moved over the view, with or without a button down.
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    // Key pressed while the view has the focus: virtual key code (0 for keys
    // without one) and the Qt key.
    void keyPressed(int keyCode, Qt::KeyboardModifiers modifiers, int qtKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Turn {
        double degrees;
        QColor fill;
    };
    QSize displayBox() const;
    bool wantsDisplayCopy(const QString& path) const;
    bool loadDisplayCopy(const QString& path);
    bool ensureWhole() const;
    bool changed(bool result);

    mutable Picture pic_;
    mutable bool displayCopy_ = false;
    mutable QList<Turn> turns_;
    QSize copyBox_;
    mutable QString error_;
    QString file_;
    QString tag_;
    QString saveName_;
    int saveType_ = kSaveTypeWorking;
    bool fit_ = false;
    bool pressedLeft_ = false;
    QColor back_ = QColor(255, 255, 255);
    mutable QImage shownCache_;
    mutable bool shownDirty_ = true;
};

} // namespace kf
