// Format ranking, the analogue standard choice and the caps a build imposes
// on a camera, over made-up capability and standard lists.
#include "capturecore.h"
#include "formats.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

namespace capture {
namespace {

using S = Subtype;

TEST(FormatRanking, PicksLowestRankThenLowestIndex)
{
    struct Case {
        const char* what;
        std::vector<Capability> caps;
        int expected;
    };
    const Case cases[] = {
        {"YUY2 then RGB24 picks RGB24", {{S::YUY2}, {S::RGB24}}, 1},
        {"all MJPG keeps the current format", {{S::Other}, {S::Other}, {S::Other}}, -1},
        {"no capabilities keeps the current format", {}, -1},
        {"equal ranks: the first one", {{S::UYVY}, {S::RGB565}, {S::RGB565}}, 1},
        {"full order", {{S::UYVY}, {S::YUY2}, {S::RGB555}, {S::RGB565}, {S::RGB24}, {S::RGB32}}, 5},
        {"an undescribed capability is skipped", {{S::YUY2}, {S::RGB32, false}}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseCapability(c.caps), c.expected) << c.what;
}

TEST(FormatRanking, MediaDescriptionsMapToSubtypes)
{
    EXPECT_EQ(subtypeOf("video/x-raw", "BGRx"), S::RGB32);
    EXPECT_EQ(subtypeOf("video/x-raw", "BGR"), S::RGB24);
    EXPECT_EQ(subtypeOf("video/x-raw", "RGB16"), S::RGB565);
    EXPECT_EQ(subtypeOf("video/x-raw", "RGB15"), S::RGB555);
    EXPECT_EQ(subtypeOf("video/x-raw", "YUY2"), S::YUY2);
    EXPECT_EQ(subtypeOf("video/x-raw", "UYVY"), S::UYVY);
    // RGB (red first) is not the host's RGB24; neither are compressed types.
    EXPECT_EQ(subtypeOf("video/x-raw", "RGB"), S::Other);
    EXPECT_EQ(subtypeOf("video/x-raw", "I420"), S::Other);
    EXPECT_EQ(subtypeOf("image/jpeg", ""), S::Other);
}

TEST(AnalogStandard, FirstAvailableOfTheFamilyElseItsLastEntry)
{
    using A = AnalogStandard;
    auto bits = [](std::initializer_list<A> l) {
        std::uint32_t b = 0;
        for (A a : l)
            b |= static_cast<std::uint32_t>(a);
        return b;
    };
    struct Case {
        std::int32_t videoFormat;
        std::uint32_t available;
        A expected;
    };
    const Case cases[] = {
        {1, bits({A::PAL_B, A::PAL_D}), A::PAL_D},
        {1, bits({A::PAL_G}), A::PAL_N_COMBO},
        {1, bits({A::PAL_I, A::PAL_M}), A::PAL_I},
        {0, bits({A::NTSC_M_J, A::NTSC_M}), A::NTSC_M},
        {0, bits({A::PAL_D}), A::NTSC_433},
        {2, bits({A::SECAM_K, A::SECAM_D}), A::SECAM_D},
        {2, 0, A::SECAM_L1},
        {3, bits({A::PAL_D, A::NTSC_M}), A::None},
        {-1, bits({A::PAL_D}), A::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseStandard(c.videoFormat, c.available), c.expected)
            << "VideoFormat " << c.videoFormat << " available 0x" << std::hex << c.available;
}

TEST(AnalogStandard, V4l2IdsRoundTrip)
{
    // PAL-BG (B, B1, G) and PAL-DK (D, D1, K) as a TV card reports them.
    const std::uint32_t bits = analogStandardsOfV4l2(0x7 | 0xE0);
    EXPECT_EQ(bits,
        static_cast<std::uint32_t>(AnalogStandard::PAL_B) | static_cast<std::uint32_t>(AnalogStandard::PAL_G)
            | static_cast<std::uint32_t>(AnalogStandard::PAL_D));
    EXPECT_EQ(chooseStandard(1, bits), AnalogStandard::PAL_D);
    EXPECT_EQ(v4l2StandardOf(AnalogStandard::PAL_D), 0x20u);
    EXPECT_EQ(v4l2StandardOf(AnalogStandard::None), 0u);
}

class CameraCaps : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gst_init(nullptr, nullptr); }
    static std::string choose(const char* device, const CaptureSettings& s, std::string* rgb = nullptr)
    {
        GstCaps* dc = gst_caps_from_string(device);
        GstCaps* c = chooseCameraCaps(dc, s, rgb);
        gst_caps_unref(dc);
        if (!c)
            return "";
        GstCaps* fixed = gst_caps_fixate(c);
        gchar* t = gst_caps_to_string(fixed);
        std::string out = t;
        g_free(t);
        gst_caps_unref(fixed);
        return out;
    }
};

TEST_F(CameraCaps, RankedFormatCurrentFormatAndCaptureSize)
{
    const char* camera = "video/x-raw, format=YUY2, width=640, height=480; "
                         "video/x-raw, format={ I420, BGR }, width=[ 160, 1280 ], height=[ 120, 960 ]; "
                         "image/jpeg, width=1280, height=720";
    CaptureSettings s;
    std::string rgb;
    EXPECT_NE(choose(camera, s, &rgb).find("format=(string)BGR"), std::string::npos);
    EXPECT_EQ(rgb, "BGR");

    s.IsCapture = 1;
    s.CaptureWidth = 320;
    s.CaptureHeight = 240;
    const std::string sized = choose(camera, s);
    EXPECT_NE(sized.find("format=(string)BGR"), std::string::npos);
    EXPECT_NE(sized.find("width=(int)320, height=(int)240"), std::string::npos);

    // A size outside what the camera offers leaves the format at its own size.
    s.CaptureWidth = 4000;
    EXPECT_EQ(choose(camera, s).find("width=(int)4000"), std::string::npos);

    // Nothing ranked: the first format the camera lists, no RGB for Grab.
    s.IsCapture = 0;
    EXPECT_EQ(choose("image/jpeg, width=1280, height=720; image/jpeg, width=640, height=480", s, &rgb),
        "image/jpeg, width=(int)1280, height=(int)720");
    EXPECT_EQ(rgb, "");
}

} // namespace
} // namespace capture
