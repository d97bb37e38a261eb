#include "mainwindow.h"

#include "cleanup.h"
#include "cursorfile.h"
#include "imageview.h"
#include "layout.h"
#include "picture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace kf {

namespace {

QRect pixels(const layout::TwipRect& r)
{
    return r.pixels();
}

QPoint pixels(const QPoint& twips)
{
    return QPoint(layout::px(twips.x()), layout::px(twips.y()));
}

// Message label font: the design asks for SimSun 10.5; the CJK fonts of the
// system stand in where it is missing.
QFont messageFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC")});
    f.setPointSizeF(10.5);
    return f;
}

} // namespace

MainWindow::MainWindow(BoothSession& session, QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , session_(session)
    , prompts_(std::make_unique<MessageBoxPrompts>(this))
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Snapolia"));
    // A sizable border, but nothing moves when the window is resized.
    resize(layout::px(layout::kMainWidth), layout::px(layout::kMainHeight));
    buildControls();
    wireHover();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    FrmMainUi& u = ui_;
    u.ImagXpress1 = new ImageView(this);
    u.ImagXpress1->setObjectName(QStringLiteral("ImagXpress1"));
    u.ImagXpress1->setGeometry(pixels(layout::kBackground));
    u.ImagXpress1->setFocusPolicy(Qt::StrongFocus);
    u.ImagXpress1->setMouseTracking(true);

    u.Capture1 = new capture::CaptureCtrl(this);
    u.Capture1->setObjectName(QStringLiteral("Capture1"));
    u.Capture1->setGeometry(pixels(layout::kPreview));

    u.ixpEffect = new ImageView(this);
    u.ixpEffect->setObjectName(QStringLiteral("ixpEffect"));
    u.ixpEffect->setGeometry(pixels(layout::kPreview));

    auto button = [this](const char* name, const QRect& place) {
        auto* b = new ImageButton(QString::fromLatin1(name), this);
        b->setFixedPlace(place);
        return b;
    };
    auto freeButton = [this](const QString& name, const QPoint& at) {
        auto* b = new ImageButton(name, this);
        b->move(at);
        return b;
    };

    u.cmdShot = button("cmdShot", pixels(layout::kShot));

    for (int i = 0; i < 4; ++i) {
        auto* v = new ImageView(this);
        v->setObjectName(QStringLiteral("ixpPhoto%1").arg(i));
        v->setGeometry(layout::px(layout::kStripLeft[i]), layout::px(layout::kStripTop),
            layout::px(layout::stripWidth(i)), layout::px(layout::kStripHeight));
        v->setFit(true);
        v->setMouseTracking(true);
        u.ixpPhoto[static_cast<std::size_t>(i)] = v;
        auto* label = new QLabel(v);
        label->setObjectName(QStringLiteral("lbDraw%1").arg(i + 1));
        label->move(0, 0);
        label->hide();
        u.lbDraw[static_cast<std::size_t>(i)] = label;
    }
    u.cmdPhotoPre = button("cmdPhotoPre", pixels(layout::kPhotoPre));
    u.cmdPhotoPre->setToolTip(QStringLiteral("向前翻"));
    u.cmdPhotoNext = button("cmdPhotoNext", pixels(layout::kPhotoNext));
    u.cmdPhotoNext->setToolTip(QStringLiteral("向后翻"));

    for (int i = 0; i < 15; ++i) {
        auto* v = new ImageView(this);
        v->setObjectName(QStringLiteral("picSub%1").arg(i));
        v->setGeometry(layout::gridCell(i).pixels());
        v->setFit(true);
        u.picSub[static_cast<std::size_t>(i)] = v;
    }
    u.cmdSubPre = button("cmdSubPre", pixels(layout::kSubPre));
    u.cmdSubNext = button("cmdSubNext", pixels(layout::kSubNext));

    for (int i = 0; i < 6; ++i) {
        auto* b = freeButton(QStringLiteral("cmdSort%1").arg(i), layout::sortPlace(i));
        b->setTag(QString::fromUtf8(kCategoryTags[i]));
        u.cmdSort[static_cast<std::size_t>(i)] = b;
    }
    static const char* const placementTips[7] = {"左移", "右移", "上移", "下移", "左旋转", "复位", "右旋转"};
    for (int i = 0; i < 7; ++i) {
        const QPoint at = pixels(layout::kPlacementTwips[i]);
        const int side = layout::px(layout::kPlacementSize);
        auto* b = new ImageButton(QStringLiteral("Image2_%1").arg(i), this);
        b->setFixedPlace(QRect(at, QSize(side, side)));
        b->setToolTip(QString::fromUtf8(placementTips[i]));
        u.Image2[static_cast<std::size_t>(i)] = b;
    }

    u.cmdCamera = button("cmdCamera", pixels(layout::kCamera));
    u.cmdphoto = button("cmdphoto", pixels(layout::kImport));
    u.cmdadjust = button("cmdadjust", pixels(layout::kAdjust));
    u.cmdDel = button("cmdDel", pixels(layout::kDelete));
    u.cmdkeyup = button("cmdkeyup", pixels(layout::kKeyup));
    u.cmdsetup = button("cmdsetup", pixels(layout::kSetup));
    u.cmdexit = button("cmdexit", pixels(layout::kExit));
    u.cmdHelp = button("cmdHelp", pixels(layout::kHelp));

    u.Image1 = button("Image1", pixels(layout::kBanner));
    u.Image1->setToolTip(QStringLiteral("Snapolia网"));
    u.ImageQQ = button("ImageQQ", pixels(layout::kMessenger));
    u.ImageQQ->setToolTip(QStringLiteral("QQ交谈"));
    u.ImageQQ1 = button("ImageQQ1", pixels(layout::kMessenger2));
    u.ImageQQ1->setToolTip(QStringLiteral("QQ交谈"));
    u.ImageQQ1->hide();

    u.Line1 = new QWidget(this);
    u.Line1->setObjectName(QStringLiteral("Line1"));
    u.Line1->setAutoFillBackground(true);
    u.Line1->setPalette(QPalette(Qt::red));
    u.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    u.Shape1 = new FrameShape(QStringLiteral("Shape1"), this);
    u.Shape1->surround(u.picSub[0]->geometry());
    u.Shape2 = new FrameShape(QStringLiteral("Shape2"), this);
    u.Shape2->surround(u.ixpPhoto[0]->geometry());

    u.LabelMsg = new QLabel(this);
    u.LabelMsg->setObjectName(QStringLiteral("LabelMsg"));
    u.LabelMsg->setFont(messageFont());
    u.LabelMsg->setAutoFillBackground(true);
    QPalette msgPalette = u.LabelMsg->palette();
    msgPalette.setColor(QPalette::Window, bgr(0x0080FF80));
    msgPalette.setColor(QPalette::WindowText, Qt::black);
    u.LabelMsg->setPalette(msgPalette);
    u.LabelMsg->move(pixels(layout::kLabelMsg));
    u.LabelMsg->hide();

    u.Frame1 = new QWidget(this);
    u.Frame1->setObjectName(QStringLiteral("Frame1"));
    u.Frame1->setGeometry(pixels(layout::kFrame1));
    u.Frame1->setAutoFillBackground(true);
    u.Frame1->setPalette(QPalette(QColor(160, 160, 160)));

    u.mousemenu = new QMenu(this);
    u.mousemenu->setObjectName(QStringLiteral("mousemenu"));
    u.mousemenu->addAction(QStringLiteral("删除"));
    u.mousemenu->addAction(QStringLiteral("删除全部"));
    u.mousemenu->addAction(QStringLiteral("确定"));

    u.Timer1 = new QTimer(this);
    u.Timer1->setObjectName(QStringLiteral("Timer1"));
    u.Timer1->setSingleShot(true);
    connect(u.Timer1, &QTimer::timeout, this, &MainWindow::startTimerFired);

    applySkinVariant();

    // Map the skin table onto the buttons.
    for (const ButtonSkin& s : skinButtons()) {
        if (s.key.isEmpty())
            continue;
        ImageButton* b = nullptr;
        switch (s.control) {
        case SkinControl::Camera:
            b = u.cmdCamera;
            break;
        case SkinControl::Import:
            b = u.cmdphoto;
            break;
        case SkinControl::Adjust:
            b = u.cmdadjust;
            break;
        case SkinControl::Keyup:
            b = u.cmdkeyup;
            break;
        case SkinControl::Setup:
            b = u.cmdsetup;
            break;
        case SkinControl::Exit:
            b = u.cmdexit;
            break;
        case SkinControl::Delete:
            b = u.cmdDel;
            break;
        case SkinControl::Help:
            b = u.cmdHelp;
            break;
        case SkinControl::SubNext:
            b = u.cmdSubNext;
            break;
        case SkinControl::SubPre:
            b = u.cmdSubPre;
            break;
        case SkinControl::PhotoNext:
            b = u.cmdPhotoNext;
            break;
        case SkinControl::PhotoPre:
            b = u.cmdPhotoPre;
            break;
        case SkinControl::Placement:
            b = u.Image2[static_cast<std::size_t>(s.index)];
            break;
        case SkinControl::Sort:
            b = u.cmdSort[static_cast<std::size_t>(s.index)];
            break;
        default:
            break;
        }
        if (b)
            byKey_[s.key] = {b, &s};
    }
}

void MainWindow::applySkinVariant()
{
    FrmMainUi& u = ui_;
    const bool b = session_.variant == SkinVariant::B;
    const int from = layout::px(b ? layout::kLineFromXB : layout::kLineFromX);
    const int to = layout::px(b ? layout::kLineToXB : layout::kLineToX);
    // A 3-pixel line centred on its y.
    u.Line1->setGeometry(from, layout::px(layout::kLineY) - 1, to - from + 1, 3);
    u.ImageQQ1->setVisible(b);
    if (b) {
        QRect r = pixels(layout::kBanner);
        r.setWidth(layout::px(layout::kBannerWidthB));
        u.Image1->setFixedPlace(r);
        u.Image1->setToolTip(QString());
    }
}

ImageButton* MainWindow::buttonForKey(const QString& key) const
{
    const auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : it->second.first;
}

int MainWindow::loadSkin()
{
    FrmMainUi& u = ui_;
    const QString mainPicture = session_.path(QString::fromLatin1(kMainPicture));
    // The window's own background, then the still view and the background view.
    QPalette pal = palette();
    const QImage background(mainPicture);
    if (!background.isNull())
        pal.setBrush(QPalette::Window, QPixmap::fromImage(background));
    setPalette(pal);
    u.ixpEffect->setFile(session_.path(QString::fromLatin1(kVideoPicture)));
    u.ImagXpress1->setFile(mainPicture);

    int loaded = 0;
    for (const ButtonSkin& s : skinButtons()) {
        ImageButton* b = nullptr;
        switch (s.control) {
        case SkinControl::Shot:
            b = u.cmdShot;
            break;
        case SkinControl::Messenger:
            b = u.ImageQQ;
            break;
        case SkinControl::Messenger2:
            b = u.ImageQQ1;
            break;
        default:
            b = buttonForKey(s.key);
            break;
        }
        if (!b || !b->loadPicture(session_.dataPath(s.normal)))
            break;
        ++loaded;
    }
    return loaded;
}

void MainWindow::showSkinPicture(const QString& key, bool hover)
{
    const auto it = byKey_.find(key);
    if (it != byKey_.end()) {
        const ButtonSkin& skin = *it->second.second;
        it->second.first->loadPicture(session_.dataPath(hover ? skin.hover : skin.normal));
    }
}

void MainWindow::restoreButtons()
{
    showSkinPicture(hover_.hoverKey(), false);
}

void MainWindow::wireHover()
{
    FrmMainUi& u = ui_;
    for (auto& [key, entry] : byKey_) {
        const QString k = key;
        connect(entry.first, &ImageButton::pointerMoved, this, [this, k] { onButtonHover(k); });
    }
    connect(u.cmdHelp, &ImageButton::pointerMoved, this, [this] { setMessengerBorders(false, false); });
    connect(u.ImagXpress1, &ImageView::mouseMoved, this, [this] {
        onPlainAreaHover();
        setMessengerBorders(false, false);
    });
    for (ImageView* v : u.ixpPhoto)
        connect(v, &ImageView::mouseMoved, this, &MainWindow::onPlainAreaHover);
    connect(u.ImageQQ, &ImageButton::pointerMoved, this, [this] { setMessengerBorders(true, false); });
    connect(u.ImageQQ1, &ImageButton::pointerMoved, this, [this] { setMessengerBorders(false, true); });
    connect(u.ImagXpress1, &ImageView::keyPressed, this, [this](int code) { onBackgroundKey(code); });
    connect(u.ImagXpress1, &ImageView::mousePressed, this,
        [this](Qt::MouseButton button) { onBackgroundPressed(button); });
}

void MainWindow::onButtonHover(const QString& key)
{
    const HoverState::Change c = hover_.overButton(key);
    if (c.hover.isEmpty())
        return;
    showSkinPicture(c.restore, false);
    showSkinPicture(c.hover, true);
}

void MainWindow::onPlainAreaHover()
{
    restoreButtons();
    hover_.overPlainArea();
}

void MainWindow::setMessengerBorders(bool first, bool second)
{
    ui_.ImageQQ->setBorder(first);
    ui_.ImageQQ1->setBorder(second);
}

void MainWindow::onBackgroundKey(int keyCode)
{
    FrmMainUi& u = ui_;
    switch (keyCode) {
    case 13:
        u.cmdShot->press();
        break;
    case 37:
        u.Image2[0]->press();
        break;
    case 38:
        u.Image2[2]->press();
        break;
    case 39:
        u.Image2[1]->press();
        break;
    case 40:
        u.Image2[3]->press();
        break;
    default:
        break;
    }
}

void MainWindow::onBackgroundPressed(Qt::MouseButton button)
{
    // Drag the window by its background.
    if (button == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
}

void MainWindow::showMessage(const QString& text)
{
    ui_.LabelMsg->setText(text);
    ui_.LabelMsg->adjustSize();
    ui_.LabelMsg->show();
    ui_.LabelMsg->raise();
}

void MainWindow::startUp()
{
    FrmMainUi& u = ui_;
    QCoreApplication::processEvents();
    loadSkin();
    u.cmdShot->setTag(QStringLiteral("Shot"));
    QCoreApplication::processEvents();
    if (onShowFirstCategory)
        onShowFirstCategory();
    u.ixpEffect->raise();
    if (const auto cursor = loadCursorFile(session_.dataPath(QStringLiteral("harrow.cur"))))
        u.Image1->setCursor(*cursor);
    u.ImagXpress1->setFocus();
    // Fires once, right after the window has loaded.
    u.Timer1->start(1);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        if (onClosing)
            onClosing();
        closeCleanup(session_.shootFolder, session_.uploadFolder());
    }
    event->accept();
}

} // namespace kf
