// The foreground: fit rectangles, scaling, the blend over frames, loading
// failures and the pause while the store is rebuilt.
#include "grabcore.h"
#include "grabtesting.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

namespace grab {
namespace {

using testing::PngKind;
using testing::TempDir;
using testing::TestFrame;
using testing::WritePng;

struct FitCase {
    std::int32_t a, b, W, H;
    ForePlacement want;
};

class FitTest : public ::testing::TestWithParam<FitCase> { };

TEST_P(FitTest, Rectangle)
{
    const FitCase& c = GetParam();
    const ForePlacement p = FitFore(c.a, c.b, c.W, c.H);
    EXPECT_EQ(p.X, c.want.X);
    EXPECT_EQ(p.Y, c.want.Y);
    EXPECT_EQ(p.ForeWidth, c.want.ForeWidth);
    EXPECT_EQ(p.ForeHeight, c.want.ForeHeight);
    EXPECT_EQ(p.ForeStride, 4 * c.want.ForeWidth);
}

INSTANTIATE_TEST_SUITE_P(Shapes, FitTest,
    ::testing::Values(FitCase {600, 800, 640, 480, {140, 0, 360, 480, 0}}, // portrait 3:4
        FitCase {800, 600, 640, 480, {0, 0, 640, 480, 0}}, // landscape 4:3
        FitCase {1000, 500, 640, 480, {0, 80, 640, 320, 0}}, // wider
        FitCase {300, 300, 640, 480, {80, 0, 480, 480, 0}}, // narrower
        // Not 4:3 frames: the rectangle may leave the frame.
        FitCase {300, 300, 300, 400, {-50, 0, 400, 400, 0}}));

// Pixel (r, c) of the frame after the foreground pixel (x, y) of a
// top-down RGBA picture has been laid over it.
void ExpectBlended(
    const TestFrame& before, const TestFrame& after, std::int32_t r, std::int32_t c, const std::uint8_t* rgba)
{
    for (int ch = 0; ch < 3; ++ch)
        ASSERT_EQ(after.At(r, c)[ch], BlendByte(rgba[2 - ch], rgba[3], before.At(r, c)[ch]))
            << "pixel (" << r << ", " << c << ") channel " << ch;
}

// Random colours and alphas, with runs of fully transparent and fully
// opaque pixels so that skipped, copied and blended spans all occur.
std::vector<std::uint8_t> MixedRgba(std::int32_t w, std::int32_t h, std::mt19937& rng)
{
    std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    for (std::size_t i = 0; i < px.size(); ++i)
        px[i] = static_cast<std::uint8_t>(rng());
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const int zone = ((x / 13) + y) % 4;
            std::uint8_t& alpha = px[(static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x) * 4 + 3];
            alpha = zone == 0 ? 0 : zone == 1 ? 255 : alpha;
        }
    return px;
}

class SameSizeForeTest : public ::testing::TestWithParam<std::tuple<SubType, bool>> { };

// A picture the size of the frame is laid on without resampling, turned
// right side up, channel for channel with the exact blend.
TEST_P(SameSizeForeTest, EveryPixelIsTheExactBlend)
{
    const auto [type, topDown] = GetParam();
    const std::int32_t W = 160, H = 120;
    TempDir dir;
    std::mt19937 rng(6);
    const std::vector<std::uint8_t> png = MixedRgba(W, H, rng);
    WritePng(dir / "f.png", W, H, PngKind::Rgba, 8, png);
    for (const PixelKernels* k : {&ScalarKernels(), &BestKernels()}) {
        SCOPED_TRACE(k->name);
        GrabCore::Options o;
        o.kernels = k;
        GrabCore core(o);
        ASSERT_TRUE(core.SetFormat(W, H, type));
        ASSERT_EQ(core.LoadFore((dir / "f.png").c_str(), false), S_OK);
        EXPECT_EQ(core.MergeFore(), 0) << "loading never switches merging on";
        core.SetMergeFore(1);
        TestFrame frame(W, H, type);
        frame.SetTopDown(topDown);
        frame.FillRandom(rng);
        const TestFrame before = frame;
        core.ProcessFrame(frame.View());
        for (std::int32_t r = 0; r < H; ++r)
            for (std::int32_t c = 0; c < W; ++c)
                ExpectBlended(before, frame, r, c,
                    png.data() + (static_cast<std::size_t>(H - 1 - r) * W + static_cast<std::size_t>(c)) * 4);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SameSizeForeTest,
    ::testing::Combine(::testing::Values(SubType::Rgb24, SubType::Rgb32), ::testing::Bool()));

// Nearest-neighbour scaling: 300 x 300 onto 640 x 480 lies in columns 80 to
// 559, and destination row i (from the top) takes source row
// trunc(i * 0.625); row 479 takes 299.
TEST(Fore, NearestNeighbourScaling)
{
    const std::int32_t a = 300, W = 640, H = 480;
    TempDir dir;
    std::vector<std::uint8_t> png(static_cast<std::size_t>(a) * a * 4);
    for (std::int32_t y = 0; y < a; ++y)
        for (std::int32_t x = 0; x < a; ++x) {
            std::uint8_t* p = png.data() + (static_cast<std::size_t>(y) * a + x) * 4;
            p[0] = static_cast<std::uint8_t>(y); // red: source row (low byte)
            p[1] = static_cast<std::uint8_t>(x); // green: source column (low byte)
            p[2] = static_cast<std::uint8_t>((y >> 8) | ((x >> 8) << 4));
            p[3] = 255;
        }
    WritePng(dir / "sq.png", a, a, PngKind::Rgba, 8, png);
    GrabCore core;
    ASSERT_TRUE(core.SetFormat(W, H, SubType::Rgb24));
    ASSERT_EQ(core.LoadFore((dir / "sq.png").c_str(), false), S_OK);
    core.SetMergeFore(1);
    TestFrame frame(W, H, SubType::Rgb24);
    frame.Fill(1, 2, 3);
    core.ProcessFrame(frame.View());
    const float ratio = static_cast<float>(300.0 / 480.0);
    for (std::int32_t i = 0; i < H; ++i) { // destination row from the top
        const std::int32_t r = H - 1 - i;
        const auto sy = static_cast<std::int32_t>(i * static_cast<double>(ratio));
        for (std::int32_t c = 0; c < W; ++c) {
            const std::uint8_t* p = frame.At(r, c);
            if (c < 80 || c >= 560) {
                ASSERT_EQ(p[0], 1);
                continue;
            }
            const auto sx = static_cast<std::int32_t>((c - 80) * static_cast<double>(ratio));
            ASSERT_EQ(p[2] | ((p[0] & 15) << 8), sy) << "row " << i << " column " << c;
            ASSERT_EQ(p[1] | ((p[0] >> 4) << 8), sx) << "row " << i << " column " << c;
        }
    }
    const std::uint8_t* top = frame.At(0, 80); // destination row 479
    EXPECT_EQ(top[2] | ((top[0] & 15) << 8), 299);
}

// Fit rectangles that leave the frame, or exceed the 800 x 600 store, are
// clipped to the frame; nothing outside it is touched.
TEST(Fore, ClippedToFramesOfOtherShapes)
{
    TempDir dir;
    struct Case {
        std::int32_t a, b, W, H;
        SubType type;
    };
    for (const Case c : {Case {300, 300, 300, 400, SubType::Rgb24}, // X = -50
             Case {1280, 720, 1280, 720, SubType::Rgb32}, // larger than the store
             Case {100, 10, 64, 600, SubType::Rgb565}, // 16-bit frame
             Case {40, 60, 30, 90, SubType::Rgb24}}) { // narrower than 4:3 on a tall frame
        SCOPED_TRACE(::testing::Message() << c.a << "x" << c.b << " on " << c.W << "x" << c.H);
        std::vector<std::uint8_t> png(static_cast<std::size_t>(c.a) * static_cast<std::size_t>(c.b) * 4);
        for (std::size_t i = 0; i < png.size(); i += 4) {
            png[i] = 200;
            png[i + 1] = 100;
            png[i + 2] = 48;
            png[i + 3] = 255;
        }
        WritePng(dir / "f.png", c.a, c.b, PngKind::Rgba, 8, png);
        GrabCore core;
        ASSERT_TRUE(core.SetFormat(c.W, c.H, c.type));
        ASSERT_EQ(core.LoadFore((dir / "f.png").c_str(), false), S_OK);
        core.SetMergeFore(1);
        const ForePlacement pl = core.Placement();
        TestFrame frame(c.W, c.H, c.type, 4);
        frame.Fill(0, 0, 0);
        const TestFrame before = frame;
        core.ProcessFrame(frame.View());
        TestFrame painted(c.W, c.H, c.type, 4);
        painted.Fill(48, 100, 200);
        for (std::int32_t r = 0; r < c.H; ++r) {
            for (std::int32_t x = 0; x < c.W; ++x) {
                const bool inside
                    = x >= pl.X && x < pl.X + pl.ForeWidth && r >= pl.Y && r < pl.Y + pl.ForeHeight;
                // Inside, the colour bytes are the foreground's (the unused byte of
                // a 32-bit pixel is not part of the picture); outside, nothing changes.
                const TestFrame& want = inside ? painted : before;
                const int bytes = inside ? std::min(frame.pixelBytes(), 3) : frame.pixelBytes();
                ASSERT_EQ(0, std::memcmp(frame.At(r, x), want.At(r, x), static_cast<std::size_t>(bytes)))
                    << "pixel (" << r << ", " << x << ")";
            }
            ASSERT_EQ(0, std::memcmp(frame.At(r, c.W), before.At(r, c.W), 4)) << "row padding";
        }
    }
}

TEST(Fore, SixteenBitChannelsAreReducedToEight)
{
    TempDir dir;
    // 4 x 3, 16-bit RGBA: red full, green 0x8080, blue 0, alpha full.
    std::vector<std::uint8_t> png;
    for (int i = 0; i < 12; ++i)
        png.insert(png.end(), {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0xFF, 0xFF});
    WritePng(dir / "deep.png", 4, 3, PngKind::Rgba, 16, png);
    GrabCore core;
    ASSERT_TRUE(core.SetFormat(4, 3, SubType::Rgb24));
    ASSERT_EQ(core.LoadFore((dir / "deep.png").c_str(), false), S_OK);
    core.SetMergeFore(1);
    TestFrame frame(4, 3, SubType::Rgb24);
    core.ProcessFrame(frame.View());
    for (std::int32_t r = 0; r < 3; ++r)
        for (std::int32_t c = 0; c < 4; ++c) {
            EXPECT_EQ(frame.At(r, c)[0], 0);
            EXPECT_EQ(frame.At(r, c)[1], 128);
            EXPECT_EQ(frame.At(r, c)[2], 255);
        }
}

TEST(Fore, UnusableFilesFailAndLeaveMergingOff)
{
    TempDir dir;
    const std::vector<std::uint8_t> good(8 * 6 * 4, 255);
    WritePng(dir / "good.png", 8, 6, PngKind::Rgba, 8, good);
    WritePng(dir / "grey.png", 8, 6, PngKind::GreyAlpha, 8, std::vector<std::uint8_t>(8 * 6 * 2, 200));
    WritePng(dir / "palette.png", 8, 6, PngKind::Palette, 8, std::vector<std::uint8_t>(8 * 6, 9));
    WritePng(dir / "rgb.png", 8, 6, PngKind::Rgb, 8, std::vector<std::uint8_t>(8 * 6 * 3, 9));
    testing::WriteFile(dir / "text.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '\n'});
    // A PNG cut off in the middle of its data.
    {
        std::vector<std::uint8_t> big(64 * 48 * 4);
        std::mt19937 rng(7);
        for (auto& b : big)
            b = static_cast<std::uint8_t>(rng());
        WritePng(dir / "whole.png", 64, 48, PngKind::Rgba, 8, big);
        std::ifstream in(dir / "whole.png", std::ios::binary);
        std::vector<std::uint8_t> bytes(
            (std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes.resize(bytes.size() / 2);
        testing::WriteFile(dir / "cut.png", bytes);
    }

    GrabCore core;
    ASSERT_TRUE(core.SetFormat(16, 12, SubType::Rgb24));
    ASSERT_EQ(core.LoadFore((dir / "good.png").c_str(), false), S_OK);
    const ForePlacement kept = core.Placement();
    for (const char* name : {"missing.png", "text.png", "grey.png", "palette.png", "rgb.png", "cut.png"}) {
        SCOPED_TRACE(name);
        core.SetMergeFore(1);
        std::string why;
        EXPECT_EQ(core.LoadFore((dir / name).c_str(), false, &why), E_FAIL);
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(core.MergeFore(), 0);
        EXPECT_TRUE(core.HasForeStore());
        EXPECT_EQ(core.Placement().ForeWidth, kept.ForeWidth);
    }
    EXPECT_EQ(core.SetFore(nullptr), E_FAIL);
    // Before a format is known there is nothing to fit to.
    GrabCore unconnected;
    EXPECT_EQ(unconnected.LoadFore((dir / "good.png").c_str(), false), E_FAIL);
}

TEST(Fore, MergingIsOffForAtLeast100msWhileTheStoreIsRebuilt)
{
    TempDir dir;
    WritePng(dir / "f.png", 8, 6, PngKind::Rgba, 8, std::vector<std::uint8_t>(8 * 6 * 4, 255));
    GrabCore core;
    ASSERT_TRUE(core.SetFormat(8, 6, SubType::Rgb24));
    core.SetMergeFore(1);
    using Clock = std::chrono::steady_clock;
    std::atomic<bool> ready {false}, stop {false};
    Clock::time_point lastOn {}, onAgain {};
    bool seenOff = false;
    // Watches the switch as a streaming thread reads it, from before the call.
    std::thread watcher([&] {
        while (!stop.load()) {
            const bool on = core.MergeFore() != 0;
            const Clock::time_point now = Clock::now();
            if (on && !seenOff)
                lastOn = now;
            else if (!on)
                seenOff = true;
            else {
                onAgain = now;
                return;
            }
            ready.store(true);
            std::this_thread::yield();
        }
    });
    while (!ready.load())
        std::this_thread::yield();
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(core.SetFore((dir / "f.png").c_str()), S_OK);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop.store(true);
    watcher.join();
    EXPECT_EQ(core.MergeFore(), 1);
    ASSERT_TRUE(seenOff);
    ASSERT_NE(onAgain, Clock::time_point {});
    // From the last sight of it on to the first sight of it on again: a
    // missing or shortened pause shows as a gap well under 100 ms.
    EXPECT_GE(onAgain - lastOn, std::chrono::milliseconds(100));
}

} // namespace
} // namespace grab
