#pragma once

#include <QString>
#include <array>
#include <vector>

namespace kf {

// Number of photo slots of one run, numbered 1..kPhotoSlots.
inline constexpr int kPhotoSlots = 65;
// Thumbnails per page of the photo strip.
inline constexpr int kStripPageSize = 4;

// Photo file name of slot n below the run's folder: Photo<n>.bmp.
QString photoName(const QString& shootFolder, int slot);

// Sidecar copies travel with every photo, named after the photo's full file
// name, extension included.
QString cleanCopy(const QString& photo); // photo + ".dat": the clean 320 x 240 copy
QString placedCopy(const QString& photo); // photo + "2.dat": the clean copy after placement
QString colourBackup(const QString& photo); // photo + "1.dat": before the colour panel

// Stored name of an imported picture: the source name less its last four
// characters, then the number (0..9999), then ".bmp" (beach.jpg, 4711 ->
// beach4711.bmp).
QString importName(const QString& sourceFileName, int number);

// One colour adjustment: brightness, contrast, red, green, blue, each
// -100..100.
struct ColourStep {
    int brightness = 0;
    int contrast = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const ColourStep&, const ColourStep&) = default;
};

// The colour steps of a photo are kept as text: groups of five integers
// joined by "@", successive groups joined by "@" too
// ("10@0@0@0@0@-5@20@0@0@0"). A trailing incomplete group is ignored.
std::vector<ColourStep> parseColourSteps(const QString& text);
QString appendColourStep(const QString& text, const ColourStep& step);

struct PhotoSlot {
    QString photoPath; // empty = free slot
    QString colourSteps; // see parseColourSteps
    QString templatePath; // empty = no template
    int offsetX = 0; // -160..160
    int offsetY = 0; // -200..200
    int angle = 0; // -360..360, steps of 5

    bool isFree() const { return photoPath.isEmpty(); }
    // Forgets placement, template and colour: the state of a fresh shot.
    void resetComposition()
    {
        colourSteps.clear();
        templatePath.clear();
        offsetX = offsetY = angle = 0;
    }
    friend bool operator==(const PhotoSlot&, const PhotoSlot&) = default;
};

// The run's photos: 65 slots and three counters. Lives as long as the main
// window; nothing of it is stored.
class PhotoTable {
public:
    // Slot n, 1 <= n <= kPhotoSlots.
    PhotoSlot& slot(int n);
    const PhotoSlot& slot(int n) const;
    static bool validSlot(int n) { return n >= 1 && n <= kPhotoSlots; }

    int currentPhoto = 1; // slot shown, or the slot the next shot goes to
    int photoCount = 0; // highest slot in use
    int stripPage = 1; // page of the photo strip

    // Strip page (from 1) and position (0..3) of slot k.
    static int stripPageOf(int k) { return (k - 1) / kStripPageSize + 1; }
    static int stripPositionOf(int k) { return (k - 1) % kStripPageSize; }

    void clear();

private:
    std::array<PhotoSlot, kPhotoSlots> slots_ {};
};

} // namespace kf
