#include "grabcore.h"

#include "forepng.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <thread>

namespace grab {

namespace {

constexpr int kPollMs = 5;
constexpr std::int32_t kMaxSide = 32767;

std::int32_t RowBytesFor(std::int64_t width, int bits)
{
    return static_cast<std::int32_t>(((width * bits + 31) & ~std::int64_t {31}) / 8);
}

void Store16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint16_t Load16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Blue, Green, Red of a pixel of any of the four types, 8 bits each.
void DecodePixel(const std::uint8_t* p, SubType t, int bgr[3])
{
    switch (t) {
    case SubType::Rgb32:
    case SubType::Rgb24:
        bgr[0] = p[0];
        bgr[1] = p[1];
        bgr[2] = p[2];
        return;
    case SubType::Rgb565: {
        const unsigned v = Load16(p);
        const unsigned r = v >> 11, g = (v >> 5) & 63, b = v & 31;
        bgr[0] = static_cast<int>((b << 3) | (b >> 2));
        bgr[1] = static_cast<int>((g << 2) | (g >> 4));
        bgr[2] = static_cast<int>((r << 3) | (r >> 2));
        return;
    }
    case SubType::Rgb555: {
        const unsigned v = Load16(p);
        const unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        bgr[0] = static_cast<int>((b << 3) | (b >> 2));
        bgr[1] = static_cast<int>((g << 3) | (g >> 2));
        bgr[2] = static_cast<int>((r << 3) | (r >> 2));
        return;
    }
    }
}

void EncodePixel(std::uint8_t* p, SubType t, unsigned b, unsigned g, unsigned r)
{
    switch (t) {
    case SubType::Rgb32:
        p[3] = 255;
        [[fallthrough]];
    case SubType::Rgb24:
        p[0] = static_cast<std::uint8_t>(b);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(r);
        return;
    case SubType::Rgb565:
        Store16(p, static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)));
        return;
    case SubType::Rgb555:
        Store16(p, static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)));
        return;
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file and tells its length; -1 when it cannot be opened or sized.
File OpenForRead(const char* name, long& length)
{
    length = -1;
    if (!name || !*name)
        return nullptr;
    File f(std::fopen(name, "rb"));
    if (!f)
        return nullptr;
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        length = std::ftell(f.get());
        if (std::fseek(f.get(), 0, SEEK_SET) != 0)
            length = -1;
    }
    return f;
}

} // namespace

// ---------------------------------------------------------------------------
// Geometry

FrameGeometry FrameGeometry::FromFormat(std::int32_t biWidth, std::int32_t biHeight, SubType t)
{
    FrameGeometry g;
    g.subType = t;
    g.BitCount = grab::BitCount(t);
    const std::int64_t w = biWidth;
    const std::int64_t h = biHeight < 0 ? -static_cast<std::int64_t>(biHeight) : biHeight;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
        return g;
    const std::int64_t size = static_cast<std::int64_t>(RowBytesFor(w, g.BitCount)) * h;
    if (size > std::numeric_limits<std::int32_t>::max())
        return g;
    g.ImageWidth = static_cast<std::int32_t>(w);
    g.ImageHeight = static_cast<std::int32_t>(h);
    g.Stride = RowBytesFor(w, 24);
    g.ImageSize = static_cast<std::int32_t>(size);
    g.connected = true;
    return g;
}

BitmapInfoHeader FrameGeometry::InfoHeader() const
{
    BitmapInfoHeader h {};
    h.biSize = 40;
    h.biWidth = ImageWidth;
    h.biHeight = ImageHeight;
    h.biPlanes = 1;
    h.biBitCount = static_cast<std::uint16_t>(BitCount);
    h.biCompression = 0;
    h.biSizeImage = static_cast<std::uint32_t>(ImageSize);
    return h;
}

// ---------------------------------------------------------------------------
// Foreground

ForePlacement FitFore(std::int32_t a, std::int32_t b, std::int32_t W, std::int32_t H)
{
    ForePlacement p;
    if (a <= 0 || b <= 0)
        return p;
    const std::int64_t A = a, B = b;
    if (3 * B == 4 * A) { // portrait 3:4
        p.ForeWidth = 3 * H / 4;
        p.ForeHeight = H;
        p.X = (W - p.ForeWidth) / 2;
    } else if (4 * B == 3 * A) { // landscape 4:3
        p.ForeWidth = W;
        p.ForeHeight = H;
    } else if (4 * B > 3 * A) { // narrower than 4:3
        p.ForeWidth = static_cast<std::int32_t>(A * H / B);
        p.ForeHeight = H;
        p.X = (W - p.ForeWidth) / 2;
    } else { // wider than 4:3
        p.ForeWidth = W;
        p.ForeHeight = static_cast<std::int32_t>(B * W / A);
        p.Y = (H - p.ForeHeight) / 2;
    }
    p.ForeStride = RowBytesFor(p.ForeWidth, 32);
    return p;
}

// The fitted foreground and, for frames of 3 or 4 bytes a pixel, its rows
// cut into spans that are skipped (alpha 0, nothing stored), copied (alpha
// 255: the pixels in frame byte order) or blended (the pixels, then their
// alpha beside every byte), packed one after another.
struct GrabCore::ForeState {
    // ForeHeight rows of ForeStride bytes, Red, Green, Blue, Alpha, bottom row
    // first; every byte outside the used rows and columns is 255.
    std::vector<std::uint8_t> store;
    ForePlacement pl;

    struct Span {
        std::int32_t begin, end; // bytes within the frame row, from column X
        bool copy; // alpha 255 throughout
        std::size_t data; // offset of its bytes in plan
    };
    int planPixelBytes = 0; // 0: no plan
    std::vector<std::uint8_t> plan;
    std::vector<Span> spans;
    std::vector<std::uint32_t> rowSpans; // spans of row r: rowSpans[r] .. rowSpans[r + 1]

    void BuildPlan(int pixelBytes);
};

void GrabCore::ForeState::BuildPlan(int pixelBytes)
{
    planPixelBytes = 0;
    plan.clear();
    spans.clear();
    rowSpans.clear();
    if (pixelBytes != 3 && pixelBytes != 4)
        return;
    // Runs of skipped or copied pixels shorter than this are blended: the
    // blend gives the same bytes, and short spans cost more than they save.
    constexpr std::int32_t kMinRun = 8;
    constexpr std::int32_t kMinBlend = 16;
    const std::int32_t P = pixelBytes;
    const std::int32_t w = pl.ForeWidth;
    rowSpans.reserve(static_cast<std::size_t>(pl.ForeHeight) + 1);
    struct Run {
        int kind; // 0 skip, 1 copy, 2 blend
        std::int32_t begin, end; // pixels
    };
    std::vector<Run> runs, merged;
    for (std::int32_t r = 0; r < pl.ForeHeight; ++r) {
        const std::uint8_t* row
            = store.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(pl.ForeStride);
        runs.clear();
        for (std::int32_t i = 0; i < w; ++i) {
            const std::uint8_t alpha = row[4 * i + 3];
            const int kind = alpha == 0 ? 0 : alpha == 255 ? 1 : 2;
            if (!runs.empty() && runs.back().kind == kind)
                runs.back().end = i + 1;
            else
                runs.push_back({kind, i, i + 1});
        }
        for (Run& run : runs)
            if (run.kind != 2 && run.end - run.begin < kMinRun)
                run.kind = 2;
        // Blended spans are made at least kMinBlend pixels long, taking pixels
        // from their neighbours (the blend is exact at alpha 0 and 255 too),
        // so that the vector kernels run at full width.
        for (std::size_t k = 0; k < runs.size(); ++k) {
            Run& run = runs[k];
            if (run.kind != 2 || run.end - run.begin >= kMinBlend)
                continue;
            run.end = std::min(w, run.begin + kMinBlend);
            run.begin = std::max(0, run.end - kMinBlend);
            for (std::size_t j = k + 1; j < runs.size() && runs[j].begin < run.end; ++j)
                runs[j].begin = std::min(runs[j].end, run.end);
            for (std::size_t j = k; j-- > 0 && runs[j].end > run.begin;)
                runs[j].end = std::max(runs[j].begin, run.begin);
        }
        merged.clear();
        for (Run run : runs) {
            if (run.begin >= run.end)
                continue;
            if (run.kind != 2 && run.end - run.begin < kMinRun)
                run.kind = 2;
            if (!merged.empty() && merged.back().kind == run.kind)
                merged.back().end = run.end;
            else
                merged.push_back(run);
        }
        rowSpans.push_back(static_cast<std::uint32_t>(spans.size()));
        for (const Run& run : merged) {
            if (run.kind == 0)
                continue;
            const std::size_t len
                = static_cast<std::size_t>(run.end - run.begin) * static_cast<std::size_t>(P);
            const std::size_t at = plan.size();
            plan.resize(at + (run.kind == 1 ? len : 2 * len));
            std::uint8_t* f = plan.data() + at;
            std::uint8_t* a = f + len;
            for (std::int32_t i = run.begin; i < run.end; ++i, f += P) {
                const std::uint8_t* s = row + 4 * i;
                f[0] = s[2];
                f[1] = s[1];
                f[2] = s[0];
                if (P == 4)
                    f[3] = 255;
                if (run.kind == 2) {
                    std::memset(a, s[3], static_cast<std::size_t>(P));
                    a += P;
                }
            }
            spans.push_back({run.begin * P, run.end * P, run.kind == 1, at});
        }
    }
    rowSpans.push_back(static_cast<std::uint32_t>(spans.size()));
    planPixelBytes = P;
}

// ---------------------------------------------------------------------------
// Construction and ownership

GrabCore::GrabCore()
    : GrabCore(Options {})
{
}

GrabCore::GrabCore(Options options)
    : k_(options.kernels ? *options.kernels : BestKernels())
    , frameWaitLimitMs_(options.frameWaitLimitMs)
    , forePauseMs_(options.forePauseMs)
{
}

GrabCore::~GrabCore() = default;

void GrabCore::SetOwner(void* owner, void (*ref)(void*), void (*unref)(void*))
{
    owner_ = owner;
    ownerRef_ = ref;
    ownerUnref_ = unref;
}

HRESULT GrabCore::QueryInterface(const Guid& iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IImageGrabber || iid == IID_IUnknown) {
        *object = static_cast<IImageGrabber*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

std::uint32_t GrabCore::AddRef()
{
    if (ownerRef_)
        ownerRef_(owner_);
    return refs_.fetch_add(1) + 1;
}

std::uint32_t GrabCore::Release()
{
    const std::uint32_t left = refs_.fetch_sub(1) - 1;
    if (ownerUnref_)
        ownerUnref_(owner_); // may destroy this object: touch nothing after it
    return left;
}

// ---------------------------------------------------------------------------
// Streaming side

bool GrabCore::SetFormat(std::int32_t width, std::int32_t height, SubType t)
{
    const FrameGeometry g = FrameGeometry::FromFormat(width, height, t);
    if (!g.connected)
        return false;
    {
        std::lock_guard lock(geometryLock_);
        geometry_ = g;
    }
    std::lock_guard lock(foreLock_);
    if (fore_ && fore_->planPixelBytes != BytesPerPixel(t))
        fore_->BuildPlan(BytesPerPixel(t));
    return true;
}

void GrabCore::ClearFormat()
{
    {
        std::lock_guard lock(geometryLock_);
        geometry_.connected = false;
    }
    // No frame of this format will come: requests still pending are dropped,
    // so that no later frame writes into buffers their owners may have freed.
    std::lock_guard lock(copyLock_);
    raw_.buffer.store(nullptr);
    processed_.buffer.store(nullptr);
}

void GrabCore::SetRunning(bool running)
{
    running_.store(running);
}

FrameGeometry GrabCore::Geometry() const
{
    std::lock_guard lock(geometryLock_);
    return geometry_;
}

void GrabCore::ProcessFrame(const FrameView& frame)
{
    frames_.fetch_add(1, std::memory_order_relaxed);
    if (frame.base == nullptr || frame.width <= 0 || frame.height <= 0)
        return;
    if (isTaking_.load(std::memory_order_relaxed)) {
        ApplyTaking(frame);
        return;
    }
    if (raw_.buffer.load(std::memory_order_acquire))
        ServeCopy(raw_, frame);
    ApplyEffect(frame, effect_.load(std::memory_order_relaxed));
    if (mergeFore_.load(std::memory_order_relaxed))
        ApplyFore(frame);
    if (processed_.buffer.load(std::memory_order_acquire))
        ServeCopy(processed_, frame);
}

void GrabCore::ServeCopy(CopySlot& slot, const FrameView& frame)
{
    std::lock_guard lock(copyLock_);
    std::uint8_t* out = slot.buffer.load();
    if (!out)
        return;
    const std::int32_t rows = std::max<std::int32_t>(1, slot.rows);
    const std::size_t rowBytes = static_cast<std::size_t>(slot.size) / static_cast<std::size_t>(rows);
    const std::size_t have = std::min(rowBytes, frame.RowBytes());
    for (std::int32_t r = 0; r < rows; ++r) {
        std::uint8_t* dst = out + static_cast<std::size_t>(r) * rowBytes;
        std::size_t n = 0;
        if (r < frame.height) {
            n = have;
            std::memcpy(dst, frame.Row(r), n);
        }
        std::memset(dst + n, 0, rowBytes - n);
    }
    if (lineDoubling_.load(std::memory_order_relaxed) && rows > 360)
        for (std::int32_t k = 0; k < rows / 2; ++k)
            std::memcpy(out + static_cast<std::size_t>(2 * k + 1) * rowBytes,
                out + static_cast<std::size_t>(2 * k) * rowBytes, rowBytes);
    slot.served = slot.ticket;
    slot.buffer.store(nullptr, std::memory_order_release);
}

void GrabCore::ApplyTaking(const FrameView& frame)
{
    std::lock_guard lock(takingLock_);
    if (!hasTaking_)
        return;
    const std::size_t S = static_cast<std::size_t>(Stride24(frame.width));
    // A picture of another frame size, or a short file, is not shown.
    if (taking_.size() < S * static_cast<std::size_t>(frame.height))
        return;
    for (std::int32_t r = 0; r < frame.height; ++r) {
        const std::uint8_t* src = taking_.data() + static_cast<std::size_t>(r) * S;
        std::uint8_t* dst = frame.Row(r);
        if (frame.subType == SubType::Rgb24) {
            std::memcpy(dst, src, frame.RowBytes());
            continue;
        }
        const int P = frame.PixelBytes();
        for (std::int32_t i = 0; i < frame.width; ++i, src += 3, dst += P)
            EncodePixel(dst, frame.subType, src[0], src[1], src[2]);
    }
}

void GrabCore::ApplyEffect(const FrameView& frame, std::int32_t effect)
{
    const std::int32_t W = frame.width, H = frame.height;
    const std::size_t P = static_cast<std::size_t>(frame.PixelBytes());
    const std::size_t half = static_cast<std::size_t>(W / 2);
    const std::size_t right = static_cast<std::size_t>(W) - half; // first column of the right half
    switch (effect) {
    case kEffectHalfMirror:
        // Column j goes to column W - 1 - j of its own row; the top row of the
        // picture (buffer row H - 1) is left as it is.
        for (std::int32_t r = 0; r + 1 < H; ++r)
            k_.reverse(frame.Row(r), frame.Row(r) + right * P, half, frame.PixelBytes());
        break;
    case kEffectPointMirror:
        // The left half turned by half a turn over the right half; buffer
        // row 0 is not used as a source.
        for (std::int32_t r = 1; r < H; ++r)
            k_.reverse(frame.Row(r), frame.Row(H - 1 - r) + right * P, half, frame.PixelBytes());
        break;
    case kEffectReflection: {
        const std::int32_t n = H / 3;
        const std::size_t bytes = static_cast<std::size_t>(W) * P;
        for (std::int32_t r = 0; r < n; ++r) {
            const std::int32_t src = 2 * n + 1 - r;
            if (src < H) // only a 3-row frame has no row to reflect
                std::memcpy(frame.Row(r), frame.Row(src), bytes);
        }
        break;
    }
    default:
        break;
    }
}

void GrabCore::ApplyFore(const FrameView& frame)
{
    std::lock_guard lock(foreLock_);
    if (!fore_)
        return;
    const ForeState& st = *fore_;
    const ForePlacement& pl = st.pl;
    const std::int32_t W = frame.width, H = frame.height;
    // Columns of the foreground that lie inside the frame.
    const std::int32_t c0 = std::max(0, -pl.X);
    const std::int32_t c1 = std::min(pl.ForeWidth, W - pl.X);
    if (c1 <= c0)
        return;
    const int P = frame.PixelBytes();
    if (st.planPixelBytes == P) {
        const std::int32_t b0 = c0 * P, b1 = c1 * P;
        const std::ptrdiff_t x0 = static_cast<std::ptrdiff_t>(pl.X) * P; // frame byte of span byte 0
        for (std::int32_t r = 0; r < pl.ForeHeight; ++r) {
            const std::int32_t y = pl.Y + r;
            if (y < 0 || y >= H)
                continue;
            std::uint8_t* row = frame.Row(y);
            for (std::uint32_t k = st.rowSpans[static_cast<std::size_t>(r)];
                 k < st.rowSpans[static_cast<std::size_t>(r) + 1]; ++k) {
                const ForeState::Span& sp = st.spans[k];
                const std::int32_t b = std::max(sp.begin, b0);
                const std::int32_t e = std::min(sp.end, b1);
                if (b >= e)
                    continue;
                const std::size_t n = static_cast<std::size_t>(e - b);
                const std::uint8_t* f = st.plan.data() + sp.data + static_cast<std::size_t>(b - sp.begin);
                std::uint8_t* d = row + (x0 + b);
                if (sp.copy)
                    std::memcpy(d, f, n);
                else
                    k_.blend(f, f + static_cast<std::size_t>(sp.end - sp.begin), d, n);
            }
        }
        return;
    }
    // Any other layout (16-bit frames): pixel by pixel from the store.
    for (std::int32_t r = 0; r < pl.ForeHeight; ++r) {
        const std::int32_t y = pl.Y + r;
        if (y < 0 || y >= H)
            continue;
        const std::uint8_t* s
            = st.store.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(pl.ForeStride);
        std::uint8_t* row = frame.Row(y);
        for (std::int32_t i = c0; i < c1; ++i) {
            const std::uint8_t* px = s + 4 * i;
            const unsigned A = px[3];
            if (A == 0)
                continue;
            std::uint8_t* d = row + static_cast<std::ptrdiff_t>(pl.X + i) * P;
            int bgr[3];
            DecodePixel(d, frame.subType, bgr);
            EncodePixel(d, frame.subType, BlendByte(px[2], A, static_cast<unsigned>(bgr[0])),
                BlendByte(px[1], A, static_cast<unsigned>(bgr[1])),
                BlendByte(px[0], A, static_cast<unsigned>(bgr[2])));
        }
    }
}

// ---------------------------------------------------------------------------
// Geometry queries

HRESULT GrabCore::GetImageSize(std::int32_t* width, std::int32_t* height, std::int32_t* bitCount)
{
    const FrameGeometry g = Geometry();
    if (!g.connected)
        return E_FAIL;
    if (width)
        *width = g.ImageWidth;
    if (height)
        *height = g.ImageHeight;
    if (bitCount)
        *bitCount = g.BitCount;
    return S_OK;
}

HRESULT GrabCore::GetBufferSize(std::int32_t* size)
{
    if (size)
        *size = Geometry().ImageSize;
    return S_OK;
}

HRESULT GrabCore::GetBitmapInfoHeader(BitmapInfoHeader* header)
{
    const FrameGeometry g = Geometry();
    if (!g.connected)
        return E_FAIL;
    if (header)
        *header = g.InfoHeader();
    return S_OK;
}

HRESULT GrabCore::GetRgb16Kind(std::int32_t* kind)
{
    const FrameGeometry g = Geometry();
    std::int32_t k = kRgb16None;
    if (g.connected && g.subType == SubType::Rgb565)
        k = kRgb16Kind565;
    else if (g.connected && g.subType == SubType::Rgb555)
        k = kRgb16Kind555;
    if (kind)
        *kind = k;
    return S_OK;
}

// ---------------------------------------------------------------------------
// Frame copies

HRESULT GrabCore::SetLineDoubling(std::int32_t on)
{
    lineDoubling_.store(on);
    return S_OK;
}

HRESULT GrabCore::CopyFrame(std::uint8_t* buffer, std::int32_t wait, std::int32_t processed)
{
    const FrameGeometry g = Geometry();
    if (!buffer)
        return E_FAIL;
    if (!g.connected || !running_.load()) {
        std::memset(buffer, 0, static_cast<std::size_t>(g.ImageSize));
        return E_FAIL;
    }
    CopySlot& slot = processed ? processed_ : raw_;
    std::uint64_t ticket = 0;
    {
        std::lock_guard lock(copyLock_);
        ticket = ++nextTicket_;
        slot.ticket = ticket;
        slot.size = g.ImageSize;
        slot.rows = g.ImageHeight;
        slot.buffer.store(buffer, std::memory_order_release);
    }
    if (!wait)
        return S_OK;
    WaitWhilePending(processed_);
    WaitWhilePending(raw_);
    {
        std::lock_guard lock(copyLock_);
        if (slot.served == ticket)
            return S_OK;
        // Not served: withdraw the request so that no later frame writes
        // into a buffer its owner has given up.
        if (slot.ticket == ticket)
            slot.buffer.store(nullptr);
    }
    std::memset(buffer, 0, static_cast<std::size_t>(g.ImageSize));
    return E_FAIL;
}

void GrabCore::WaitWhilePending(const CopySlot& slot)
{
    using Clock = std::chrono::steady_clock;
    std::uint64_t seen = frames_.load();
    Clock::time_point lastFrame = Clock::now();
    while (slot.buffer.load() != nullptr && running_.load() && !isTaking_.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        const std::uint64_t now = frames_.load();
        if (now != seen) {
            seen = now;
            lastFrame = Clock::now();
        } else if (Clock::now() - lastFrame >= std::chrono::milliseconds(frameWaitLimitMs_)) {
            break; // frames have stopped arriving
        }
    }
}

HRESULT GrabCore::IsCopyDone(std::int32_t* done)
{
    if (done)
        *done = processed_.buffer.load() == nullptr ? 1 : 0;
    return S_OK;
}

HRESULT GrabCore::CancelCopy()
{
    std::lock_guard lock(copyLock_);
    processed_.buffer.store(nullptr);
    return S_OK;
}

// ---------------------------------------------------------------------------
// Plain settings

HRESULT GrabCore::SetRGBRange(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    redRange_.store(red);
    greenRange_.store(green);
    blueRange_.store(blue);
    return S_OK;
}

HRESULT GrabCore::SetCbCrRange(std::int32_t cbMin, std::int32_t cbMax, std::int32_t crMin, std::int32_t crMax)
{
    cbMin_.store(cbMin);
    cbMax_.store(cbMax);
    crMin_.store(crMin);
    crMax_.store(crMax);
    return S_OK;
}

HRESULT GrabCore::SetSpecialEffect(std::int32_t effect)
{
    effect_.store(effect);
    return S_OK;
}

HRESULT GrabCore::SetIsWipe(std::int32_t on)
{
    isWipe_.store(on);
    return S_OK;
}

HRESULT GrabCore::WipeWay(std::int32_t isYcb)
{
    wipeWay_.store(isYcb);
    return S_OK;
}

HRESULT GrabCore::SetIsTaking(std::int32_t on)
{
    isTaking_.store(on);
    return S_OK;
}

HRESULT GrabCore::SetMergeFore(std::int32_t on)
{
    mergeFore_.store(on);
    return S_OK;
}

void GrabCore::RgbRange(std::int32_t out[3]) const
{
    out[0] = redRange_.load();
    out[1] = greenRange_.load();
    out[2] = blueRange_.load();
}

void GrabCore::CbCrRange(std::int32_t out[4]) const
{
    out[0] = cbMin_.load();
    out[1] = cbMax_.load();
    out[2] = crMin_.load();
    out[3] = crMax_.load();
}

// ---------------------------------------------------------------------------
// Colour sample

double SampleCbOf(ColourSample s)
{
    const int R = s.Red, G = s.Green, B = s.Blue;
    return (128.0 - 0.1482235294117647 * R) - 0.2909921568627451 * G + static_cast<double>(112 * B / 255);
}

HRESULT GrabCore::PixelSample()
{
    const FrameGeometry g = Geometry();
    const std::int32_t W = g.ImageWidth, H = g.ImageHeight;
    // The band: buffer rows H - 35 .. H - 16, columns 40 .. W - 41. A frame
    // without it leaves the sample as it was.
    if (!g.connected || W <= 80 || H < 35)
        return E_FAIL;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(g.ImageSize));
    if (CopyFrame(block.data(), 1, 0) != S_OK)
        return E_FAIL;
    const std::size_t rowBytes = static_cast<std::size_t>(g.CopyRowBytes());
    const int P = BytesPerPixel(g.subType);
    std::int64_t sum[3] = {0, 0, 0}; // Blue, Green, Red
    std::int64_t count = 0;
    for (std::int32_t r = H - 35; r <= H - 16; ++r) {
        const std::uint8_t* row = block.data() + static_cast<std::size_t>(r) * rowBytes;
        for (std::int32_t c = 40; c <= W - 41; ++c) {
            int bgr[3];
            DecodePixel(row + static_cast<std::size_t>(c) * static_cast<std::size_t>(P), g.subType, bgr);
            sum[0] += bgr[0];
            sum[1] += bgr[1];
            sum[2] += bgr[2];
            ++count;
        }
    }
    const ColourSample s {static_cast<std::int16_t>(sum[2] / count),
        static_cast<std::int16_t>(sum[1] / count), static_cast<std::int16_t>(sum[0] / count)};
    std::lock_guard lock(sampleLock_);
    sample_ = s;
    sampleCb_ = SampleCbOf(s);
    return S_OK;
}

HRESULT GrabCore::GetSample(ColourSample* sample)
{
    std::lock_guard lock(sampleLock_);
    if (sample)
        *sample = sample_;
    return S_OK;
}

HRESULT GrabCore::SetSample(ColourSample sample)
{
    std::lock_guard lock(sampleLock_);
    sample_ = sample;
    sampleCb_ = SampleCbOf(sample);
    return S_OK;
}

double GrabCore::SampleCb() const
{
    std::lock_guard lock(sampleLock_);
    return sampleCb_;
}

// ---------------------------------------------------------------------------
// Foreground loading

HRESULT GrabCore::SetFore(const char* fileName)
{
    return LoadFore(fileName, true);
}

HRESULT GrabCore::LoadFore(const char* fileName, bool pause, std::string* error)
{
    std::lock_guard load(loadLock_);
    const std::int32_t remembered = mergeFore_.exchange(0);
    if (pause && forePauseMs_ > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(forePauseMs_));
    auto fail = [&](const char* why) {
        if (error && why)
            *error = why;
        return E_FAIL;
    };
    PngPicture png;
    if (!fileName)
        return fail("no file name");
    if (!ReadPng(fileName, png, error))
        return E_FAIL;
    const FrameGeometry g = Geometry();
    const ForePlacement pl = FitFore(png.width, png.height, g.ImageWidth, g.ImageHeight);
    if (pl.ForeWidth <= 0 || pl.ForeHeight <= 0)
        return fail(g.connected ? "the picture is too narrow for the frame" : "no frame format yet");
    auto st = std::unique_ptr<ForeState>(new (std::nothrow) ForeState);
    if (!st)
        return fail("out of memory");
    try {
        const std::size_t stride = static_cast<std::size_t>(pl.ForeStride);
        const std::size_t used = stride * static_cast<std::size_t>(pl.ForeHeight);
        st->pl = pl;
        st->store.assign(std::max(kForeStoreBytes, used), 255);
        const std::size_t srcRow = static_cast<std::size_t>(png.width) * 4;
        const bool same = png.width == pl.ForeWidth && png.height == pl.ForeHeight;
        const float xRatio = static_cast<float>(static_cast<double>(png.width) / pl.ForeWidth);
        const float yRatio = static_cast<float>(static_cast<double>(png.height) / pl.ForeHeight);
        // Destination row i counts from the top; the store holds it upside
        // down, bottom row first, like the frame.
        for (std::int32_t i = 0; i < pl.ForeHeight; ++i) {
            std::uint8_t* dst = st->store.data() + static_cast<std::size_t>(pl.ForeHeight - 1 - i) * stride;
            if (same) {
                std::memcpy(dst, png.pixels.data() + static_cast<std::size_t>(i) * srcRow, srcRow);
                continue;
            }
            const auto sy = std::min<std::int64_t>(
                png.height - 1, static_cast<std::int64_t>(i * static_cast<double>(yRatio)));
            const std::uint8_t* src = png.pixels.data() + static_cast<std::size_t>(sy) * srcRow;
            for (std::int32_t j = 0; j < pl.ForeWidth; ++j) {
                const auto sx = std::min<std::int64_t>(
                    png.width - 1, static_cast<std::int64_t>(j * static_cast<double>(xRatio)));
                std::memcpy(dst + 4 * static_cast<std::size_t>(j), src + 4 * static_cast<std::size_t>(sx), 4);
            }
        }
        st->BuildPlan(g.connected ? BytesPerPixel(g.subType) : 0);
    } catch (const std::bad_alloc&) {
        std::lock_guard lock(foreLock_);
        fore_.reset();
        placement_ = pl;
        return fail("out of memory");
    }
    {
        std::lock_guard lock(foreLock_);
        fore_.swap(st);
        placement_ = pl;
    }
    mergeFore_.store(remembered);
    return S_OK;
}

ForePlacement GrabCore::Placement() const
{
    std::lock_guard lock(foreLock_);
    return placement_;
}

bool GrabCore::HasForeStore() const
{
    std::lock_guard lock(foreLock_);
    return fore_ != nullptr;
}

// ---------------------------------------------------------------------------
// Background and mask

bool GrabCore::LoadBody(const char* fileName, std::vector<std::uint8_t>& target)
{
    long length = -1;
    File f = OpenForRead(fileName, length);
    // A bitmap body starts at byte 54; a shorter file has none.
    if (!f || length < 54 || static_cast<unsigned long>(length - 54) > kMaxPictureFileBytes)
        return false;
    const std::size_t body = static_cast<std::size_t>(length - 54);
    std::vector<std::uint8_t> scratch;
    try {
        scratch.resize(body);
        if (std::fseek(f.get(), 54, SEEK_SET) != 0 || std::fread(scratch.data(), 1, body, f.get()) != body)
            return false;
        bodyBytes_ = static_cast<std::int64_t>(body);
        // Both stores exist after the first load; one smaller than this body grows.
        if (!hasBackground_) {
            background_.assign(body, 0);
            hasBackground_ = true;
        }
        if (!hasMask_) {
            mask_.assign(body, 0);
            hasMask_ = true;
        }
        if (target.size() < body)
            target.resize(body);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::copy(scratch.begin(), scratch.end(), target.begin());
    return true;
}

HRESULT GrabCore::SetBackground(const char* fileName)
{
    std::lock_guard load(loadLock_);
    if (effect_.load() == kEffectMaskMode) {
        effect_.store(kEffectNone);
        isWipe_.store(0);
        if (LoadBody(fileName, background_))
            effect_.store(kEffectMaskMode);
    } else {
        isWipe_.store(0);
        if (LoadBody(fileName, background_))
            isWipe_.store(1);
    }
    return S_OK;
}

HRESULT GrabCore::SetMask(const char* fileName)
{
    std::lock_guard load(loadLock_);
    effect_.store(kEffectNone);
    isWipe_.store(0);
    if (LoadBody(fileName, mask_))
        effect_.store(kEffectMaskMode);
    return S_OK;
}

std::size_t GrabCore::BackgroundStoreBytes() const
{
    std::lock_guard load(loadLock_);
    return hasBackground_ ? background_.size() : 0;
}

std::size_t GrabCore::MaskStoreBytes() const
{
    std::lock_guard load(loadLock_);
    return hasMask_ ? mask_.size() : 0;
}

std::int64_t GrabCore::BodyBytes() const
{
    std::lock_guard load(loadLock_);
    return bodyBytes_;
}

std::vector<std::uint8_t> GrabCore::BackgroundStore() const
{
    std::lock_guard load(loadLock_);
    return background_;
}

std::vector<std::uint8_t> GrabCore::MaskStore() const
{
    std::lock_guard load(loadLock_);
    return mask_;
}

// ---------------------------------------------------------------------------
// Taking image

void ToggleTakingImage(std::uint8_t* data, std::size_t size)
{
    // Word i (little-endian) for i < L/4 - 2: the last two whole words and
    // any trailing bytes stay as they are.
    const std::int64_t words = static_cast<std::int64_t>(size / 4) - 2;
    for (std::int64_t i = 0; i < words; ++i) {
        std::uint8_t* p = data + 4 * i;
        const std::uint32_t key = static_cast<std::uint32_t>(i) + kTakingImageSeed;
        for (int b = 0; b < 4; ++b)
            p[b] = static_cast<std::uint8_t>(p[b] ^ ((key >> (8 * b)) & 0xFF));
    }
}

HRESULT GrabCore::SetTakingImage(const char* fileName, std::int32_t isMirror)
{
    std::lock_guard load(loadLock_);
    long length = -1;
    File f = OpenForRead(fileName, length);
    if (!f || length <= 0 || static_cast<unsigned long>(length) > kMaxPictureFileBytes)
        return S_OK;
    const std::size_t L = static_cast<std::size_t>(length);
    const FrameGeometry g = Geometry();
    const std::size_t S = static_cast<std::size_t>(g.Stride);
    const std::size_t frameBytes = S * static_cast<std::size_t>(g.ImageHeight);
    // A file too short for the connected frame is refused.
    if (g.connected && L < frameBytes)
        return S_OK;
    std::vector<std::uint8_t> block;
    try {
        block.resize(L);
    } catch (const std::bad_alloc&) {
        return S_OK;
    }
    if (std::fread(block.data(), 1, L, f.get()) != L)
        return S_OK;
    ToggleTakingImage(block.data(), L);
    if (isMirror && g.connected) {
        // Every row but the top one of the picture is mirrored about its
        // middle column.
        const std::size_t W = static_cast<std::size_t>(g.ImageWidth);
        std::vector<std::uint8_t> row(3 * W);
        for (std::int32_t r = 0; r + 1 < g.ImageHeight; ++r) {
            std::uint8_t* p = block.data() + static_cast<std::size_t>(r) * S;
            std::memcpy(row.data(), p, 3 * W);
            k_.reverse(row.data(), p, W, 3);
        }
    }
    std::lock_guard lock(takingLock_);
    taking_.swap(block);
    hasTaking_ = true;
    return S_OK;
}

bool GrabCore::HasTakingImage() const
{
    std::lock_guard lock(takingLock_);
    return hasTaking_;
}

} // namespace grab
