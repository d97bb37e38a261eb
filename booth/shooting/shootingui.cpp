#include "shootingui.h"

#include "adjustcolorwindow.h"
#include "capturectrl.h"
#include "imageview.h"
#include "import.h"
#include "shell/mainwindow.h"
#include "shell/skin.h"
#include "shootingtexts.h"

#include <QFileDialog>
#include <QLabel>

namespace kf {

QStringList DialogFileChooser::choosePictures(const QString& title, const QString& filter)
{
    // Several existing files at once; no limit on the length of the names.
    return QFileDialog::getOpenFileNames(parent_, title, QString(), filter);
}

void ShootingUi::WindowPrompts::inform(const QString& title, const QString& text, Icon icon)
{
    w_.prompts().inform(title, text, icon);
}

bool ShootingUi::WindowPrompts::askYesNo(const QString& title, const QString& text)
{
    return w_.prompts().askYesNo(title, text);
}

ShootingUi::ShootingUi(MainWindow& window, Camera* camera)
    : QObject(&window)
    , window_(window)
    , prompts_(window)
    , chooser_(std::make_unique<DialogFileChooser>(&window))
{
    if (!camera) {
        ownCamera_ = std::make_unique<CaptureCamera>(*window.ui().Capture1);
        camera = ownCamera_.get();
    }
    camera_ = camera;
    // Template pictures are decoded at the size of the largest grid cell.
    QSize cell;
    for (ImageView* v : window.ui().picSub)
        cell = cell.expandedTo(v->size());
    shooting_ = std::make_unique<Shooting>(window.session(), *camera_, prompts_, cell);
    shooting_->setFileChooser(chooser_.get());
    // Strip numbers: highlight text on the window-text colour.
    for (QLabel* label : window.ui().lbDraw) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::WindowText));
        pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
        label->setPalette(pal);
        label->setAutoFillBackground(true);
        label->setMargin(1);
    }
    hintTimer_.setSingleShot(true);
    connect(&hintTimer_, &QTimer::timeout, window.ui().LabelMsg, &QWidget::hide);
    wire();
    syncPreview();
    syncStrip();
    syncShotButton();
}

ShootingUi::~ShootingUi() = default;

void ShootingUi::setFileChooser(std::unique_ptr<FileChooser> chooser)
{
    chooser_ = std::move(chooser);
    shooting_->setFileChooser(chooser_.get());
}

void ShootingUi::wire()
{
    FrmMainUi& u = window_.ui();
    Shooting* s = shooting_.get();

    window_.onShowFirstCategory = [s] { s->showCategory(0); };
    window_.onOpenCamera = [s] { s->openCamera(); };

    connect(s, &Shooting::previewChanged, this, &ShootingUi::syncPreview);
    connect(s, &Shooting::stripChanged, this, &ShootingUi::syncStrip);
    connect(s, &Shooting::templatesChanged, this, &ShootingUi::syncTemplates);
    connect(s, &Shooting::shotButtonChanged, this, &ShootingUi::syncShotButton);
    connect(s, &Shooting::hint, this, &ShootingUi::showHint);
    connect(s, &Shooting::message, this, [this](const QString& text) {
        hintTimer_.stop();
        window_.showMessage(text);
    });
    connect(s, &Shooting::messageHidden, u.LabelMsg, &QWidget::hide);
    connect(s, &Shooting::importProgress, this, [this](int done, int total) {
        hintTimer_.stop();
        window_.showMessage(
            QString::fromUtf8(kImportBusyText) + QStringLiteral(" %1/%2").arg(done).arg(total));
    });
    connect(s, &Shooting::importBusy, this, [u](bool busy) { u.cmdphoto->setEnabled(!busy); });
    connect(s, &Shooting::backgroundFocusWanted, u.ImagXpress1, [u] { u.ImagXpress1->setFocus(); });

    connect(u.cmdCamera, &ImageButton::pressed, s, &Shooting::openCamera);
    connect(u.cmdsetup, &ImageButton::pressed, s, &Shooting::cameraSettings);
    connect(u.cmdShot, &ImageButton::pressed, this, [this, u, s] {
        // The border shows the press while the handler runs.
        u.cmdShot->setBorder(true);
        s->pressShot();
        u.cmdShot->setBorder(false);
    });
    for (int i = 0; i < int(u.cmdSort.size()); ++i)
        connect(u.cmdSort[std::size_t(i)], &ImageButton::pressed, s, [s, i] { s->showCategory(i); });
    connect(u.cmdSubNext, &ImageButton::pressed, s, &Shooting::nextTemplatePage);
    connect(u.cmdSubPre, &ImageButton::pressed, s, &Shooting::previousTemplatePage);
    for (int i = 0; i < kTemplateCells; ++i)
        connect(u.picSub[std::size_t(i)], &ImageView::clicked, s, [s, i] { s->chooseTemplate(i); });

    for (int i = 0; i < kStripPageSize; ++i) {
        connect(u.ixpPhoto[std::size_t(i)], &ImageView::mousePressed, this,
            [this, i](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { stripPressed(i, b, x, y); });
    }
    connect(u.cmdPhotoNext, &ImageButton::pressed, s, &Shooting::nextStripPage);
    connect(u.cmdPhotoPre, &ImageButton::pressed, s, &Shooting::previousStripPage);
    connect(u.cmdDel, &ImageButton::pressed, s, &Shooting::deletePhoto);
    const QList<QAction*> menu = u.mousemenu->actions();
    if (menu.size() >= 2) {
        connect(menu[0], &QAction::triggered, s, &Shooting::deletePhoto);
        connect(menu[1], &QAction::triggered, s, &Shooting::deleteAllPhotos);
    }

    for (int i = 0; i < kPlacementButtons; ++i) {
        connect(u.Image2[std::size_t(i)], &ImageButton::pressed, s,
            [s, i] { s->placementStep(static_cast<PlacementButton>(i)); });
    }
    connect(u.cmdadjust, &ImageButton::pressed, this, &ShootingUi::openColourPanel);
    connect(u.cmdphoto, &ImageButton::pressed, s, &Shooting::importPressed);
}

void ShootingUi::stripPressed(int position, Qt::MouseButton button, int x, int y)
{
    shooting_->pickPosition(position);
    if (button == Qt::RightButton) {
        ImageView* v = window_.ui().ixpPhoto[std::size_t(position)];
        window_.ui().mousemenu->popup(v->mapToGlobal(QPoint(x, y)));
    }
}

void ShootingUi::syncPreview()
{
    FrmMainUi& u = window_.ui();
    const BoothState& st = shooting_->state();
    switch (st.preview) {
    case PreviewMode::Live:
        u.ixpEffect->hide();
        u.ixpEffect->clear();
        u.ixpEffect->setTag(QString());
        u.Capture1->show();
        u.Capture1->raise();
        break;
    case PreviewMode::Placeholder:
    case PreviewMode::Still: {
        const bool still = st.preview == PreviewMode::Still;
        u.ixpEffect->setFit(true);
        u.ixpEffect->setFile(
            still ? st.shownPhoto : window_.session().path(QString::fromLatin1(kVideoPicture)));
        u.ixpEffect->setTag(still ? st.shownPhoto : QString());
        u.Capture1->hide();
        u.ixpEffect->show();
        u.ixpEffect->raise();
        break;
    }
    }
    if (u.LabelMsg->isVisible())
        u.LabelMsg->raise();
}

void ShootingUi::syncStrip()
{
    FrmMainUi& u = window_.ui();
    const StripState& strip = shooting_->state().strip;
    for (int i = 0; i < kStripPageSize; ++i) {
        const StripCell& cell = strip.cells[std::size_t(i)];
        ImageView* v = u.ixpPhoto[std::size_t(i)];
        if (cell.file.isEmpty())
            v->clear();
        else
            v->setFile(cell.file); // again, also for the same name: it may have been rebuilt
        v->setTag(cell.file);
        QLabel* label = u.lbDraw[std::size_t(i)];
        if (cell.number > 0) {
            label->setText(QString::number(cell.number));
            label->adjustSize();
            label->show();
            label->raise();
        } else {
            label->hide();
        }
    }
    u.Shape2->surround(u.ixpPhoto[std::size_t(strip.focus)]->geometry());
}

void ShootingUi::syncTemplates()
{
    FrmMainUi& u = window_.ui();
    const auto& cells = shooting_->templates().cells();
    for (int i = 0; i < kTemplateCells; ++i) {
        const TemplateCell& cell = cells[std::size_t(i)];
        ImageView* v = u.picSub[std::size_t(i)];
        if (cell.path.isEmpty())
            v->clear();
        else
            v->setPicture(Picture(cell.picture));
        v->setTag(cell.path);
    }
    u.Shape1->surround(u.picSub[std::size_t(shooting_->state().templateFocus)]->geometry());
}

void ShootingUi::syncShotButton()
{
    FrmMainUi& u = window_.ui();
    const QString tag = shooting_->state().shotTag;
    const bool shot = tag == QLatin1String(kShotTag);
    u.cmdShot->loadPicture(
        window_.session().path(QString::fromLatin1(shot ? kShotPicture : kContinuePicture)));
    u.cmdShot->setTag(tag);
}

void ShootingUi::showHint(const QString& text, int milliseconds)
{
    window_.showMessage(text);
    hintTimer_.start(milliseconds);
}

void ShootingUi::openColourPanel()
{
    const QString photo = shooting_->photoForColourPanel();
    if (photo.isEmpty())
        return;
    AdjustColorWindow panel(photo, prompts_, &window_);
    panel_ = &panel;
    connect(&panel, &AdjustColorWindow::photoChanged, shooting_.get(), &Shooting::photoRewritten);
    if (panel.exec() == QDialog::Accepted)
        shooting_->recordColourStep(photo, panel.panel().step());
    panel_ = nullptr;
}

} // namespace kf
