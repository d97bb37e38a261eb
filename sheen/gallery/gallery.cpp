#include "gallery.h"

#include "propertypage.h"
#include "sheenkey.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

namespace sheen {

Picture galleryBitmap()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x33, 0x44));
    p.drawRoundedRect(QRectF(3, 9, 26, 18), 3, 3);
    p.drawRect(QRectF(10, 5, 10, 5));
    p.setBrush(QColor(0x4f, 0x9d, 0xe8));
    p.drawEllipse(QPointF(16, 18), 6.5, 6.5);
    p.setBrush(QColor(0xd8, 0xee, 0xff));
    p.drawEllipse(QPointF(14, 16), 2, 2);
    p.setBrush(QColor(0xf0, 0x50, 0x40));
    p.drawRect(QRectF(23, 11, 3, 2));
    return Picture(image);
}

Picture galleryIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 15.0 : 6.5;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(16 + radius * std::cos(angle), 16.5 + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0xb0, 0x60, 0x00), 1.2));
    p.setBrush(QColor(0xff, 0xc0, 0x20));
    p.drawPath(star);
    return Picture(QIcon(pixmap), QSize(32, 32));
}

Picture galleryBackground(QColor top, QColor bottom)
{
    QImage image(8, 8, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, 0, 8);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillRect(image.rect(), gradient);
    return Picture(image);
}

namespace {

void styleModel(SheenKey& key)
{
    key.setPicNormal(galleryBackground(QColor(0xf4, 0xf8, 0xff), QColor(0xc8, 0xda, 0xf0)));
    key.setPicMove(galleryBackground(QColor(0xff, 0xf6, 0xe0), QColor(0xff, 0xd8, 0x90)));
    key.setPicDown(galleryBackground(QColor(0xb8, 0xcc, 0xe4), QColor(0x90, 0xac, 0xd0)));
    key.setColorFnormal(QColor(0x20, 0x30, 0x50));
    key.setColorFmove(QColor(0xa0, 0x40, 0x00));
    key.setColorFdown(Qt::white);
    key.setShadowColor(QColor(0x60, 0x60, 0x60));
    key.setBordercolor(QColor(0x20, 0x50, 0xa0));
}

const QStringList kLookNames = {
    QStringLiteral("0 常态"), QStringLiteral("1 悬停"), QStringLiteral("2 按下"), QStringLiteral("3 无效")};

} // namespace

QImage zoomedLooks(int border, int zoom)
{
    SheenKey key;
    key.setUserMode(false);
    styleModel(key);
    key.setImage(galleryBitmap());
    key.setCaption(QStringLiteral("拍照"));
    key.resize(110, 44);
    key.LayoutParts();
    QImage sheet(4 * (110 + 4), 44, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int s = 0; s < 4; ++s)
        p.drawImage(s * 114, 0, key.renderLook(s, border));
    p.end();
    return sheet.scaled(sheet.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

GalleryWindow::GalleryWindow(QWidget* parent)
    : QWidget(parent)
    , m_status(new QLabel)
{
    setWindowTitle(QStringLiteral("Sheen 按钮一览"));
    auto* layout = new QVBoxLayout(this);

    SheenKey sideBySide;
    sideBySide.setUserMode(false);
    styleModel(sideBySide);
    sideBySide.setImage(galleryBitmap());
    sideBySide.setCaption(QStringLiteral("拍照"));
    sideBySide.resize(110, 44);
    auto* first
        = new QGroupBox(QStringLiteral("Style 0 - 左右，位图 Image，背景图 PicNormal / PicMove / PicDown"));
    (new QVBoxLayout(first))->addWidget(lookSheet(sideBySide));
    layout->addWidget(first);

    SheenKey stacked;
    stacked.setUserMode(false);
    stacked.setStyle(1);
    stacked.setPersent(60);
    stacked.setImage(galleryIcon());
    stacked.setCaption(QStringLiteral("收藏"));
    stacked.setColorFmove(QColor(0x00, 0x60, 0xc0));
    stacked.setColorFdown(QColor(0x80, 0x00, 0x00));
    stacked.setShadowColor(QColor(0x80, 0x80, 0x80));
    stacked.setBordercolor(QColor(0xc0, 0x20, 0x20));
    stacked.resize(76, 64);
    auto* second = new QGroupBox(QStringLiteral("Style 1 - 上下，图标 Image，无背景图（浅灰底色）"));
    (new QVBoxLayout(second))->addWidget(lookSheet(stacked));
    layout->addWidget(second);

    auto* live = new QGroupBox(QStringLiteral("实际按钮（移过、按下、Alt+快捷键）"));
    (new QVBoxLayout(live))->addWidget(liveRow());
    layout->addWidget(live);
    layout->addWidget(m_status);
}

QWidget* GalleryWindow::lookSheet(SheenKey& model)
{
    auto* sheet = new QWidget;
    auto* grid = new QGridLayout(sheet);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    const QStringList borders = borderStyleTexts();
    for (int b = 0; b < borders.size(); ++b)
        grid->addWidget(new QLabel(borders[b]), 0, b + 1, Qt::AlignCenter);
    model.LayoutParts();
    for (int s = 0; s < kLookNames.size(); ++s) {
        grid->addWidget(new QLabel(kLookNames[s]), s + 1, 0);
        for (int b = 0; b < borders.size(); ++b) {
            auto* cell = new QLabel;
            cell->setPixmap(QPixmap::fromImage(model.renderLook(s, b)));
            cell->setAlignment(Qt::AlignCenter);
            grid->addWidget(cell, s + 1, b + 1);
        }
    }
    return sheet;
}

QWidget* GalleryWindow::liveRow()
{
    auto* row = new QWidget;
    auto* box = new QHBoxLayout(row);
    const QStringList captions = {QStringLiteral("拍照"), QStringLiteral("相册"), QStringLiteral("上传"),
        QStringLiteral("帮助"), QStringLiteral("无效")};
    const QString keys = QStringLiteral("PXUH ");
    for (int i = 0; i < captions.size(); ++i) {
        auto* key = new SheenKey(row);
        styleModel(*key);
        key->setImage(i % 2 == 0 ? galleryBitmap() : galleryIcon());
        key->setCaption(captions[i]);
        key->setBorderStyleOut(i == 3 ? SheenKey::Flat : SheenKey::NoBorder);
        key->setBorderStyleMove(i == 2 ? SheenKey::RaisedAndFlat : SheenKey::Raised);
        key->setBorderStyleDown(i == 2 ? SheenKey::SunkenAndFlat : SheenKey::Sunken);
        key->setKeys(keys.mid(i, 1).trimmed());
        key->setTipText(i == 4 ? QStringLiteral("这个按钮无效")
                               : captions[i] + QStringLiteral(" (Alt+") + keys.mid(i, 1) + QLatin1Char(')'));
        key->setFixedSize(110, 44);
        if (i == 4)
            key->setEnabled(false);
        connect(key, &SheenKey::Click, this,
            [this, key] { m_status->setText(QStringLiteral("Click：") + key->Caption()); });
        box->addWidget(key);
        m_live.append(key);
    }
    auto* edit = new SheenKey(row);
    styleModel(*edit);
    edit->setCaption(QStringLiteral("属性页..."));
    edit->setPersent(0);
    edit->setBorderStyleOut(SheenKey::Flat);
    edit->setTipText(QStringLiteral("打开第一个按钮的属性页"));
    edit->setFixedSize(110, 44);
    connect(edit, &SheenKey::Click, this, [this] {
        PropertyPageDialog dialog(m_live.first(), this);
        dialog.exec();
    });
    box->addWidget(edit);
    m_live.append(edit);
    box->addStretch();
    return row;
}

} // namespace sheen
