#include "import.h"

#include "imageio.h"
#include "picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace kf {
namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// a * b / c to the nearest integer (halves upward), for positive values.
int roundedRatio(qint64 a, qint64 b, qint64 c)
{
    return int((2 * a * b + c) / (2 * c));
}

// The clean copy an earlier run left beside source: source + ".dat", found
// without regard to case. Empty when there is none.
QString findCompanion(const QString& source)
{
    const QString exact = cleanCopy(source);
    if (QFileInfo(exact).isFile())
        return exact;
    const QFileInfo info(source);
    const QString wanted = cleanCopy(info.fileName());
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

// The companion's bytes when it is a clean copy of ours: a readable
// 320 x 240 picture. Empty otherwise.
QByteArray companionBytes(const QString& source)
{
    const QString companion = findCompanion(source);
    if (companion.isEmpty())
        return {};
    constexpr qint64 kLargestCleanCopy = 1 << 20; // a 320 x 240 bitmap is 230,454 bytes
    QFile file(companion);
    if (file.size() > kLargestCleanCopy || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QImage image = QImage::fromData(bytes);
    if (image.isNull() || image.size() != kImportSize)
        return {};
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

// The picture at source, letterboxed on white at 320 x 240. Null (with
// *error) when the source cannot be read.
QImage letterboxed(const QString& source, QString* error)
{
    if (!QFileInfo(source).isFile()) { // a folder, a device or a pipe would never end
        setError(error, QStringLiteral("%1 is not a picture file").arg(source));
        return {};
    }
    QImage picture;
    QRect place;
    const QSize stored = imageSize(source);
    if (stored.isValid()) {
        // Decoded at (about) the size it is shown at; the exact size follows.
        place = letterboxPlacement(stored);
        picture = loadScaled(source, place.size(), error);
    } else {
        picture = loadImage(source, error);
        if (!picture.isNull())
            place = letterboxPlacement(picture.size());
    }
    if (picture.isNull())
        return {};
    if (picture.size() != place.size())
        picture = picture.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage canvas(kImportSize, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(place.topLeft(), picture); // transparent parts show the white
    painter.end();
    return canvas;
}

ImportStatus convert(const QString& source, const QString& target, QString* error, bool* usedCompanion)
{
    if (usedCompanion)
        *usedCompanion = false;
    if (target.isEmpty()) {
        setError(error, QStringLiteral("no target name"));
        return ImportStatus::WriteFailed;
    }
    const QString targetClean = cleanCopy(target);
    if (QFileInfo::exists(target) || QFileInfo::exists(targetClean)) {
        setError(error, QStringLiteral("%1 exists already").arg(target));
        return ImportStatus::WriteFailed;
    }
    const QImage photo = letterboxed(source, error);
    if (photo.isNull())
        return ImportStatus::Unreadable;
    const QByteArray companion = companionBytes(source);

    const Picture picture(photo);
    if (!picture.save(target, kSaveTypeWorking)) {
        setError(error, picture.errorString());
        return ImportStatus::WriteFailed;
    }
    const bool cleanWritten = companion.isEmpty() ? picture.save(targetClean, kSaveTypeWorking)
                                                  : writeBytes(targetClean, companion, error);
    if (!cleanWritten) {
        if (companion.isEmpty())
            setError(error, picture.errorString());
        QFile::remove(target); // no photo without its clean copy
        return ImportStatus::WriteFailed;
    }
    if (usedCompanion)
        *usedCompanion = !companion.isEmpty();
    if (error)
        error->clear();
    return ImportStatus::Stored;
}

// Shot photos are named Photo1.bmp .. Photo65.bmp; name is case-folded.
bool isShotName(const QString& name)
{
    static const QString prefix = QStringLiteral("photo");
    static const QString suffix = QStringLiteral(".bmp");
    if (!name.startsWith(prefix) || !name.endsWith(suffix))
        return false;
    const QStringView digits
        = QStringView(name).mid(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.isEmpty() || digits.size() > 2 || digits.front() == u'0')
        return false;
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && PhotoTable::validSlot(n);
}

} // namespace

// ---------------------------------------------------------------------------

QRect letterboxPlacement(QSize picture)
{
    if (picture.isEmpty())
        return {};
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    if (h * kImportWidth == w * kImportHeight)
        return QRect(QPoint(0, 0), kImportSize);
    if (h * kImportWidth > w * kImportHeight) { // relatively taller
        const int width = std::clamp(roundedRatio(w, kImportHeight, h), 1, kImportWidth);
        return QRect((kImportWidth - width) / 2, 0, width, kImportHeight);
    }
    const int height = std::clamp(roundedRatio(h, kImportWidth, w), 1, kImportHeight);
    return QRect(0, (kImportHeight - height) / 2, kImportWidth, height);
}

QSize importedSize(QSize picture)
{
    return letterboxPlacement(picture).size();
}

bool convertForImport(const QString& source, const QString& target, QString* error, bool* usedCompanion)
{
    return convert(source, target, error, usedCompanion) == ImportStatus::Stored;
}

NumberDraw systemNumberDraw()
{
    return [] { return int(QRandomGenerator::global()->bounded(kImportNumberMax + 1)); };
}

QStringList pickImportNames(
    const QStringList& sourceNames, const QString& shootFolder, const NumberDraw& draw)
{
    constexpr int kRandomTries = 64;
    constexpr int kNumbers = kImportNumberMax + 1;
    QSet<QString> taken;
    const QStringList existing
        = QDir(shootFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entry : existing)
        taken.insert(entry.toCaseFolded());
    const auto isFree = [&taken](const QString& name) {
        const QString folded = name.toCaseFolded();
        return !isShotName(folded) && !taken.contains(folded) && !taken.contains(cleanCopy(folded))
            && !taken.contains(placedCopy(folded)) && !taken.contains(colourBackup(folded));
    };
    const NumberDraw& numbers = draw ? draw : systemNumberDraw();

    QStringList names;
    names.reserve(sourceNames.size());
    for (const QString& source : sourceNames) {
        QString chosen;
        int number = 0;
        for (int i = 0; i < kRandomTries && chosen.isEmpty(); ++i) {
            number = std::clamp(numbers(), 0, kImportNumberMax);
            const QString candidate = importName(source, number);
            if (isFree(candidate))
                chosen = candidate;
        }
        for (int i = 1; i < kNumbers && chosen.isEmpty(); ++i) {
            const QString candidate = importName(source, (number + i) % kNumbers);
            if (isFree(candidate))
                chosen = candidate;
        }
        if (!chosen.isEmpty())
            taken.insert(chosen.toCaseFolded());
        names.append(chosen);
    }
    return names;
}

int importCapacity(const PhotoTable& table)
{
    return std::clamp(kPhotoSlots - table.photoCount, 0, kPhotoSlots);
}

int ImportResult::count(ImportStatus status) const
{
    return int(std::count_if(
        outcomes.begin(), outcomes.end(), [status](const ImportOutcome& o) { return o.status == status; }));
}

QStringList ImportResult::storedPaths() const
{
    QStringList paths;
    for (const ImportOutcome& o : outcomes) {
        if (o.status == ImportStatus::Stored)
            paths.append(o.stored);
    }
    return paths;
}

StripView lastStripPage(int photoCount)
{
    if (photoCount <= 0)
        return {1, 1, 0};
    const int page = PhotoTable::stripPageOf(photoCount);
    const int first = (page - 1) * kStripPageSize + 1;
    return {page, first, photoCount - first + 1};
}

ImportEntry enterImported(PhotoTable& table, ImportResult& result)
{
    ImportEntry entry;
    int next = std::max(table.photoCount, 0) + 1;
    for (ImportOutcome& o : result.outcomes) {
        if (o.status != ImportStatus::Stored)
            continue;
        if (!QFileInfo::exists(o.stored) || !QFileInfo::exists(cleanCopy(o.stored))) {
            QFile::remove(cleanCopy(o.stored)); // whichever half is left
            QFile::remove(o.stored);
            o.stored.clear();
            o.status = ImportStatus::WriteFailed;
            o.error = QStringLiteral("the stored photo has been removed");
            continue;
        }
        if (!PhotoTable::validSlot(next)) {
            // The table filled up meanwhile: the picture is not kept, so no
            // file is left that the table does not know of.
            QFile::remove(cleanCopy(o.stored));
            QFile::remove(o.stored);
            o.stored.clear();
            o.status = ImportStatus::NoRoom;
            o.error = QStringLiteral("no free slot");
            continue;
        }
        PhotoSlot& slot = table.slot(next);
        slot = PhotoSlot {};
        slot.photoPath = o.stored;
        if (entry.count == 0)
            entry.firstSlot = next;
        ++entry.count;
        ++next;
    }
    if (entry.count == 0)
        return entry;
    table.photoCount = next - 1;
    table.currentPhoto = table.photoCount;
    entry.strip = lastStripPage(table.photoCount);
    table.stripPage = entry.strip.page;
    entry.currentPhoto = table.currentPhoto;
    return entry;
}

QString importReport(const ImportResult& result)
{
    QStringList parts;
    const int stored = result.count(ImportStatus::Stored);
    const int noRoom = result.count(ImportStatus::NoRoom);
    if (noRoom > 0) {
        const bool noneTried = noRoom == int(result.outcomes.size());
        parts.append(noneTried ? QString::fromUtf8(kImportFullText)
                               : QString::fromUtf8(kImportPartialText).arg(stored).arg(noRoom));
    }
    const auto listNames = [&](ImportStatus status, const char* heading) {
        QStringList names;
        for (const ImportOutcome& o : result.outcomes) {
            if (o.status == status)
                names.append(QFileInfo(o.source).fileName());
        }
        if (!names.isEmpty())
            parts.append(QString::fromUtf8(heading) + u'\n' + names.join(u'\n'));
    };
    listNames(ImportStatus::Unreadable, kImportUnreadableText);
    listNames(ImportStatus::WriteFailed, kImportWriteFailedText);
    if (result.cancelled && result.count(ImportStatus::Cancelled) > 0)
        parts.append(QString::fromUtf8(kImportCancelledText).arg(stored));
    return parts.join(QStringLiteral("\n\n"));
}

// ---------------------------------------------------------------------------

// One import in flight, shared by the object and the pool's tasks.
struct PhotoImport::Run {
    std::vector<ImportOutcome> outcomes;
    std::vector<QString> targets; // per outcome; set for the pictures to convert
    std::vector<int> work; // indices of the pictures to convert
    int beyondLimit = 0;
    std::atomic<bool> cancelled {false};
    std::mutex mutex;
    std::condition_variable allDone;
    int finished = 0; // tasks ended (guarded by mutex)

    void waitForTasks()
    {
        std::unique_lock lock(mutex);
        allDone.wait(lock, [this] { return finished == int(work.size()); });
    }
};

PhotoImport::PhotoImport(QObject* parent, QThreadPool* pool)
    : QObject(parent)
    , pool_(pool ? pool : QThreadPool::globalInstance())
{
}

PhotoImport::~PhotoImport()
{
    if (run_) {
        run_->cancelled = true;
        run_->waitForTasks();
    }
}

bool PhotoImport::isRunning() const
{
    return running_;
}

int PhotoImport::total() const
{
    return run_ ? int(run_->work.size()) : 0;
}

int PhotoImport::done() const
{
    return reported_;
}

bool PhotoImport::start(const ImportRequest& request)
{
    if (running_)
        return false;
    auto run = std::make_shared<Run>();
    QStringList taken;
    for (const QString& source : request.sources) {
        if (source.isEmpty())
            continue;
        if (taken.size() < kImportSelectionLimit)
            taken.append(source);
        else
            ++run->beyondLimit;
    }
    const int converting = std::clamp(request.capacity, 0, int(taken.size()));
    run->outcomes.resize(std::size_t(taken.size()));
    run->targets.resize(std::size_t(taken.size()));
    QStringList fileNames;
    for (qsizetype i = 0; i < taken.size(); ++i) {
        ImportOutcome& o = run->outcomes[std::size_t(i)];
        o.source = taken[i];
        if (i < converting) {
            fileNames.append(QFileInfo(taken[i]).fileName());
        } else {
            o.status = ImportStatus::NoRoom;
            o.error = QStringLiteral("no free slot");
        }
    }
    const QStringList names = pickImportNames(fileNames, request.shootFolder, request.draw);
    for (int i = 0; i < converting; ++i) {
        if (names[i].isEmpty()) {
            run->outcomes[std::size_t(i)].status = ImportStatus::WriteFailed;
            run->outcomes[std::size_t(i)].error = QStringLiteral("no free name");
            continue;
        }
        run->targets[std::size_t(i)] = QDir(request.shootFolder).filePath(names[i]);
        run->work.push_back(i);
    }

    run_ = run;
    result_ = {};
    reported_ = 0;
    running_ = true;
    if (run->work.empty()) {
        QMetaObject::invokeMethod(
            this,
            [this, run] {
                if (run == run_ && running_)
                    finish();
            },
            Qt::QueuedConnection);
        return true;
    }
    for (const int index : run->work) {
        pool_->start([this, run, index] {
            ImportOutcome& o = run->outcomes[std::size_t(index)];
            if (run->cancelled) {
                o.status = ImportStatus::Cancelled;
            } else {
                try {
                    QString error;
                    bool companion = false;
                    o.status = convert(o.source, run->targets[std::size_t(index)], &error, &companion);
                    o.error = error;
                    o.usedCompanion = companion;
                    if (o.status == ImportStatus::Stored)
                        o.stored = run->targets[std::size_t(index)];
                } catch (const std::exception& e) { // out of memory on a huge picture
                    o.status = ImportStatus::Unreadable;
                    o.error = QString::fromLocal8Bit(e.what());
                }
            }
            // The object outlives this call: its destructor waits for every task.
            QMetaObject::invokeMethod(
                this, [this, run] { pictureDone(run); }, Qt::QueuedConnection);
            {
                std::lock_guard lock(run->mutex);
                ++run->finished;
            }
            run->allDone.notify_all();
        });
    }
    return true;
}

void PhotoImport::cancel()
{
    if (running_)
        run_->cancelled = true;
}

void PhotoImport::pictureDone(const std::shared_ptr<Run>& run)
{
    if (run != run_ || !running_)
        return; // a late report of a run already finished by wait()
    ++reported_;
    emit progress(reported_, total());
    if (running_ && reported_ >= total()) // a slot may have called wait() meanwhile
        finish();
}

void PhotoImport::wait()
{
    if (!running_)
        return;
    run_->waitForTasks();
    reported_ = total();
    finish();
}

void PhotoImport::finish()
{
    if (!running_)
        return;
    run_->waitForTasks();
    result_.outcomes = std::move(run_->outcomes);
    result_.beyondLimit = run_->beyondLimit;
    result_.cancelled = run_->cancelled;
    running_ = false;
    emit finished();
}

ImportResult importPictures(const ImportRequest& request, QThreadPool* pool)
{
    PhotoImport import(nullptr, pool);
    import.start(request);
    import.wait();
    return import.takeResult();
}

} // namespace kf
