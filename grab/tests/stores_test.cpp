// Background and mask stores, the taking image, the colour sample, and the
// settings' initial values.
#include "grabcore.h"
#include "grabtesting.h"

#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace grab {
namespace {

using testing::TempDir;
using testing::TestFrame;
using testing::WriteFile;

TEST(Settings, InitialValuesAndStoredKeying)
{
    GrabCore core;
    EXPECT_EQ(core.Effect(), 0);
    EXPECT_EQ(core.IsWipe(), 0);
    EXPECT_EQ(core.WipeWayValue(), 1);
    EXPECT_EQ(core.MergeFore(), 0);
    EXPECT_EQ(core.IsTaking(), 0);
    EXPECT_EQ(core.LineDoubling(), 0);
    EXPECT_DOUBLE_EQ(core.SampleCb(), 140.0);
    std::int32_t rgb[3], cbcr[4];
    core.RgbRange(rgb);
    core.CbCrRange(cbcr);
    EXPECT_EQ(std::vector<std::int32_t>(rgb, rgb + 3), (std::vector<std::int32_t> {20, 20, 50}));
    EXPECT_EQ(std::vector<std::int32_t>(cbcr, cbcr + 4), (std::vector<std::int32_t> {0, 30, 35, 0}));
    core.SetRGBRange(1, 2, 3);
    core.SetCbCrRange(4, 5, 6, 7);
    core.RgbRange(rgb);
    core.CbCrRange(cbcr);
    EXPECT_EQ(std::vector<std::int32_t>(rgb, rgb + 3), (std::vector<std::int32_t> {1, 2, 3}));
    EXPECT_EQ(std::vector<std::int32_t>(cbcr, cbcr + 4), (std::vector<std::int32_t> {4, 5, 6, 7}));

    // Keying is stored only: a frame with a background loaded and wiping on
    // passes unchanged.
    TempDir dir;
    WriteFile(dir / "bg.bmp", std::vector<std::uint8_t>(54 + 8 * 4 * 3, 0x33));
    ASSERT_TRUE(core.SetFormat(8, 4, SubType::Rgb24));
    core.SetBackground((dir / "bg.bmp").c_str());
    core.SetIsWipe(1);
    core.WipeWay(0);
    EXPECT_EQ(core.IsWipe(), 1);
    EXPECT_EQ(core.WipeWayValue(), 0);
    TestFrame frame(8, 4, SubType::Rgb24);
    std::mt19937 rng(8);
    frame.FillRandom(rng);
    const TestFrame before = frame;
    core.ProcessFrame(frame.View());
    EXPECT_EQ(frame.memory(), before.memory());
}

// ---------------------------------------------------------------------------
// Background and mask

enum class Step {
    Effect1,
    Effect3,
    Wipe1,
    MaskGood,
    MaskMissing,
    MaskShort,
    BackgroundGood,
    BackgroundMissing
};

struct KeyingCase {
    const char* name;
    std::vector<Step> steps;
    std::int32_t effect, isWipe;
};

class KeyingTest : public ::testing::TestWithParam<KeyingCase> { };

TEST_P(KeyingTest, StateAfterLoads)
{
    TempDir dir;
    WriteFile(dir / "good.bmp", std::vector<std::uint8_t>(54 + 300, 1));
    WriteFile(dir / "short.bmp", std::vector<std::uint8_t>(40, 1)); // no bitmap body at byte 54
    GrabCore core;
    for (Step s : GetParam().steps) {
        switch (s) {
        case Step::Effect1:
            core.SetSpecialEffect(1);
            break;
        case Step::Effect3:
            core.SetSpecialEffect(3);
            break;
        case Step::Wipe1:
            core.SetIsWipe(1);
            break;
        case Step::MaskGood:
            EXPECT_EQ(core.SetMask((dir / "good.bmp").c_str()), S_OK);
            break;
        case Step::MaskMissing:
            EXPECT_EQ(core.SetMask((dir / "none.bmp").c_str()), S_OK);
            break;
        case Step::MaskShort:
            EXPECT_EQ(core.SetMask((dir / "short.bmp").c_str()), S_OK);
            break;
        case Step::BackgroundGood:
            EXPECT_EQ(core.SetBackground((dir / "good.bmp").c_str()), S_OK);
            break;
        case Step::BackgroundMissing:
            EXPECT_EQ(core.SetBackground((dir / "none.bmp").c_str()), S_OK);
            break;
        }
    }
    EXPECT_EQ(core.Effect(), GetParam().effect);
    EXPECT_EQ(core.IsWipe(), GetParam().isWipe);
}

INSTANTIATE_TEST_SUITE_P(Sequences, KeyingTest,
    ::testing::Values(KeyingCase {"MaskThenBackground", {Step::MaskGood, Step::BackgroundGood}, 2, 0},
        KeyingCase {"BackgroundAlone", {Step::Effect1, Step::BackgroundGood}, 1, 1},
        KeyingCase {"MaskEndsAMirror", {Step::Effect3, Step::Wipe1, Step::MaskGood}, 2, 0},
        KeyingCase {"MissingMask", {Step::Effect1, Step::Wipe1, Step::MaskMissing}, 0, 0},
        KeyingCase {"ShortMask", {Step::Effect1, Step::MaskShort}, 0, 0},
        KeyingCase {"MissingBackground", {Step::Wipe1, Step::BackgroundMissing}, 0, 0},
        KeyingCase {"MissingBackgroundInMaskMode", {Step::MaskGood, Step::BackgroundMissing}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Keying, StoresHoldTheBodyAndGrowForLargerFiles)
{
    TempDir dir;
    std::vector<std::uint8_t> small(54 + 10), large(54 + 5000);
    for (std::size_t i = 0; i < small.size(); ++i)
        small[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i * 7);
    WriteFile(dir / "small.bmp", small);
    WriteFile(dir / "large.bmp", large);
    GrabCore core;
    core.SetBackground((dir / "small.bmp").c_str());
    EXPECT_EQ(core.BodyBytes(), 10);
    EXPECT_EQ(core.BackgroundStoreBytes(), 10u);
    EXPECT_EQ(core.MaskStoreBytes(), 10u);
    core.SetMask((dir / "large.bmp").c_str());
    EXPECT_EQ(core.BodyBytes(), 5000);
    const std::vector<std::uint8_t> mask = core.MaskStore();
    ASSERT_GE(mask.size(), 5000u);
    EXPECT_TRUE(std::equal(large.begin() + 54, large.end(), mask.begin()));
    const std::vector<std::uint8_t> bg = core.BackgroundStore();
    EXPECT_TRUE(std::equal(small.begin() + 54, small.end(), bg.begin()));
}

// ---------------------------------------------------------------------------
// Taking image

TEST(TakingImage, UnscrambleRule)
{
    // Word i is XORed with i + 13 while i < L/4 - 2.
    std::vector<std::uint8_t> b(18, 0);
    ToggleTakingImage(b.data(), b.size());
    const std::vector<std::uint8_t> want {13, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(b, want);
    std::vector<std::uint8_t> few(11, 0xFF);
    ToggleTakingImage(few.data(), few.size());
    EXPECT_EQ(few, std::vector<std::uint8_t>(11, 0xFF));
    // Words past 255 carry into the next byte.
    std::vector<std::uint8_t> longer(4 * 300, 0);
    ToggleTakingImage(longer.data(), longer.size());
    EXPECT_EQ(longer[4 * 250], static_cast<std::uint8_t>((250 + 13) & 0xFF));
    EXPECT_EQ(longer[4 * 250 + 1], 1);
}

// A frame prepared as a taking-image file: its picture, scrambled.
std::vector<std::uint8_t> PrepareTaking(const std::vector<std::uint8_t>& picture)
{
    std::vector<std::uint8_t> file = picture;
    ToggleTakingImage(file.data(), file.size());
    return file;
}

TEST(TakingImage, ReplacesEveryFrameAndHoldsCopies)
{
    const std::int32_t W = 10, H = 6; // 30-byte rows padded to 32
    TempDir dir;
    TestFrame picture(W, H, SubType::Rgb24);
    std::mt19937 rng(9);
    picture.FillRandom(rng);
    WriteFile(dir / "take.dat", PrepareTaking(picture.memory()));

    for (SubType t : {SubType::Rgb24, SubType::Rgb32, SubType::Rgb565}) {
        SCOPED_TRACE(static_cast<int>(t));
        GrabCore core;
        ASSERT_TRUE(core.SetFormat(W, H, t));
        core.SetRunning(true);
        EXPECT_EQ(core.SetTakingImage((dir / "take.dat").c_str(), 0), S_OK);
        core.SetIsTaking(1);
        core.SetSpecialEffect(kEffectHalfMirror);
        core.SetMergeFore(1);
        std::vector<std::uint8_t> buf(1000);
        core.CopyFrame(buf.data(), 0, 1);
        TestFrame frame(W, H, t);
        frame.SetTopDown(true);
        frame.FillRandom(rng);
        core.ProcessFrame(frame.View());
        for (std::int32_t r = 0; r < H; ++r)
            for (std::int32_t c = 0; c < W; ++c) {
                TestFrame one(1, 1, t);
                one.Fill(picture.At(r, c)[0], picture.At(r, c)[1], picture.At(r, c)[2]);
                if (t == SubType::Rgb32)
                    one.At(0, 0)[3] = 255;
                ASSERT_EQ(0,
                    std::memcmp(frame.At(r, c), one.At(0, 0), static_cast<std::size_t>(frame.pixelBytes())))
                    << "pixel (" << r << ", " << c << ")";
            }
        std::int32_t done = 1;
        core.IsCopyDone(&done);
        EXPECT_EQ(done, 0) << "copies wait while the taking image is shown";
        core.CancelCopy();
    }
}

TEST(TakingImage, MirroredAboutTheMiddleColumn)
{
    const std::int32_t W = 21, H = 5;
    TempDir dir;
    TestFrame picture(W, H, SubType::Rgb24);
    std::mt19937 rng(10);
    picture.FillRandom(rng);
    WriteFile(dir / "take.dat", PrepareTaking(picture.memory()));
    for (const PixelKernels* k : {&ScalarKernels(), &BestKernels()}) {
        GrabCore::Options o;
        o.kernels = k;
        GrabCore core(o);
        ASSERT_TRUE(core.SetFormat(W, H, SubType::Rgb24));
        core.SetTakingImage((dir / "take.dat").c_str(), 1);
        core.SetIsTaking(1);
        TestFrame frame(W, H, SubType::Rgb24);
        core.ProcessFrame(frame.View());
        for (std::int32_t r = 0; r < H; ++r)
            for (std::int32_t c = 0; c < W; ++c) {
                // The top row of the picture is left unmirrored.
                const std::int32_t from = r < H - 1 ? W - 1 - c : c;
                ASSERT_EQ(0, std::memcmp(frame.At(r, c), picture.At(r, from), 3))
                    << k->name << " (" << r << ", " << c << ")";
            }
    }
}

TEST(TakingImage, FilesTooShortForTheFrameAreNotShown)
{
    const std::int32_t W = 16, H = 8;
    TempDir dir;
    std::vector<std::uint8_t> full(static_cast<std::size_t>(Stride24(W) * H), 0x44);
    std::vector<std::uint8_t> shorter(full.begin(), full.end() - 1);
    WriteFile(dir / "full.dat", PrepareTaking(full));
    WriteFile(dir / "short.dat", PrepareTaking(shorter));
    WriteFile(dir / "empty.dat", {});

    GrabCore core;
    ASSERT_TRUE(core.SetFormat(W, H, SubType::Rgb24));
    core.SetIsTaking(1);
    TestFrame frame(W, H, SubType::Rgb24);
    frame.Fill(1, 1, 1);
    const TestFrame camera = frame;
    for (const char* name : {"short.dat", "empty.dat", "missing.dat", ""}) {
        EXPECT_EQ(core.SetTakingImage(name[0] ? (dir / name).c_str() : "", 1), S_OK);
        EXPECT_FALSE(core.HasTakingImage()) << name;
    }
    EXPECT_EQ(core.SetTakingImage(nullptr, 0), S_OK);
    core.ProcessFrame(frame.View());
    EXPECT_EQ(frame.memory(), camera.memory()) << "no taking image: the frame passes as it is";

    // A picture loaded for a smaller frame is not shown on a larger one.
    core.SetTakingImage((dir / "full.dat").c_str(), 0);
    ASSERT_TRUE(core.HasTakingImage());
    ASSERT_TRUE(core.SetFormat(W, H + 1, SubType::Rgb24));
    TestFrame taller(W, H + 1, SubType::Rgb24);
    taller.Fill(1, 1, 1);
    core.ProcessFrame(taller.View());
    EXPECT_EQ(taller.At(0, 0)[0], 1);
    ASSERT_TRUE(core.SetFormat(W, H, SubType::Rgb24));
    core.ProcessFrame(frame.View());
    EXPECT_EQ(frame.At(0, 0)[0], 0x44);
}

// ---------------------------------------------------------------------------
// Colour sample

struct CbCase {
    ColourSample s;
    double cb;
};

class SampleCbTest : public ::testing::TestWithParam<CbCase> { };

TEST_P(SampleCbTest, SetSampleComputesCb)
{
    GrabCore core;
    EXPECT_EQ(core.SetSample(GetParam().s), S_OK);
    EXPECT_NEAR(core.SampleCb(), GetParam().cb, 1e-9);
    ColourSample got {};
    EXPECT_EQ(core.GetSample(&got), S_OK);
    EXPECT_EQ(got.Red, GetParam().s.Red);
    EXPECT_EQ(got.Green, GetParam().s.Green);
    EXPECT_EQ(got.Blue, GetParam().s.Blue);
}

INSTANTIATE_TEST_SUITE_P(Values, SampleCbTest,
    ::testing::Values(CbCase {{0, 0, 0}, 128.0}, CbCase {{0, 0, 255}, 240.0}, CbCase {{255, 255, 255}, 128.0},
        CbCase {{100, 50, 200}, 128.0 - 14.82235294117647 - 14.549607843137255 + 87},
        CbCase {{10, 20, 30}, 128.0 - 1.482235294117647 - 5.819843137254902 + 13},
        // A negative Blue truncates toward zero: 112 * -5 / 255 = -2.
        CbCase {{-5, 300, -5}, 128.0 + 0.7411176470588235 - 87.29764705882353 - 2}));

class SampleFixture {
public:
    SampleFixture(std::int32_t w, std::int32_t h)
        : frame(w, h, SubType::Rgb24)
    {
        core.SetFormat(w, h, SubType::Rgb24);
        core.SetRunning(true);
    }
    // Runs PixelSample while a streaming thread delivers the frame.
    HRESULT Sample()
    {
        std::atomic<bool> stop {false};
        std::thread streaming([&] {
            while (!stop.load()) {
                core.ProcessFrame(frame.View());
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        const HRESULT hr = core.PixelSample();
        stop.store(true);
        streaming.join();
        return hr;
    }
    GrabCore core;
    TestFrame frame;
};

TEST(PixelSample, UniformFrame)
{
    SampleFixture f(640, 480);
    f.frame.Fill(200, 100, 50);
    f.core.SetSpecialEffect(kEffectPointMirror); // the sample is taken before the effect
    ASSERT_EQ(f.Sample(), S_OK);
    ColourSample s {};
    f.core.GetSample(&s);
    EXPECT_EQ(s.Red, 50);
    EXPECT_EQ(s.Green, 100);
    EXPECT_EQ(s.Blue, 200);
    EXPECT_NEAR(f.core.SampleCb(), SampleCbOf(s), 1e-12);
}

TEST(PixelSample, AveragesExactlyTheBand)
{
    // Buffer rows H - 35 .. H - 16 (the 20 rows starting 15 below the top
    // edge of the picture), columns 40 .. W - 41.
    SampleFixture f(100, 40);
    f.frame.SetTopDown(true);
    std::mt19937 rng(11);
    f.frame.FillRandom(rng);
    std::int64_t sum[3] = {0, 0, 0}, n = 0;
    for (std::int32_t r = 40 - 35; r <= 40 - 16; ++r)
        for (std::int32_t c = 40; c <= 100 - 41; ++c, ++n)
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += f.frame.At(r, c)[ch];
    ASSERT_EQ(f.Sample(), S_OK);
    ColourSample s {};
    f.core.GetSample(&s);
    EXPECT_EQ(s.Blue, sum[0] / n);
    EXPECT_EQ(s.Green, sum[1] / n);
    EXPECT_EQ(s.Red, sum[2] / n);
}

TEST(PixelSample, LeavesTheSampleWhenNothingCanBeMeasured)
{
    struct Case {
        std::int32_t w, h;
        bool running;
    };
    for (const Case c : {Case {80, 480, true}, Case {640, 34, true}, Case {640, 480, false}}) {
        SampleFixture f(c.w, c.h);
        f.core.SetRunning(c.running);
        f.frame.Fill(9, 9, 9);
        f.core.SetSample({1, 2, 3});
        EXPECT_EQ(f.Sample(), E_FAIL) << c.w << "x" << c.h;
        ColourSample s {};
        f.core.GetSample(&s);
        EXPECT_EQ(s.Red, 1);
        EXPECT_EQ(s.Blue, 3);
    }
}

} // namespace
} // namespace grab
