#pragma once

// Big: the enlarged view. A borderless window with one image view that fills
// it, centred on the window that opens it. When it is shown it copies the
// screen beneath its place onto its background; a click on the view closes
// it. The photo browser sets the view's file and shows it.

#include <QRect>
#include <QWidget>

namespace kf {

class ImageView;

class BigWindow : public QWidget {
    Q_OBJECT
public:
    explicit BigWindow(QWidget* opener = nullptr);
    ~BigWindow() override;

    ImageView* view() const { return view_; }
    // Loads the picture into the view (fitted to it).
    bool setFile(const QString& path);

    // The window's place centred on the opener's frame, in pixels:
    // 6405 x 4800 twips.
    static QRect placeFor(const QRect& openerFrame);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* opener_;
    ImageView* view_;
};

} // namespace kf
