// The filter's state and all of its pixel work, with no media framework in
// it: the element hands every frame to ProcessFrame() and forwards the
// streaming state (SetFormat, ClearFormat, SetRunning); hosts talk to it
// through IImageGrabber.
#pragma once

#include "frameview.h"
#include "imagegrabber.h"
#include "pixelkernels.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace grab {

// Seed of the taking-image scrambling: word i of a file is XORed with i + K.
inline constexpr std::uint32_t kTakingImageSeed = 13;
// The foreground store's least size: 800 x 600 pixels of 4 bytes.
inline constexpr std::size_t kForeStoreBytes = 1'920'000;
// Largest background, mask or taking-image file accepted.
inline constexpr std::size_t kMaxPictureFileBytes = 64u << 20;

// Frame geometry derived when the format is connected.
struct FrameGeometry {
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    std::int32_t Stride = 0; // bytes of a 3-byte-per-pixel row padded to 4, whatever the bit count
    std::int32_t ImageSize = 0; // bytes of one frame copy: rows of the bit count padded to 4
    std::int32_t BitCount = 0;
    SubType subType = SubType::Rgb24;
    bool connected = false;

    std::int32_t CopyRowBytes() const { return ImageHeight > 0 ? ImageSize / ImageHeight : 0; }
    // From a bitmap header's width, height (negative for top-down) and bit
    // count. Not connected when the size is empty or does not fit 32 bits.
    static FrameGeometry FromFormat(std::int32_t biWidth, std::int32_t biHeight, SubType t);
    BitmapInfoHeader InfoHeader() const;
};

// Where the fitted foreground lies in the frame.
struct ForePlacement {
    std::int32_t X = 0; // columns from the left
    std::int32_t Y = 0; // buffer rows from row 0, the bottom row
    std::int32_t ForeWidth = 0;
    std::int32_t ForeHeight = 0;
    std::int32_t ForeStride = 0;
};

// Fit rectangle of an a x b foreground picture on a W x H frame.
ForePlacement FitFore(std::int32_t a, std::int32_t b, std::int32_t W, std::int32_t H);

// Unscrambles (or scrambles: the rule is its own inverse) a taking-image
// file held in memory.
void ToggleTakingImage(std::uint8_t* data, std::size_t size);

// Sample Cb of a colour sample.
double SampleCbOf(ColourSample s);

class GrabCore final : public IImageGrabber {
public:
    struct Options {
        const PixelKernels* kernels = nullptr; // default: BestKernels()
        int frameWaitLimitMs = kFrameWaitLimitMs;
        int forePauseMs = 100; // merging off before the foreground store changes
    };
    GrabCore();
    explicit GrabCore(Options options);
    ~GrabCore();
    GrabCore(const GrabCore&) = delete;
    GrabCore& operator=(const GrabCore&) = delete;

    // Reference counting is the owner's: AddRef/Release call these with owner.
    void SetOwner(void* owner, void (*ref)(void*), void (*unref)(void*));

    // --- streaming side (element) ---
    // A format is proposed: false when it cannot be taken (empty or too large).
    bool SetFormat(std::int32_t width, std::int32_t height, SubType t);
    void ClearFormat();
    void SetRunning(bool running);
    bool Running() const { return running_.load(); }
    FrameGeometry Geometry() const;
    // The per-frame routine; never fails.
    void ProcessFrame(const FrameView& frame);

    // --- IImageGrabber ---
    HRESULT QueryInterface(const Guid& iid, void** object) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT GetImageSize(std::int32_t* width, std::int32_t* height, std::int32_t* bitCount) override;
    HRESULT GetBufferSize(std::int32_t* size) override;
    HRESULT GetBitmapInfoHeader(BitmapInfoHeader* header) override;
    HRESULT GetRgb16Kind(std::int32_t* kind) override;
    HRESULT SetLineDoubling(std::int32_t on) override;
    HRESULT CopyFrame(std::uint8_t* buffer, std::int32_t wait, std::int32_t processed) override;
    HRESULT IsCopyDone(std::int32_t* done) override;
    HRESULT CancelCopy() override;
    HRESULT SetRGBRange(std::int32_t red, std::int32_t green, std::int32_t blue) override;
    HRESULT SetCbCrRange(
        std::int32_t cbMin, std::int32_t cbMax, std::int32_t crMin, std::int32_t crMax) override;
    HRESULT SetSpecialEffect(std::int32_t effect) override;
    HRESULT SetIsWipe(std::int32_t on) override;
    HRESULT WipeWay(std::int32_t isYcb) override;
    HRESULT SetBackground(const char* fileName) override;
    HRESULT SetMask(const char* fileName) override;
    HRESULT PixelSample() override;
    HRESULT GetSample(ColourSample* sample) override;
    HRESULT SetSample(ColourSample sample) override;
    HRESULT SetIsTaking(std::int32_t on) override;
    HRESULT SetTakingImage(const char* fileName, std::int32_t isMirror) override;
    HRESULT SetFore(const char* fileName) override;
    HRESULT SetMergeFore(std::int32_t on) override;

    // SetFore with or without the pause that lets a frame being merged finish
    // (none is when no frame flows yet); error tells why it failed.
    HRESULT LoadFore(const char* fileName, bool pause, std::string* error = nullptr);

    // --- settings as stored ---
    std::int32_t Effect() const { return effect_.load(); }
    std::int32_t IsWipe() const { return isWipe_.load(); }
    std::int32_t WipeWayValue() const { return wipeWay_.load(); }
    std::int32_t MergeFore() const { return mergeFore_.load(); }
    std::int32_t IsTaking() const { return isTaking_.load(); }
    std::int32_t LineDoubling() const { return lineDoubling_.load(); }
    void RgbRange(std::int32_t out[3]) const;
    void CbCrRange(std::int32_t out[4]) const;
    double SampleCb() const;
    ForePlacement Placement() const;
    bool HasForeStore() const;
    bool HasTakingImage() const;
    // Sizes of the keying stores and the shared body count (0: no store).
    std::size_t BackgroundStoreBytes() const;
    std::size_t MaskStoreBytes() const;
    std::int64_t BodyBytes() const;
    std::vector<std::uint8_t> BackgroundStore() const;
    std::vector<std::uint8_t> MaskStore() const;

private:
    struct CopySlot {
        std::atomic<std::uint8_t*> buffer {nullptr};
        std::int32_t size = 0; // bytes the buffer holds
        std::int32_t rows = 1; // frame rows it holds
        std::uint64_t ticket = 0; // of the pending request
        std::uint64_t served = 0; // ticket of the last request served
    };
    struct ForeState;

    void ServeCopy(CopySlot& slot, const FrameView& frame);
    void WaitWhilePending(const CopySlot& slot);
    void ApplyTaking(const FrameView& frame);
    void ApplyEffect(const FrameView& frame, std::int32_t effect);
    void ApplyFore(const FrameView& frame);
    bool LoadBody(const char* fileName, std::vector<std::uint8_t>& target);

    const PixelKernels& k_;
    const int frameWaitLimitMs_;
    const int forePauseMs_;

    void* owner_ = nullptr;
    void (*ownerRef_)(void*) = nullptr;
    void (*ownerUnref_)(void*) = nullptr;
    std::atomic<std::uint32_t> refs_ {1};

    mutable std::mutex geometryLock_;
    FrameGeometry geometry_;
    std::atomic<bool> running_ {false};
    std::atomic<std::uint64_t> frames_ {0};

    // The filter lock: guards the two copy requests.
    std::mutex copyLock_;
    CopySlot raw_;
    CopySlot processed_;
    std::uint64_t nextTicket_ = 0;

    std::atomic<std::int32_t> lineDoubling_ {0};
    std::atomic<std::int32_t> effect_ {0};
    std::atomic<std::int32_t> isWipe_ {0};
    std::atomic<std::int32_t> wipeWay_ {1};
    std::atomic<std::int32_t> redRange_ {20}, greenRange_ {20}, blueRange_ {50};
    std::atomic<std::int32_t> cbMin_ {0}, cbMax_ {30}, crMin_ {35}, crMax_ {0};
    std::atomic<std::int32_t> isTaking_ {0};
    std::atomic<std::int32_t> mergeFore_ {0};

    mutable std::mutex sampleLock_;
    ColourSample sample_ {0, 0, 0};
    double sampleCb_ = 140.0;

    // Loads run one at a time.
    mutable std::mutex loadLock_;
    // Guards the foreground and the taking image against the frame that uses them.
    mutable std::mutex foreLock_;
    std::unique_ptr<ForeState> fore_;
    ForePlacement placement_;
    mutable std::mutex takingLock_;
    std::vector<std::uint8_t> taking_;
    bool hasTaking_ = false;
    std::vector<std::uint8_t> background_, mask_;
    bool hasBackground_ = false, hasMask_ = false;
    std::int64_t bodyBytes_ = 0;
};

} // namespace grab
