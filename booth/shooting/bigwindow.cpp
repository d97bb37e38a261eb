#include "bigwindow.h"

#include "imageview.h"
#include "shell/layout.h"

#include <QGuiApplication>
#include <QScreen>

namespace kf {
namespace {

constexpr int kWidth = 6405;
constexpr int kHeight = 4800;
constexpr int kViewWidth = 6400;
constexpr int kViewHeight = 4800;

} // namespace

BigWindow::BigWindow(QWidget* opener)
    : QWidget(opener, Qt::Tool | Qt::FramelessWindowHint)
    , opener_(opener)
    , view_(new ImageView(this))
{
    setObjectName(QStringLiteral("Big"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(layout::px(kWidth), layout::px(kHeight));
    view_->setObjectName(QStringLiteral("ImagXpress1"));
    view_->setGeometry(0, 0, layout::px(kViewWidth), layout::px(kViewHeight));
    view_->setFit(true);
    view_->setBackColour(Qt::black);
    connect(view_, &ImageView::clicked, this, &QWidget::close);
}

BigWindow::~BigWindow() = default;

bool BigWindow::setFile(const QString& path)
{
    return view_->setFile(path);
}

QRect BigWindow::placeFor(const QRect& openerFrame)
{
    const QSize size(layout::px(kWidth), layout::px(kHeight));
    return QRect(openerFrame.x() + (openerFrame.width() - size.width()) / 2,
        openerFrame.y() + (openerFrame.height() - size.height()) / 2, size.width(), size.height());
}

void BigWindow::showEvent(QShowEvent* event)
{
    if (opener_)
        move(placeFor(opener_->frameGeometry()).topLeft());
    // The desktop's pixels beneath the window become its background.
    const QRect place(pos(), size());
    QScreen* screen = QGuiApplication::screenAt(place.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QPoint at = place.topLeft() - screen->geometry().topLeft();
        const QPixmap beneath = screen->grabWindow(0, at.x(), at.y(), place.width(), place.height());
        if (!beneath.isNull()) {
            QPalette pal = palette();
            pal.setBrush(QPalette::Window, beneath);
            setPalette(pal);
            setAutoFillBackground(true);
        }
    }
    QWidget::showEvent(event);
}

} // namespace kf
