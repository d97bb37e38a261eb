// The effects on small frames, every pixel checked against a plain
// per-pixel reference, and the SIMD kernels against the scalar ones.
#include "grabcore.h"
#include "grabtesting.h"
#include "pixelkernels.h"

#include <cstring>
#include <gtest/gtest.h>

namespace grab {
namespace {

using testing::TestFrame;

// What effect e makes of pixel (r, c): the buffer pixel it is copied from.
struct Source {
    std::int32_t r, c;
};

Source ReferenceSource(std::int32_t e, std::int32_t W, std::int32_t H, std::int32_t r, std::int32_t c)
{
    const std::int32_t right = W - W / 2;
    switch (e) {
    case kEffectHalfMirror: // symmetric about the middle column, top picture row untouched
        if (r < H - 1 && c >= right)
            return {r, W - 1 - c};
        return {r, c};
    case kEffectPointMirror: // right half = left half turned half a turn; row 0 is no source
        if (r < H - 1 && c >= right)
            return {H - 1 - r, W - 1 - c};
        return {r, c};
    case kEffectReflection: { // bottom third = the band above it upside down, two rows between
        const std::int32_t n = H / 3;
        if (r < n && 2 * n + 1 - r < H)
            return {2 * n + 1 - r, c};
        return {r, c};
    }
    default:
        return {r, c};
    }
}

struct EffectCase {
    std::int32_t effect, width, height;
    SubType type;
    bool topDown;
};

void PrintTo(const EffectCase& c, std::ostream* os)
{
    *os << "effect " << c.effect << " " << c.width << "x" << c.height << " type " << static_cast<int>(c.type)
        << (c.topDown ? " top-down" : " bottom-up");
}

class EffectTest : public ::testing::TestWithParam<EffectCase> { };

TEST_P(EffectTest, EveryPixelMatchesTheReference)
{
    const EffectCase& p = GetParam();
    for (const PixelKernels* k : {&ScalarKernels(), &BestKernels()}) {
        SCOPED_TRACE(k->name);
        GrabCore::Options o;
        o.kernels = k;
        GrabCore core(o);
        ASSERT_TRUE(core.SetFormat(p.width, p.height, p.type));
        core.SetSpecialEffect(p.effect);
        TestFrame frame(p.width, p.height, p.type, 5); // rows with odd padding
        frame.SetTopDown(p.topDown);
        std::mt19937 rng(static_cast<unsigned>(p.effect * 1000 + p.width));
        frame.FillRandom(rng);
        const TestFrame before = frame;
        core.ProcessFrame(frame.View());
        const int P = frame.pixelBytes();
        for (std::int32_t r = 0; r < p.height; ++r) {
            for (std::int32_t c = 0; c < p.width; ++c) {
                const Source s = ReferenceSource(p.effect, p.width, p.height, r, c);
                ASSERT_EQ(0, std::memcmp(frame.At(r, c), before.At(s.r, s.c), static_cast<std::size_t>(P)))
                    << "pixel (" << r << ", " << c << ") should come from (" << s.r << ", " << s.c << ")";
            }
            // Padding bytes at the end of each row stay as they were.
            ASSERT_EQ(0, std::memcmp(frame.At(r, p.width), before.At(r, p.width), 5));
        }
    }
}

std::vector<EffectCase> EffectCases()
{
    std::vector<EffectCase> cases;
    // The 4 x 2 frame: row 0's first pixel goes to its own last pixel, row 1
    // is not visited.
    cases.push_back({kEffectHalfMirror, 4, 2, SubType::Rgb24, false});
    // H = 3: the reflection has no source row inside the frame.
    cases.push_back({kEffectReflection, 7, 3, SubType::Rgb24, false});
    for (std::int32_t e : {kEffectHalfMirror, kEffectPointMirror, kEffectReflection, kEffectMaskMode, 7, -1})
        for (SubType t : {SubType::Rgb24, SubType::Rgb32, SubType::Rgb565})
            for (std::int32_t w : {1, 37, 64})
                cases.push_back({e, w, 13, t, w == 37});
    cases.push_back({kEffectReflection, 8, 480, SubType::Rgb24, true});
    cases.push_back({kEffectPointMirror, 33, 12, SubType::Rgb555, true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectTest, ::testing::ValuesIn(EffectCases()));

TEST(Effects, ReflectionOfA480RowFrame)
{
    GrabCore core;
    ASSERT_TRUE(core.SetFormat(2, 480, SubType::Rgb24));
    core.SetSpecialEffect(kEffectReflection);
    TestFrame frame(2, 480, SubType::Rgb24);
    for (std::int32_t r = 0; r < 480; ++r)
        for (std::int32_t c = 0; c < 2; ++c) {
            frame.At(r, c)[0] = static_cast<std::uint8_t>(r);
            frame.At(r, c)[1] = static_cast<std::uint8_t>(r >> 8);
        }
    core.ProcessFrame(frame.View());
    // Rows 0 .. 159 hold rows 321 down to 162; rows 160 and 161 keep theirs.
    for (std::int32_t r = 0; r < 162; ++r) {
        const std::int32_t from = r < 160 ? 321 - r : r;
        EXPECT_EQ(frame.At(r, 1)[0] | (frame.At(r, 1)[1] << 8), from) << "row " << r;
    }
}

// ---------------------------------------------------------------------------
// Kernels

TEST(Kernels, BlendArithmetic)
{
    EXPECT_EQ(BlendByte(255, 128, 0), 128);
    EXPECT_EQ(BlendByte(0, 128, 255), 127);
    for (std::uint32_t f = 0; f < 256; ++f)
        for (std::uint32_t b = 0; b < 256; ++b) {
            ASSERT_EQ(BlendByte(f, 0, b), b);
            ASSERT_EQ(BlendByte(f, 255, b), f);
        }
}

TEST(Kernels, VectorBlendIsBitExactForEveryInput)
{
    const PixelKernels& best = BestKernels();
    // Every foreground byte and frame byte under every alpha, at an odd
    // offset and length so that every tail path runs too.
    std::vector<std::uint8_t> f(65536 + 7), a(f.size()), d(f.size());
    for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (std::size_t i = 0; i < f.size(); ++i) {
            f[i] = static_cast<std::uint8_t>(i);
            d[i] = static_cast<std::uint8_t>(i >> 8);
            a[i] = static_cast<std::uint8_t>(alpha);
        }
        best.blend(f.data() + 3, a.data() + 3, d.data() + 3, f.size() - 3);
        for (std::size_t i = 3; i < f.size(); ++i)
            ASSERT_EQ(d[i], BlendByte(static_cast<std::uint8_t>(i), alpha, static_cast<std::uint8_t>(i >> 8)))
                << "alpha " << alpha << " at " << i;
    }
    // Mixed alphas within one vector.
    std::mt19937 rng(4);
    for (std::size_t i = 0; i < f.size(); ++i) {
        f[i] = static_cast<std::uint8_t>(rng());
        a[i] = static_cast<std::uint8_t>(rng());
        d[i] = static_cast<std::uint8_t>(rng());
    }
    std::vector<std::uint8_t> expect = d;
    ScalarKernels().blend(f.data(), a.data(), expect.data(), f.size());
    best.blend(f.data(), a.data(), d.data(), f.size());
    EXPECT_EQ(d, expect);
    // Every span length up to a few vectors: no byte outside the span changes.
    for (std::size_t n = 0; n <= 100; ++n) {
        std::vector<std::uint8_t> got(d.begin(), d.begin() + 120), want = got;
        ScalarKernels().blend(f.data(), a.data(), want.data() + 10, n);
        best.blend(f.data(), a.data(), got.data() + 10, n);
        ASSERT_EQ(got, want) << "length " << n;
    }
}

TEST(Kernels, VectorReverseMatchesScalar)
{
    std::mt19937 rng(5);
    for (int P : {2, 3, 4})
        for (std::size_t n : {0u, 1u, 7u, 8u, 15u, 16u, 17u, 31u, 32u, 33u, 48u, 320u, 333u}) {
            std::vector<std::uint8_t> src(n * static_cast<std::size_t>(P) + 1);
            for (auto& b : src)
                b = static_cast<std::uint8_t>(rng());
            std::vector<std::uint8_t> want(src.size(), 0xEE), got(src.size(), 0xEE);
            ScalarKernels().reverse(src.data(), want.data(), n, P);
            BestKernels().reverse(src.data(), got.data(), n, P);
            ASSERT_EQ(got, want) << "P " << P << " n " << n;
            if (n > 0) {
                ASSERT_EQ(0,
                    std::memcmp(want.data(), src.data() + (n - 1) * static_cast<std::size_t>(P),
                        static_cast<std::size_t>(P)));
            }
        }
}

} // namespace
} // namespace grab
