#pragma once

// The photo import engine: brings picture files into the run as photos.
//
// Every chosen picture is converted to the booth's 320 x 240 working size
// (letterboxed on white when its shape differs), stored in the run's photo
// folder under a new name that never replaces a file, given its clean copy
// and appended to the photo table after the last used slot.
//
// How the main window uses it (all on the user-interface thread):
//
//   if (importCapacity(table) == 0) { show kImportFullText; return; }
//   paths = QFileDialog::getOpenFileNames(..., kImportFilter);
//   if (paths.isEmpty()) return;                       // cancelled
//   show kImportBusyText;
//   import.start({paths, session.shootFolder, importCapacity(table)});
//   // progress(done, total) arrives while the pictures are converted on
//   // both cores; show it when total > kImportProgressAbove.
//   // on finished():
//   ImportResult result = import.takeResult();
//   ImportEntry entry = enterImported(table, result);
//   if (entry.count > 0) { show strip page entry.strip, preview
//                          table.slot(entry.currentPhoto).photoPath }
//   show kImportDoneText; if (!importReport(result).isEmpty()) message box.
//
// The window stays responsive meanwhile; the import button should stay
// disabled until finished() so that two imports do not overlap (start()
// refuses a second one). Shots and deletions may go on; enterImported copes.

#include "shell/phototable.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QThreadPool;

namespace kf {

// ---------------------------------------------------------------------------
// Fixed values and texts

// Size of every imported photo and of its clean copy.
inline constexpr int kImportWidth = 320;
inline constexpr int kImportHeight = 240;
inline constexpr QSize kImportSize {kImportWidth, kImportHeight};

// At most this many pictures are taken from one selection; the rest are
// ignored.
inline constexpr int kImportSelectionLimit = 64;

// Largest number drawn for a new name: names end in 0..kImportNumberMax.
inline constexpr int kImportNumberMax = 9999;

// An import of more than this many pictures shows its progress.
inline constexpr int kImportProgressAbove = 3;

// Name filter of the file dialog (Qt syntax). Qt's own file dialog matches
// it without regard to case, so Beach.JPG is offered too.
inline constexpr char kImportFilter[] = "Pictures (*.bmp *.jpg)";

// Texts shown by the main window (UTF-8). The busy text keeps its leading
// blank.
inline constexpr char kImportBusyText[] = " 正在导入相片，请稍后……";
inline constexpr char kImportDoneText[] = "导入相片完成。";
// No free slot at all: nothing is imported.
inline constexpr char kImportFullText[] = "照片已满（最多 65 张），不能再导入。";
// Some pictures found no free slot. %1 = pictures imported, %2 = left out.
inline constexpr char kImportPartialText[] = "照片已满，只导入了 %1 张，其余 %2 张未导入。";
// Followed by the file names, one a line.
inline constexpr char kImportUnreadableText[] = "以下照片无法读取，未导入：";
inline constexpr char kImportWriteFailedText[] = "以下照片无法保存，未导入：";
// The import was stopped. %1 = pictures imported before it stopped.
inline constexpr char kImportCancelledText[] = "导入已停止，已导入 %1 张。";

// ---------------------------------------------------------------------------
// The letterbox rule

// Where a picture of the given size goes on the 320 x 240 canvas: the
// picture is scaled to rect.size() and placed at rect.topLeft(), the rest of
// the canvas is white.
//   - same shape as 320 x 240 (h * 320 == w * 240): the whole canvas;
//   - relatively taller: height 240, width w * 240 / h rounded to the
//     nearest pixel, centred across (left = (320 - width) / 2, truncated);
//   - relatively wider: width 320, height h * 320 / w rounded, centred
//     down (top = (240 - height) / 2, truncated).
// 640 x 480 -> (0, 0, 320 x 240); 480 x 640 -> (70, 0, 180 x 240);
// 1000 x 500 -> (0, 40, 320 x 160). A side never rounds below one pixel.
// An empty size gives an empty rectangle.
QRect letterboxPlacement(QSize picture);
// The size the picture is scaled to: letterboxPlacement(picture).size().
QSize importedSize(QSize picture);

// Converts the picture at source into the imported photo at target and gives
// it its clean copy at cleanCopy(target):
//   - the picture is decoded straight at the needed size (a large JPEG is
//     decoded at a reduced size, never whole), letterboxed on white at
//     320 x 240 and saved in the working format;
//   - the clean copy is a byte-for-byte copy of the source's companion
//     cleanCopy(source) when one lies beside the source (looked up without
//     regard to case) and is a 320 x 240 picture: the source is then a photo
//     of an earlier run and brings its clean copy along. Otherwise the clean
//     copy is the converted picture.
// Nothing is replaced: false when target or its clean copy exists already.
// Both files are written through temporary files and renamed into place.
// On failure neither file is left behind, the source is never changed and
// false is returned with the reason in *error. usedCompanion (optional)
// tells whether the companion was taken.
bool convertForImport(
    const QString& source, const QString& target, QString* error = nullptr, bool* usedCompanion = nullptr);

// ---------------------------------------------------------------------------
// New names

// Draws a number 0..kImportNumberMax for a new name.
using NumberDraw = std::function<int()>;
// Uniform draws from the system's random source.
NumberDraw systemNumberDraw();

// Picks the stored file name (no folder) for each source file name, in
// order: the imported-name rule (the name less its last four characters,
// then a drawn number, then ".bmp"; beach.jpg -> beach4711.bmp). A name is
// drawn again while it is taken:
//   - a file of that name, or one of its sidecar copies, exists in
//     shootFolder (looked up without regard to case);
//   - an earlier name of the same list has it (again without regard to case);
//   - it is the name of a shot photo, Photo1.bmp to Photo65.bmp, which a
//     later shot would overwrite (Photo3.bmp of an earlier run could
//     otherwise come out as Photo35.bmp).
// When draws keep hitting taken names the numbers are tried in order from
// the last draw, so a free number is always found if one exists; an entry
// for which all 10000 names are taken gets an empty name.
QStringList pickImportNames(
    const QStringList& sourceNames, const QString& shootFolder, const NumberDraw& draw = systemNumberDraw());

// ---------------------------------------------------------------------------
// One import

// Free slots of the table: kPhotoSlots - PhotoCount (never below 0).
int importCapacity(const PhotoTable& table);

struct ImportRequest {
    // The chosen files as full paths, in the dialog's order. Only the first
    // kImportSelectionLimit non-empty entries are taken.
    QStringList sources;
    // The run's photo folder; the photos and clean copies are written here.
    QString shootFolder;
    // Free slots (importCapacity of the table). Pictures beyond it are not
    // converted.
    int capacity = kPhotoSlots;
    // Number source for the new names (tests fix it).
    NumberDraw draw;
};

enum class ImportStatus {
    Stored, // converted: photo and clean copy written
    Unreadable, // the source could not be read as a picture
    WriteFailed, // the photo or its clean copy could not be written
    NoRoom, // no free slot was left for it (nothing written)
    Cancelled, // the import was stopped before this picture (nothing written)
};

struct ImportOutcome {
    QString source; // full path as chosen
    QString stored; // full path of the imported photo (Stored only)
    ImportStatus status = ImportStatus::Cancelled;
    QString error; // why it failed, for developers (English); empty when stored
    bool usedCompanion = false; // the clean copy came from the source's companion
};

struct ImportResult {
    // One outcome per taken entry of the selection (at most
    // kImportSelectionLimit), in the dialog's order.
    std::vector<ImportOutcome> outcomes;
    // Entries of the selection past kImportSelectionLimit, ignored.
    int beyondLimit = 0;
    bool cancelled = false;

    int count(ImportStatus status) const;
    // Full paths of the stored photos, in order.
    QStringList storedPaths() const;
};

// What the photo strip shows: page `page` with the slots firstSlot ..
// firstSlot + count - 1 (count 1..4; 0 only for an empty table).
struct StripView {
    int page = 1;
    int firstSlot = 1;
    int count = 0;
    friend bool operator==(const StripView&, const StripView&) = default;
};
// The last strip page of a table whose highest used slot is photoCount:
// 8 -> page 2 with slots 5..8; 9 -> page 3 with slot 9; 0 -> page 1, empty.
StripView lastStripPage(int photoCount);

// What enterImported did.
struct ImportEntry {
    int firstSlot = 0; // first slot filled; 0 when none was
    int count = 0; // slots firstSlot .. firstSlot + count - 1 were filled
    StripView strip; // the strip page to show (when count > 0)
    int currentPhoto = 0; // the photo to show in the preview (when count > 0)
    // Strip position (0..3) of currentPhoto: the thumbnail that gets the focus.
    int focusPosition() const { return PhotoTable::stripPositionOf(currentPhoto); }
};

// Enters the stored photos of result into the table after PhotoCount, in
// order and without gaps, each slot with its path and no template, colour or
// placement. Then PhotoCount grows by the number entered, CurrentPhoto =
// PhotoCount and StripPage = the last page. When nothing was stored the
// table is left as it was (count 0).
// The table always agrees with the files on disk, also when other handlers
// ran during the import:
//   - should the table have filled up since the import started (photos shot
//     meanwhile), the stored photos that no longer fit are deleted with
//     their clean copies and their outcome becomes NoRoom;
//   - a stored photo whose file or clean copy has gone since (all photos
//     deleted meanwhile) is not entered; its outcome becomes WriteFailed.
// Call it once per result.
ImportEntry enterImported(PhotoTable& table, ImportResult& result);

// The message for the customer after an import, empty when everything went
// in: the full/partial text, the unreadable and unsaved pictures by file
// name, the stop. Parts are separated by blank lines.
QString importReport(const ImportResult& result);

// Converts the pictures of one request on a thread pool (both cores) and
// reports progress to the thread that owns the object (the user-interface
// thread).
//
// start() picks the new names at once (on the calling thread), then
// converts in the background; every finished picture emits progress(done,
// total) and the last one finished(). cancel() stops the pictures not yet
// begun (those being converted finish and are kept). Destroying the object
// cancels and waits for the pictures being converted. The object can be
// started again once finished.
class PhotoImport : public QObject {
    Q_OBJECT
public:
    // pool: where the pictures are converted; the global pool (one thread
    // per core) unless given.
    explicit PhotoImport(QObject* parent = nullptr, QThreadPool* pool = nullptr);
    ~PhotoImport() override;

    // Starts an import; false (nothing started) while one is running.
    // Pictures past the capacity become NoRoom at once. A request with
    // nothing to convert finishes too, from the event loop, with total 0.
    bool start(const ImportRequest& request);
    // Stops the pictures not begun yet; they become Cancelled.
    void cancel();
    // Blocks until the running import has finished (and emits finished()
    // if it has not been emitted yet). For tests, benchmarks and tools.
    void wait();

    bool isRunning() const;
    // Pictures being converted in this import (at most the capacity).
    int total() const;
    int done() const;

    // The result of the finished import (empty while running or before
    // the first); takeResult() hands it over and leaves it empty.
    const ImportResult& result() const { return result_; }
    ImportResult takeResult() { return std::move(result_); }

signals:
    void progress(int done, int total);
    void finished();

private:
    struct Run;
    void pictureDone(const std::shared_ptr<Run>& run);
    void finish();

    QThreadPool* pool_;
    std::shared_ptr<Run> run_;
    ImportResult result_;
    int reported_ = 0;
    bool running_ = false;
};

// Runs one import to its end on the calling thread's behalf (blocking): the
// same work as PhotoImport, without signals.
ImportResult importPictures(const ImportRequest& request, QThreadPool* pool = nullptr);

} // namespace kf
