#pragma once

// The booth's shooting and composition logic, apart from the widgets: the
// state of the main window's preview, shot button, photo strip and
// template grid, the photo table, and every handler of those controls. The
// window wires its controls to the handlers and redraws from state() when
// a changed signal arrives.

#include "camera.h"
#include "filechooser.h"
#include "import.h"
#include "merger.h"
#include "placement.h"
#include "shell/phototable.h"
#include "shell/prompts.h"
#include "shell/session.h"
#include "templatebrowser.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <memory>

namespace kf {

// How long a hint stays in the message label.
inline constexpr int kHintMilliseconds = 1500;

// Tags of the shot button.
inline constexpr auto kShotTag = "Shot";
inline constexpr auto kContinueTag = "Continue";

// What the preview area shows: the placeholder picture, the live camera
// picture, or a stored photo.
enum class PreviewMode { Placeholder, Live, Still };

// One strip position: the file its thumbnail shows (also its tag) and the
// number on its label (0 = label hidden).
struct StripCell {
    QString file;
    int number = 0;
    friend bool operator==(const StripCell&, const StripCell&) = default;
};

struct StripState {
    std::array<StripCell, kStripPageSize> cells {};
    int focus = 0; // position framed by Shape2

    void clearPictures();
    void hideNumbers();
    // ShowNumber(k): the label of position (k - 1) mod 4 shows k.
    void showNumber(int k);
};

struct BoothState {
    PhotoTable table;
    PreviewMode preview = PreviewMode::Placeholder;
    QString shownPhoto; // photo shown in the preview (ixpEffect's tag); empty unless Still
    QString shotTag = QString::fromLatin1(kShotTag);
    bool reviewing = false; // a stored photo picked in the strip is shown
    QString pendingTemplate; // template over the live picture, composed into the next shot
    bool cameraOpen = false;
    StripState strip;
    int templateFocus = 0; // cell framed by Shape1

    // True when slot n exists and holds a photo.
    bool holdsPhoto(int n) const;
    // The photo of slot n, or empty.
    QString photoOf(int n) const;
};

class Shooting : public QObject {
    Q_OBJECT
public:
    // templateCellBox: the size template pictures are decoded at for the grid.
    Shooting(const BoothSession& session, Camera& camera, Prompts& prompts, QSize templateCellBox,
        QObject* parent = nullptr);
    ~Shooting() override;

    const BoothState& state() const { return s_; }
    const TemplateBrowser& templates() const { return templates_; }
    const Merger& merger() const { return merger_; }
    const BoothSession& session() const { return session_; }

    // Camera and live view.
    void openCamera();
    void cameraSettings();
    // The shot button (and Enter): opens the camera when it is not open,
    // else takes a photo ("Shot") or returns to the live picture ("Continue").
    void pressShot();

    // Templates.
    void showCategory(int index);
    void nextTemplatePage();
    void previousTemplatePage();
    void chooseTemplate(int cell);

    // Photo strip and deleting.
    void pickPosition(int position);
    void nextStripPage();
    void previousStripPage();
    void deletePhoto();
    void deleteAllPhotos();

    // Placement and colour.
    void placementStep(PlacementButton button);
    // The photo the colour panel may adjust: the one shown; empty (after the
    // message) when none is shown.
    QString photoForColourPanel();
    // The colour panel rewrote photo: the preview and its thumbnail redraw.
    void photoRewritten(const QString& photo);
    // OK of the colour panel: the adjustment joins the photo's colour steps.
    void recordColourStep(const QString& photo, const ColourStep& step);

    // Import (the import button): asks the file chooser for pictures,
    // converts them in the background and enters the converted ones after
    // the last used slot; the strip then shows its last page and the
    // preview the last picture.
    void setFileChooser(FileChooser* chooser) { chooser_ = chooser; }
    void importPressed();
    bool importRunning() const;
    // Blocks until a running import has finished and been entered (tests).
    void waitForImport();

    // The file a shot into slot n writes: Photo<n>.bmp unless that name
    // belongs to another photo (after deletions slots and names differ),
    // then the first free Photo<n>_<k>.bmp (empty when none is free).
    QString shotPhotoPath(int n) const;

signals:
    void previewChanged();
    void stripChanged();
    void templatesChanged();
    void shotButtonChanged();
    // A short message in the label, hidden after milliseconds.
    void hint(const QString& text, int milliseconds);
    // A message that stays in the label until messageHidden().
    void message(const QString& text);
    void messageHidden();
    // An import started (true) or finished (false).
    void importBusy(bool busy);
    // Pictures converted so far; sent for imports of more than a few.
    void importProgress(int done, int total);
    // The keyboard focus goes back to the background view.
    void backgroundFocusWanted();

private:
    void shot();
    void continueShot();
    void returnToLive();
    void showPlaceholder();
    void liveOrPlaceholder();
    // Live (or placeholder) with the shot button on "Shot", not reviewing.
    void leaveStill();
    void showCurrentAfterPaging();
    void showStill(const QString& photo);
    void showStripPage(int page);
    void setShotTag(const char* tag);
    bool editablePhotoShown() const;
    void refreshThumbnailOf(int n, const QString& photo);
    void overlayTemplate(const QString& path);
    void recompose(const QString& templatePath);
    void emptyShootFolder();
    void importFinished();

    const BoothSession& session_;
    Camera& camera_;
    Prompts& prompts_;
    BoothState s_;
    TemplateBrowser templates_;
    Merger merger_;
    std::unique_ptr<QTemporaryDir> overlayDir_;
    FileChooser* chooser_ = nullptr;
    PhotoImport import_;
};

} // namespace kf
