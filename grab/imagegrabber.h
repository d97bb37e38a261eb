// Grab's private interface and the frame layout it works in.
//
// Grab is an in-place video filter (GStreamer element "grab", plugin
// libgstgrab.so). Its host (Capture) steers it only through IImageGrabber,
// declared here. This header has no GStreamer in it; it is all a host needs.
//
// Obtaining the interface
// -----------------------
// The element has a read-only property "grabber" (a gpointer) that yields the
// element's IImageGrabber:
//
//     GstElement* grab = gst_element_factory_make("grab", nullptr);
//     grab::IImageGrabber* g = nullptr;
//     g_object_get(grab, grab::kGrabberProperty, &g, nullptr);
//     std::int32_t w = 0, h = 0, bits = 0;
//     if (g && g->GetImageSize(&w, &h, &bits) == grab::S_OK) { ... }
//
// Lifetime: the pointer is borrowed. It stays valid as long as the element
// lives (the object is part of the element) and needs no Release(). A holder
// that wants to keep it beyond its own reference on the element calls
// AddRef() (which takes a reference on the element) and later Release().
// QueryInterface() hands out the same pointer with a reference added, as
// usual for such interfaces, for IID_IImageGrabber and IID_IUnknown.
//
// A caller that may see the element destroyed by another thread while one of
// its calls runs (for example a CopyFrame that waits while the pipeline is
// torn down) holds a reference across the call: AddRef() before, Release()
// after.
//
// Threads: every method may be called from any thread other than the
// element's streaming thread. CopyFrame(wait) and PixelSample() block their
// caller until the next frame has been copied, and return in bounded time:
// when the element leaves the playing state, while the taking image is shown
// (IsTaking on), or when no frame has arrived for kFrameWaitLimitMs. Copy
// requests still pending when the element stops are dropped.
//
// Frame layout
// ------------
// A frame copy (CopyFrame) is a bitmap body: GetBufferSize() bytes, rows of
// GetBufferSize()/height bytes each (the row of the connected bit count,
// padded to a multiple of 4 bytes), bottom row of the picture first. With
// the 24-bit type a pixel is 3 bytes Blue, Green, Red. A bitmap file is the
// 14-byte file header, the 40 bytes of GetBitmapInfoHeader() and the copy:
// a 640 x 480 24-bit frame gives a file of 54 + 921,600 = 921,654 bytes.
// The taking image (SetTakingImage) is a frame in the 24-bit layout whatever
// the connected type: height rows of Stride24(width) bytes, bottom row first.
#pragma once

#include <cstdint>

namespace grab {

// Result of every method.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
    friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

// Identity of the filter and of its interface.
inline constexpr Guid CLSID_ImageGrabber
    = {0x0CF4972F, 0xE0CD, 0x4AF2, {0x91, 0x7C, 0xCD, 0x21, 0x9A, 0x02, 0x77, 0xCF}};
inline constexpr Guid IID_IImageGrabber
    = {0xB00AD7BD, 0x31B3, 0x4FE1, {0x80, 0x5B, 0x5C, 0xD7, 0xD1, 0x0B, 0x25, 0x32}};
inline constexpr Guid IID_IUnknown
    = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The element: factory name, long name and the property that yields the
// interface.
inline constexpr char kElementFactoryName[] = "grab";
inline constexpr char kElementLongName[] = "Image Grabber";
inline constexpr char kGrabberProperty[] = "grabber";

// How long a waiting CopyFrame() waits for a frame when none arrives.
inline constexpr int kFrameWaitLimitMs = 1000;

// The four accepted sub-types, in order of preference.
enum class SubType : std::int32_t {
    Rgb32 = 0, // GStreamer BGRx: Blue, Green, Red, unused
    Rgb24 = 1, // GStreamer BGR: Blue, Green, Red
    Rgb565 = 2, // GStreamer RGB16, 16-bit little-endian 5:6:5, red in the high bits
    Rgb555 = 3, // GStreamer RGB15, 16-bit little-endian x:5:5:5, red in the high bits
};

// GetRgb16Kind() results.
inline constexpr std::int32_t kRgb16None = 0;
inline constexpr std::int32_t kRgb16Kind565 = 1;
inline constexpr std::int32_t kRgb16Kind555 = 2;

// Effect numbers (SetSpecialEffect); any other value leaves the picture as it is.
inline constexpr std::int32_t kEffectNone = 0;
inline constexpr std::int32_t kEffectHalfMirror = 1;
inline constexpr std::int32_t kEffectMaskMode = 2;
inline constexpr std::int32_t kEffectPointMirror = 3;
inline constexpr std::int32_t kEffectReflection = 4;

// Bytes per row of a 3-byte-per-pixel frame, padded to a multiple of 4.
constexpr std::int32_t Stride24(std::int32_t width)
{
    return ((width * 24 + 31) & ~31) / 8;
}

// The 40-byte bitmap info header of the connected format, as it stands in a
// bitmap file after the 14-byte file header (little-endian, no padding).
// biHeight is positive: copies are bottom-up. biCompression is 0 (plain RGB)
// for every type; GetRgb16Kind() tells the two 16-bit layouts apart.
struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "bitmap info header must be 40 bytes");

// Colour sample record: Red, Green, Blue in this order.
struct ColourSample {
    std::int16_t Red;
    std::int16_t Green;
    std::int16_t Blue;
};
static_assert(sizeof(ColourSample) == 6, "colour sample must be three 16-bit values");

// The interface's base: slots 0 to 2.
class IUnknown {
public:
    virtual HRESULT QueryInterface(const Guid& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Slots 3 to 24, in order. File names are UTF-8 paths, lent for the call.
class IImageGrabber : public IUnknown {
public:
    // 3: size of the connected format; E_FAIL when not connected.
    virtual HRESULT GetImageSize(std::int32_t* width, std::int32_t* height, std::int32_t* bitCount) = 0;
    // 4: bytes of one frame copy.
    virtual HRESULT GetBufferSize(std::int32_t* size) = 0;
    // 5: bitmap info header of the connected format; E_FAIL when not connected.
    virtual HRESULT GetBitmapInfoHeader(BitmapInfoHeader* header) = 0;
    // 6: kRgb16Kind565 / kRgb16Kind555 for 16-bit connections, else kRgb16None.
    virtual HRESULT GetRgb16Kind(std::int32_t* kind) = 0;
    // 7: copies of frames taller than 360 rows get each even row doubled.
    virtual HRESULT SetLineDoubling(std::int32_t on) = 0;
    // 8: copy the next frame into buffer (GetBufferSize() bytes), before effect
    // and foreground (processed 0) or after them (processed nonzero). With wait
    // nonzero the call returns once the copy is made (S_OK), or when it cannot
    // be made soon (E_FAIL, see above). E_FAIL at once when not playing or not
    // connected. Whenever the result is E_FAIL the buffer is zero-filled and no
    // request is left behind. Without wait the request stays pending and the
    // buffer must stay valid until IsCopyDone() reports it or CancelCopy().
    virtual HRESULT CopyFrame(std::uint8_t* buffer, std::int32_t wait, std::int32_t processed) = 0;
    // 9: done = 1 when no processed copy request is pending.
    virtual HRESULT IsCopyDone(std::int32_t* done) = 0;
    // 10: drops a pending processed copy request.
    virtual HRESULT CancelCopy() = 0;
    // 11-15: keying settings; stored, not applied to frames.
    virtual HRESULT SetRGBRange(std::int32_t red, std::int32_t green, std::int32_t blue) = 0;
    virtual HRESULT SetCbCrRange(
        std::int32_t cbMin, std::int32_t cbMax, std::int32_t crMin, std::int32_t crMax)
        = 0;
    virtual HRESULT SetSpecialEffect(std::int32_t effect) = 0;
    virtual HRESULT SetIsWipe(std::int32_t on) = 0;
    virtual HRESULT WipeWay(std::int32_t isYcb) = 0;
    // 16, 17: load a 24-bit bitmap file's body (from byte 54) as background or
    // mask; always S_OK, the effect shows in the effect number and keying flag.
    virtual HRESULT SetBackground(const char* fileName) = 0;
    virtual HRESULT SetMask(const char* fileName) = 0;
    // 18: measure the colour sample from the next raw frame (waits like
    // CopyFrame); E_FAIL, sample unchanged, when no frame or band was measured.
    virtual HRESULT PixelSample() = 0;
    // 19, 20: read or set the colour sample (setting recomputes its Cb).
    virtual HRESULT GetSample(ColourSample* sample) = 0;
    virtual HRESULT SetSample(ColourSample sample) = 0;
    // 21, 22: show the taking image instead of the camera picture; load it
    // from a prepared (scrambled) file, optionally mirrored. Always S_OK.
    virtual HRESULT SetIsTaking(std::int32_t on) = 0;
    virtual HRESULT SetTakingImage(const char* fileName, std::int32_t isMirror) = 0;
    // 23: load the foreground from an RGBA PNG file, fitted to the frame;
    // E_FAIL (and merging left off) when the file cannot be used.
    virtual HRESULT SetFore(const char* fileName) = 0;
    // 24: lay the foreground over each frame.
    virtual HRESULT SetMergeFore(std::int32_t on) = 0;

protected:
    ~IImageGrabber() = default;
};

} // namespace grab
