// Frame geometry derived from the connected format, and the queries that
// report it.
#include "grabcore.h"

#include <gtest/gtest.h>

namespace grab {
namespace {

struct GeometryCase {
    std::int32_t width, height;
    SubType type;
    std::int32_t imageWidth, imageHeight, stride, imageSize, bitCount;
};

class GeometryTest : public ::testing::TestWithParam<GeometryCase> { };

TEST_P(GeometryTest, DerivedFromFormat)
{
    const GeometryCase& c = GetParam();
    const FrameGeometry g = FrameGeometry::FromFormat(c.width, c.height, c.type);
    ASSERT_TRUE(g.connected);
    EXPECT_EQ(g.ImageWidth, c.imageWidth);
    EXPECT_EQ(g.ImageHeight, c.imageHeight);
    EXPECT_EQ(g.Stride, c.stride);
    EXPECT_EQ(g.ImageSize, c.imageSize);
    EXPECT_EQ(g.BitCount, c.bitCount);

    // The header a bitmap file of the copy carries: bottom-up, plain RGB.
    const BitmapInfoHeader h = g.InfoHeader();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, c.imageWidth);
    EXPECT_EQ(h.biHeight, c.imageHeight);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, c.bitCount);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, static_cast<std::uint32_t>(c.imageSize));
}

INSTANTIATE_TEST_SUITE_P(Formats, GeometryTest,
    ::testing::Values(
        // Top-down 640 x -480 at 24 bits.
        GeometryCase {640, -480, SubType::Rgb24, 640, 480, 1920, 921600, 24},
        // Rows padded to 4 bytes: the 24-bit stride, and copies that hold the padding.
        GeometryCase {642, 480, SubType::Rgb24, 642, 480, 1928, 1928 * 480, 24},
        // 16-bit: the stride stays the 24-bit one.
        GeometryCase {320, 240, SubType::Rgb565, 320, 240, 960, 153600, 16},
        GeometryCase {321, 240, SubType::Rgb555, 321, 240, 964, 644 * 240, 16},
        GeometryCase {640, 480, SubType::Rgb32, 640, 480, 1920, 1228800, 32}));

TEST(Geometry, EmptyOrOversizedFormatsAreNotConnected)
{
    EXPECT_FALSE(FrameGeometry::FromFormat(0, 480, SubType::Rgb24).connected);
    EXPECT_FALSE(FrameGeometry::FromFormat(640, 0, SubType::Rgb24).connected);
    EXPECT_FALSE(FrameGeometry::FromFormat(-640, 480, SubType::Rgb24).connected);
    EXPECT_FALSE(FrameGeometry::FromFormat(32767, 32767, SubType::Rgb32).connected);
}

TEST(Geometry, QueriesFollowTheConnection)
{
    GrabCore core;
    std::int32_t w = -1, h = -1, bits = -1, size = -1, kind = -1;
    BitmapInfoHeader header {};
    EXPECT_EQ(core.GetImageSize(&w, &h, &bits), E_FAIL);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(core.GetBitmapInfoHeader(&header), E_FAIL);
    EXPECT_EQ(core.GetRgb16Kind(&kind), S_OK);
    EXPECT_EQ(kind, kRgb16None);
    EXPECT_EQ(core.GetBufferSize(&size), S_OK);
    EXPECT_EQ(size, 0);

    ASSERT_TRUE(core.SetFormat(320, 240, SubType::Rgb565));
    EXPECT_EQ(core.GetImageSize(&w, &h, &bits), S_OK);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(core.GetBufferSize(&size), S_OK);
    EXPECT_EQ(size, 153600);
    EXPECT_EQ(core.GetRgb16Kind(&kind), S_OK);
    EXPECT_EQ(kind, kRgb16Kind565);
    ASSERT_TRUE(core.SetFormat(320, 240, SubType::Rgb555));
    EXPECT_EQ(core.GetRgb16Kind(&kind), S_OK);
    EXPECT_EQ(kind, kRgb16Kind555);
    ASSERT_TRUE(core.SetFormat(320, 240, SubType::Rgb24));
    EXPECT_EQ(core.GetRgb16Kind(&kind), S_OK);
    EXPECT_EQ(kind, kRgb16None);

    core.ClearFormat();
    EXPECT_EQ(core.GetImageSize(&w, &h, &bits), E_FAIL);
    EXPECT_EQ(core.GetBitmapInfoHeader(&header), E_FAIL);
}

TEST(Geometry, InterfaceIdentity)
{
    GrabCore core;
    void* p = nullptr;
    EXPECT_EQ(core.QueryInterface(IID_IImageGrabber, &p), S_OK);
    EXPECT_EQ(p, static_cast<IImageGrabber*>(&core));
    EXPECT_EQ(core.QueryInterface(IID_IUnknown, &p), S_OK);
    EXPECT_EQ(core.QueryInterface(CLSID_ImageGrabber, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(core.QueryInterface(IID_IImageGrabber, nullptr), E_POINTER);
}

} // namespace
} // namespace grab
