#include "shooting.h"

#include "imageio.h"
#include "shootingtexts.h"
#include "templatefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>

namespace kf {
namespace {

// How many alternative names a shot tries before it gives up.
constexpr int kMaxNameTries = 1000;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

void StripState::clearPictures()
{
    for (StripCell& c : cells)
        c.file.clear();
}

void StripState::hideNumbers()
{
    for (StripCell& c : cells)
        c.number = 0;
}

void StripState::showNumber(int k)
{
    if (k < 1)
        return;
    cells[static_cast<std::size_t>(PhotoTable::stripPositionOf(k))].number = k;
}

bool BoothState::holdsPhoto(int n) const
{
    return PhotoTable::validSlot(n) && !table.slot(n).isFree();
}

QString BoothState::photoOf(int n) const
{
    return PhotoTable::validSlot(n) ? table.slot(n).photoPath : QString();
}

Shooting::Shooting(
    const BoothSession& session, Camera& camera, Prompts& prompts, QSize templateCellBox, QObject* parent)
    : QObject(parent)
    , session_(session)
    , camera_(camera)
    , prompts_(prompts)
    , templates_(session.templateRoot(), templateCellBox)
    , merger_(session.path(QString::fromLatin1(kCanvasPicture)), siteMarkOf(session))
{
    connect(&import_, &PhotoImport::progress, this, [this](int done, int total) {
        if (total > kImportProgressAbove)
            emit importProgress(done, total);
    });
    connect(&import_, &PhotoImport::finished, this, &Shooting::importFinished);
}

Shooting::~Shooting() = default;

// ---- Camera and live view -------------------------------------------------

void Shooting::openCamera()
{
    if (camera_.GetDeviceNumber() == 0) {
        prompts_.inform(text(texts::kTipCaption), text(texts::kNoCamera));
        return;
    }
    s_.preview = PreviewMode::Live;
    emit previewChanged();
    camera_.SetIsChangeVideoFormat(kChangeVideoFormat);
    camera_.SetVideoFormat(kVideoFormatPal);
    camera_.SelectDevice(kFirstDevice);
    camera_.Capture();
    s_.cameraOpen = true;
}

void Shooting::cameraSettings()
{
    if (camera_.GetDeviceNumber() != 0)
        camera_.ShowFilterPropertyPage();
    else
        prompts_.inform(text(texts::kTipCaption), text(texts::kSettingsNeedCamera));
}

void Shooting::setShotTag(const char* tag)
{
    const QString t = QString::fromLatin1(tag);
    if (s_.shotTag != t) {
        s_.shotTag = t;
        emit shotButtonChanged();
    }
}

void Shooting::returnToLive()
{
    camera_.SetEnableMergeFore(false);
    camera_.Run();
    s_.preview = PreviewMode::Live;
    s_.shownPhoto.clear();
    emit previewChanged();
}

void Shooting::showPlaceholder()
{
    s_.preview = PreviewMode::Placeholder;
    s_.shownPhoto.clear();
    emit previewChanged();
    camera_.Pause();
}

void Shooting::liveOrPlaceholder()
{
    // Without an open camera the preview shows the placeholder picture
    // rather than an empty live area.
    if (s_.cameraOpen)
        returnToLive();
    else
        showPlaceholder();
}

void Shooting::leaveStill()
{
    liveOrPlaceholder();
    setShotTag(kShotTag);
    s_.reviewing = false;
}

void Shooting::showCurrentAfterPaging()
{
    // The current slot's photo, the pipeline running behind it; or back to
    // the live picture when the slot is empty.
    if (s_.holdsPhoto(s_.table.currentPhoto))
        showStill(s_.photoOf(s_.table.currentPhoto));
    else
        leaveStill();
}

void Shooting::showStill(const QString& photo)
{
    s_.preview = PreviewMode::Still;
    s_.shownPhoto = photo;
    emit previewChanged();
}

// ---- Taking a photo -------------------------------------------------------

void Shooting::pressShot()
{
    if (!s_.cameraOpen) {
        openCamera();
        return;
    }
    if (s_.shotTag == QLatin1String(kShotTag))
        shot();
    else
        continueShot();
    emit backgroundFocusWanted();
}

QString Shooting::shotPhotoPath(int n) const
{
    const QString own = s_.photoOf(n);
    auto usable = [&](const QString& candidate) {
        if (candidate == own)
            return true;
        for (int k = 1; k <= kPhotoSlots; ++k) {
            if (s_.table.slot(k).photoPath == candidate)
                return false;
        }
        return !QFileInfo::exists(candidate) && !QFileInfo::exists(cleanCopy(candidate));
    };
    const QString first = photoName(session_.shootFolder, n);
    if (usable(first))
        return first;
    for (int k = 2; k <= kMaxNameTries; ++k) {
        const QString candidate = session_.shootFolder + QStringLiteral("/Photo%1_%2.bmp").arg(n).arg(k);
        if (usable(candidate))
            return candidate;
    }
    return {};
}

void Shooting::shot()
{
    PhotoTable& t = s_.table;
    // Retake: a picked photo was shown and "Continue" moved one past it; the
    // new shot replaces it. Any other photo is never replaced by a shot: when
    // the current slot holds one (after paging back, or after an import) the
    // shot goes after the last photo instead.
    int n = t.currentPhoto;
    if (s_.reviewing && s_.holdsPhoto(n - 1))
        n = n - 1;
    else if (s_.holdsPhoto(n))
        n = t.photoCount + 1;
    if (!PhotoTable::validSlot(n)) {
        prompts_.inform(text(texts::kTipCaption), text(texts::kStripFull));
        return;
    }
    const QString path = shotPhotoPath(n);
    if (path.isEmpty()) {
        prompts_.inform(
            text(texts::kTipCaption), text(texts::kPhotoNotSaved).arg(photoName(session_.shootFolder, n)));
        return;
    }

    // The frame goes to a side file first, so that a failed grab leaves an
    // earlier photo of the slot as it was.
    const QString grabbed = path + QStringLiteral(".grab");
    QFile::remove(grabbed);
    const bool written = camera_.Grab(grabbed, false);
    const QImage frame = written ? loadImage(grabbed) : QImage();
    QFile::remove(grabbed);
    if (frame.isNull()) {
        emit hint(text(texts::kGrabFailed), kHintMilliseconds);
        return;
    }

    Merger::ShotPictures pictures;
    QString error;
    if (!merger_.shotPictures(frame, s_.pendingTemplate, &pictures, &error)) {
        prompts_.inform(text(texts::kTipCaption), text(texts::kShotTemplateUnreadable));
        return;
    }
    if (!writePicturesTogether({{pictures.clean, cleanCopy(path)}, {pictures.photo, path}}, &error)) {
        prompts_.inform(text(texts::kTipCaption), text(texts::kPhotoNotSaved).arg(error));
        return;
    }

    t.currentPhoto = n;
    camera_.Pause();
    showStill(path);

    if (PhotoTable::stripPageOf(n) != t.stripPage)
        showStripPage(PhotoTable::stripPageOf(n));
    const int p = PhotoTable::stripPositionOf(n);
    s_.strip.showNumber(n);
    s_.strip.cells[static_cast<std::size_t>(p)].file = path;
    s_.strip.focus = p;
    PhotoSlot& slot = t.slot(n);
    slot.photoPath = path;
    setShotTag(kContinueTag);
    t.photoCount = std::max(t.photoCount, n);
    s_.reviewing = false;
    slot.resetComposition();
    slot.templatePath = s_.pendingTemplate;
    s_.pendingTemplate.clear();
    // A placed copy left by an earlier photo of the slot is no longer its.
    if (QFileInfo::exists(placedCopy(path)))
        QFile::remove(placedCopy(path));
    emit stripChanged();
}

void Shooting::continueShot()
{
    PhotoTable& t = s_.table;
    camera_.Run();
    s_.preview = PreviewMode::Live;
    s_.shownPhoto.clear();
    emit previewChanged();

    ++t.currentPhoto;
    const int n = t.currentPhoto;
    const int p = PhotoTable::stripPositionOf(n);
    if (n % kStripPageSize == 1 && n != 1 && !s_.reviewing) {
        // On to a new strip page.
        showStripPage(t.stripPage + 1);
    }
    // No label numbers a slot that does not exist.
    if (PhotoTable::validSlot(n))
        s_.strip.showNumber(n);
    // While reviewing, the frame stays on the picked photo, which the next
    // shot replaces.
    if (!s_.holdsPhoto(n - 1) || !s_.reviewing)
        s_.strip.focus = p;
    setShotTag(kShotTag);
    camera_.SetEnableMergeFore(false);
    emit stripChanged();
}

void Shooting::showStripPage(int page)
{
    PhotoTable& t = s_.table;
    t.stripPage = page;
    s_.strip.hideNumbers();
    s_.strip.clearPictures();
    for (int i = 0; i < kStripPageSize; ++i) {
        const int k = (page - 1) * kStripPageSize + i + 1;
        if (s_.holdsPhoto(k)) {
            s_.strip.cells[static_cast<std::size_t>(i)].file = s_.photoOf(k);
            s_.strip.showNumber(k);
        }
    }
}

// ---- Templates --------------------------------------------------------------

void Shooting::showCategory(int index)
{
    if (index < 0 || index >= int(std::size(kCategoryTags)))
        return;
    templates_.showCategory(QString::fromUtf8(kCategoryTags[index]));
    emit templatesChanged();
}

void Shooting::nextTemplatePage()
{
    if (templates_.nextPage())
        emit templatesChanged();
}

void Shooting::previousTemplatePage()
{
    if (templates_.previousPage())
        emit templatesChanged();
}

void Shooting::chooseTemplate(int cell)
{
    if (cell < 0 || cell >= kTemplateCells)
        return;
    s_.templateFocus = cell;
    emit templatesChanged();
    const QString path = templates_.cellPath(cell);
    if (s_.preview != PreviewMode::Live) {
        recompose(path);
    } else {
        s_.pendingTemplate = path;
        if (path.isEmpty())
            camera_.SetEnableMergeFore(false); // the next shot has no template: neither has the preview
        else
            overlayTemplate(path);
    }
    emit backgroundFocusWanted();
}

void Shooting::overlayTemplate(const QString& path)
{
    // The live overlay needs a plain picture with an alpha channel on disk
    // for the moment of loading: a private copy is written, loaded and
    // removed; a template without alpha gets the alpha of its key.
    const QImage overlay = overlayImage(merger_.templatePicture(path));
    if (overlay.isNull()) {
        s_.pendingTemplate.clear();
        emit hint(text(texts::kTemplateUnreadable), kHintMilliseconds);
        return;
    }
    if (!overlayDir_ || !overlayDir_->isValid())
        overlayDir_
            = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kinfolio-fore-XXXXXX"));
    const QString file = overlayDir_->filePath(QStringLiteral("fore.png"));
    QImageWriter writer(file, "png");
    writer.setCompression(1);
    if (writer.write(overlay)) {
        camera_.SetFore(file);
        camera_.SetEnableMergeFore(true);
    }
    QFile::remove(file);
}

// ---- Merging ----------------------------------------------------------------

void Shooting::recompose(const QString& templatePath)
{
    if (!editablePhotoShown())
        return; // the placeholder: nothing to compose
    const int n = s_.table.currentPhoto;
    const QString photo = s_.shownPhoto;
    QString error;
    if (!merger_.recompose(photo, templatePath, &error)) {
        emit hint(text(texts::kRebuildFailed), kHintMilliseconds);
        return;
    }
    PhotoSlot& slot = s_.table.slot(n);
    slot.templatePath = templatePath;
    slot.colourSteps.clear();
    emit previewChanged();
    refreshThumbnailOf(n, photo);
}

bool Shooting::editablePhotoShown() const
{
    // The photo shown is always the one of the current slot; anything else
    // (the live picture, the placeholder) has nothing to edit.
    return s_.preview == PreviewMode::Still && !s_.shownPhoto.isEmpty()
        && s_.photoOf(s_.table.currentPhoto) == s_.shownPhoto;
}

void Shooting::refreshThumbnailOf(int n, const QString& photo)
{
    s_.strip.cells[static_cast<std::size_t>(PhotoTable::stripPositionOf(n))].file = photo;
    emit stripChanged();
}

// ---- Photo strip and deleting -------------------------------------------------

void Shooting::pickPosition(int position)
{
    if (position < 0 || position >= kStripPageSize)
        return;
    PhotoTable& t = s_.table;
    t.currentPhoto = (t.stripPage - 1) * kStripPageSize + position + 1;
    if (s_.holdsPhoto(t.currentPhoto)) {
        s_.reviewing = true;
        camera_.Pause();
        showStill(s_.photoOf(t.currentPhoto));
        setShotTag(kContinueTag);
        emit backgroundFocusWanted();
    } else {
        leaveStill();
    }
    s_.strip.focus = position;
    emit stripChanged();
}

void Shooting::nextStripPage()
{
    PhotoTable& t = s_.table;
    if (t.stripPage * kStripPageSize >= t.photoCount)
        return;
    s_.strip.clearPictures();
    s_.strip.hideNumbers();
    const int m = t.photoCount >= (t.stripPage + 1) * kStripPageSize
        ? kStripPageSize
        : t.photoCount - t.stripPage * kStripPageSize;
    for (int j = 1; j <= m; ++j) {
        const int k = t.stripPage * kStripPageSize + j;
        s_.strip.cells[static_cast<std::size_t>(j - 1)].file = s_.photoOf(k);
        s_.strip.showNumber(k);
    }
    t.currentPhoto += kStripPageSize;
    showCurrentAfterPaging();
    ++t.stripPage;
    emit stripChanged();
}

void Shooting::previousStripPage()
{
    PhotoTable& t = s_.table;
    if (t.stripPage == 1)
        return;
    s_.strip.clearPictures();
    for (int j = 1; j <= kStripPageSize; ++j) {
        const int k = (t.stripPage - 2) * kStripPageSize + j;
        s_.strip.cells[static_cast<std::size_t>(j - 1)].file = s_.photoOf(k);
        s_.strip.showNumber(k);
    }
    t.currentPhoto -= kStripPageSize;
    showCurrentAfterPaging();
    --t.stripPage;
    emit stripChanged();
}

void Shooting::deletePhoto()
{
    PhotoTable& t = s_.table;
    const int cur = t.currentPhoto;
    if (!s_.holdsPhoto(cur)) {
        emit hint(text(texts::kChoosePhotoToDelete), kHintMilliseconds);
        return;
    }
    const QString path = s_.photoOf(cur);
    if (!prompts_.askYesNo(text(texts::kConfirmCaption), text(texts::kAskDelete)))
        return;
    if (QFileInfo::exists(placedCopy(path)))
        QFile::remove(placedCopy(path));
    if (QFileInfo::exists(colourBackup(path)))
        QFile::remove(colourBackup(path));
    QFile::remove(path);
    QFile::remove(cleanCopy(path));

    t.slot(cur) = PhotoSlot {};
    for (int s = cur; s <= t.photoCount - 1; ++s) {
        t.slot(s) = t.slot(s + 1);
        t.slot(s + 1) = PhotoSlot {};
    }
    --t.photoCount;

    s_.strip.hideNumbers();
    s_.strip.clearPictures();
    const int f = (t.stripPage - 1) * kStripPageSize;
    for (int s = f; s <= std::min(t.photoCount, f + kStripPageSize - 1); ++s) {
        s_.strip.cells[static_cast<std::size_t>(s - f)].file = s_.photoOf(s + 1);
        s_.strip.showNumber(s + 1);
    }
    if (!s_.holdsPhoto(cur)) {
        leaveStill();
    } else {
        showStill(s_.photoOf(cur));
    }
    emit stripChanged();
}

void Shooting::emptyShootFolder()
{
    // Always the run's own folder, whatever the photos' paths say.
    const QString folder = session_.shootFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isAbsolute() || !QFileInfo(folder).isDir())
        return;
    QDir dir(folder);
    const QFileInfoList entries
        = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& e : entries) {
        if (e.isDir() && !e.isSymLink())
            QDir(e.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(e.absoluteFilePath());
    }
}

void Shooting::deleteAllPhotos()
{
    PhotoTable& t = s_.table;
    if (t.photoCount == 0)
        return;
    if (!prompts_.askYesNo(text(texts::kConfirmCaption), text(texts::kAskDeleteAll)))
        return;
    t.clear();
    s_.strip.clearPictures();
    for (int k = 1; k <= kStripPageSize; ++k)
        s_.strip.showNumber(k);
    emptyShootFolder();
    leaveStill();
    pickPosition(0);
}

// ---- Placement and colour -------------------------------------------------------

void Shooting::placementStep(PlacementButton button)
{
    const int n = s_.table.currentPhoto;
    if (!editablePhotoShown()) {
        emit hint(text(texts::kChoosePhotoToEdit), kHintMilliseconds);
        return;
    }
    PhotoSlot& slot = s_.table.slot(n);
    const Placement p = kf::placementStep(Placement {slot.offsetX, slot.offsetY, slot.angle}, button);
    const QString photo = s_.shownPhoto;
    QString error;
    if (!merger_.endMerger(photo, slot, p.x, p.y, p.angle, &error)) {
        // Nothing was rewritten, so the recorded placement stays what the
        // files show.
        emit hint(text(texts::kRebuildFailed), kHintMilliseconds);
        return;
    }
    slot.offsetX = p.x;
    slot.offsetY = p.y;
    slot.angle = p.angle;
    emit previewChanged();
    refreshThumbnailOf(n, photo);
}

QString Shooting::photoForColourPanel()
{
    if (!editablePhotoShown()) {
        prompts_.inform(text(texts::kTipCaption), text(texts::kChoosePhotoForColour));
        return {};
    }
    return s_.shownPhoto;
}

void Shooting::photoRewritten(const QString& photo)
{
    const int n = s_.table.currentPhoto;
    if (photo.isEmpty() || s_.photoOf(n) != photo)
        return;
    emit previewChanged();
    refreshThumbnailOf(n, photo);
}

void Shooting::recordColourStep(const QString& photo, const ColourStep& step)
{
    const int n = s_.table.currentPhoto;
    if (photo.isEmpty() || s_.photoOf(n) != photo)
        return;
    PhotoSlot& slot = s_.table.slot(n);
    slot.colourSteps = appendColourStep(slot.colourSteps, step);
}

// ---- Import -------------------------------------------------------------------------

void Shooting::importPressed()
{
    if (!chooser_ || import_.isRunning())
        return;
    const int capacity = importCapacity(s_.table);
    if (capacity == 0) {
        prompts_.inform(text(texts::kTipCaption), text(kImportFullText));
        return;
    }
    const QStringList chosen = chooser_->choosePictures(text(texts::kImportDialogTitle), text(kImportFilter));
    if (chosen.isEmpty())
        return;
    emit message(text(kImportBusyText));
    ImportRequest request;
    request.sources = chosen;
    request.shootFolder = session_.shootFolder;
    request.capacity = capacity;
    if (!import_.start(request)) {
        emit messageHidden();
        return;
    }
    emit importBusy(true);
}

bool Shooting::importRunning() const
{
    return import_.isRunning();
}

void Shooting::waitForImport()
{
    import_.wait();
}

void Shooting::importFinished()
{
    ImportResult result = import_.takeResult();
    const ImportEntry entry = enterImported(s_.table, result);
    if (entry.count > 0) {
        PhotoTable& t = s_.table;
        s_.strip.hideNumbers();
        s_.strip.clearPictures();
        for (int i = 0; i < entry.strip.count; ++i) {
            const int k = entry.strip.firstSlot + i;
            s_.strip.cells[static_cast<std::size_t>(i)].file = s_.photoOf(k);
            s_.strip.showNumber(k);
        }
        // The pipeline keeps running behind the picture; the shot button and
        // Reviewing stay as they are.
        showStill(s_.photoOf(t.currentPhoto));
        s_.strip.focus = entry.focusPosition();
        emit stripChanged();
    }
    emit hint(text(kImportDoneText), kHintMilliseconds);
    emit importBusy(false);
    const QString report = importReport(result);
    if (!report.isEmpty())
        prompts_.inform(text(texts::kTipCaption), report);
}

} // namespace kf
