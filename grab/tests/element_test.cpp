// The grab element in small pipelines: accepted and refused types, the
// interface it hands out, frame copies, properties and lifetime.
#include "grabcore.h"
#include "grabtesting.h"
#include "imagegrabber.h"

#include <chrono>
#include <cstring>
#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <thread>

namespace grab {
namespace {

class GstEnvironment : public ::testing::Environment {
public:
    void SetUp() override { gst_init(nullptr, nullptr); }
    void TearDown() override { gst_deinit(); }
};
const auto* const kGstEnvironment = ::testing::AddGlobalTestEnvironment(new GstEnvironment);

// appsrc ! grab ! appsink, the source live so that the pipeline plays at once.
class Pipeline {
public:
    explicit Pipeline(const std::string& grabProperties = "")
    {
        GError* error = nullptr;
        const std::string desc = "appsrc name=src is-live=true format=time ! grab name=g " + grabProperties
            + " ! appsink name=sink sync=false max-buffers=4 drop=false";
        pipeline_ = gst_parse_launch(desc.c_str(), &error);
        if (error) {
            ADD_FAILURE() << error->message;
            g_error_free(error);
        }
        src_ = gst_bin_get_by_name(GST_BIN(pipeline_), "src");
        grab_ = gst_bin_get_by_name(GST_BIN(pipeline_), "g");
        sink_ = gst_bin_get_by_name(GST_BIN(pipeline_), "sink");
    }
    ~Pipeline()
    {
        gst_element_set_state(pipeline_, GST_STATE_NULL);
        gst_object_unref(sink_);
        gst_object_unref(grab_);
        gst_object_unref(src_);
        gst_object_unref(pipeline_);
    }

    GstElement* pipeline() { return pipeline_; }
    GstElement* element() { return grab_; }
    IImageGrabber* Grabber()
    {
        IImageGrabber* g = nullptr;
        g_object_get(grab_, kGrabberProperty, &g, nullptr);
        return g;
    }

    void SetFormat(const char* format, int width, int height)
    {
        gst_video_info_set_format(&info_, gst_video_format_from_string(format), static_cast<guint>(width),
            static_cast<guint>(height));
        GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, format, "width",
            G_TYPE_INT, width, "height", G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION, 30, 1, nullptr);
        gst_app_src_set_caps(GST_APP_SRC(src_), caps);
        gst_caps_unref(caps);
    }
    bool Play(GstState state = GST_STATE_PLAYING)
    {
        gst_element_set_state(pipeline_, state);
        GstState now = GST_STATE_NULL;
        // The sink completes its change only with a first frame; the element's own state is what counts.
        const GstStateChangeReturn r = gst_element_get_state(grab_, &now, nullptr, 5 * GST_SECOND);
        if (r == GST_STATE_CHANGE_FAILURE || now != state)
            ADD_FAILURE() << "state change: " << gst_element_state_change_return_get_name(r) << ", now "
                          << gst_element_state_get_name(now);
        return r != GST_STATE_CHANGE_FAILURE && now == state;
    }
    // Pushes one frame of the current format (top-down, GStreamer's strides).
    void Push(const std::vector<std::uint8_t>& bytes)
    {
        GstBuffer* buffer = gst_buffer_new_memdup(bytes.data(), bytes.size());
        GST_BUFFER_PTS(buffer) = frames_ * GST_SECOND / 30;
        ++frames_;
        gst_app_src_push_buffer(GST_APP_SRC(src_), buffer);
    }
    std::vector<std::uint8_t> RandomFrame(unsigned seed)
    {
        std::vector<std::uint8_t> f(GST_VIDEO_INFO_SIZE(&info_));
        std::mt19937 rng(seed);
        for (auto& b : f)
            b = static_cast<std::uint8_t>(rng());
        return f;
    }
    // The next frame out of the element, empty when none came.
    std::vector<std::uint8_t> Pull()
    {
        GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink_), 3 * GST_SECOND);
        if (!sample)
            return {};
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        std::vector<std::uint8_t> out(gst_buffer_get_size(buffer));
        gst_buffer_extract(buffer, 0, out.data(), out.size());
        gst_sample_unref(sample);
        return out;
    }
    // The first error or warning on the bus within the time, as "message | debug".
    std::string Message(GstMessageType type, GstClockTime timeout = 3 * GST_SECOND)
    {
        GstBus* bus = gst_element_get_bus(pipeline_);
        GstMessage* msg = gst_bus_timed_pop_filtered(bus, timeout, type);
        gst_object_unref(bus);
        if (!msg)
            return {};
        GError* error = nullptr;
        gchar* debug = nullptr;
        if (GST_MESSAGE_TYPE(msg) == GST_MESSAGE_ERROR)
            gst_message_parse_error(msg, &error, &debug);
        else
            gst_message_parse_warning(msg, &error, &debug);
        std::string text = std::string(error ? error->message : "") + " | " + (debug ? debug : "");
        g_clear_error(&error);
        g_free(debug);
        gst_message_unref(msg);
        return text;
    }
    const GstVideoInfo& info() const { return info_; }

    // The top-down frame bytes as a bottom-up bitmap body of rowBytes-long rows.
    std::vector<std::uint8_t> BottomUp(const std::vector<std::uint8_t>& frame, std::size_t rowBytes) const
    {
        const auto h = static_cast<std::size_t>(GST_VIDEO_INFO_HEIGHT(&info_));
        const auto stride = static_cast<std::size_t>(GST_VIDEO_INFO_PLANE_STRIDE(&info_, 0));
        std::vector<std::uint8_t> out(rowBytes * h);
        for (std::size_t r = 0; r < h; ++r)
            std::memcpy(
                out.data() + r * rowBytes, frame.data() + (h - 1 - r) * stride, std::min(rowBytes, stride));
        return out;
    }

private:
    GstElement* pipeline_ = nullptr;
    GstElement* src_ = nullptr;
    GstElement* grab_ = nullptr;
    GstElement* sink_ = nullptr;
    GstVideoInfo info_ {};
    std::uint64_t frames_ = 0;
};

struct TypeCase {
    const char* format;
    bool accepted;
    std::int32_t bitCount, rgb16Kind;
};

class ElementTypes : public ::testing::TestWithParam<TypeCase> { };

TEST_P(ElementTypes, AcceptedFormatsPassAndOthersAreNotNegotiated)
{
    const TypeCase& c = GetParam();
    Pipeline p;
    IImageGrabber* g = p.Grabber();
    ASSERT_NE(g, nullptr);
    std::int32_t w = 0, h = 0, bits = 0;
    EXPECT_EQ(g->GetImageSize(&w, &h, &bits), E_FAIL);

    p.SetFormat(c.format, 10, 6);
    ASSERT_TRUE(p.Play());
    const std::vector<std::uint8_t> in = p.RandomFrame(1);
    p.Push(in);
    if (!c.accepted) {
        EXPECT_NE(p.Message(GST_MESSAGE_ERROR).find("not-negotiated"), std::string::npos);
        EXPECT_EQ(g->GetImageSize(&w, &h, &bits), E_FAIL);
        return;
    }
    const std::vector<std::uint8_t> out = p.Pull();
    EXPECT_EQ(out, in) << "no effect, no foreground: the frame passes unchanged";
    EXPECT_EQ(g->GetImageSize(&w, &h, &bits), S_OK);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(bits, c.bitCount);
    std::int32_t kind = -1, size = 0;
    g->GetRgb16Kind(&kind);
    EXPECT_EQ(kind, c.rgb16Kind);
    g->GetBufferSize(&size);
    const std::int32_t row = ((10 * c.bitCount + 31) & ~31) / 8;
    EXPECT_EQ(size, row * 6);
    BitmapInfoHeader header {};
    ASSERT_EQ(g->GetBitmapInfoHeader(&header), S_OK);
    EXPECT_EQ(header.biWidth, 10);
    EXPECT_EQ(header.biHeight, 6);
    EXPECT_EQ(header.biBitCount, c.bitCount);
    EXPECT_EQ(header.biSizeImage, static_cast<std::uint32_t>(size));
}

INSTANTIATE_TEST_SUITE_P(Formats, ElementTypes,
    ::testing::Values(TypeCase {"BGRx", true, 32, 0}, TypeCase {"BGR", true, 24, 0},
        TypeCase {"RGB16", true, 16, 1}, TypeCase {"RGB15", true, 16, 2}, TypeCase {"YUY2", false, 0, 0},
        TypeCase {"RGBA", false, 0, 0}, TypeCase {"I420", false, 0, 0}, TypeCase {"RGB", false, 0, 0}),
    [](const auto& info) { return std::string(info.param.format); });

TEST(Element, ANewFormatIsRefusedUntilStopped)
{
    Pipeline p;
    p.SetFormat("BGR", 8, 6);
    ASSERT_TRUE(p.Play());
    p.Push(p.RandomFrame(2));
    ASSERT_FALSE(p.Pull().empty());
    p.SetFormat("BGR", 16, 12);
    p.Push(p.RandomFrame(3));
    EXPECT_NE(p.Message(GST_MESSAGE_ERROR).find("not-negotiated"), std::string::npos);

    // Stopped, the new format is taken.
    ASSERT_TRUE(p.Play(GST_STATE_NULL));
    ASSERT_TRUE(p.Play());
    p.Push(p.RandomFrame(4));
    EXPECT_EQ(p.Pull().size(), 48u * 12u);
    std::int32_t w = 0, h = 0, bits = 0;
    EXPECT_EQ(p.Grabber()->GetImageSize(&w, &h, &bits), S_OK);
    EXPECT_EQ(w, 16);
}

TEST(Element, CopiesComeOutBottomUpRawAndProcessed)
{
    Pipeline p("effect=4");
    p.SetFormat("BGR", 10, 9); // rows of 30 bytes padded to 32
    ASSERT_TRUE(p.Play());
    IImageGrabber* g = p.Grabber();
    std::int32_t size = 0;
    p.Push(p.RandomFrame(5));
    ASSERT_FALSE(p.Pull().empty());
    g->GetBufferSize(&size);
    ASSERT_EQ(size, 32 * 9);

    std::vector<std::uint8_t> raw(static_cast<std::size_t>(size)), processed(raw.size());
    ASSERT_EQ(g->CopyFrame(raw.data(), 0, 0), S_OK);
    ASSERT_EQ(g->CopyFrame(processed.data(), 0, 1), S_OK);
    const std::vector<std::uint8_t> in = p.RandomFrame(6);
    p.Push(in);
    const std::vector<std::uint8_t> out = p.Pull();
    ASSERT_EQ(out.size(), in.size());
    std::int32_t done = 0;
    g->IsCopyDone(&done);
    EXPECT_EQ(done, 1);

    // Padding bytes of copies are zero.
    auto zeroPadding = [](std::vector<std::uint8_t> v) {
        for (std::size_t r = 0; r < 9; ++r)
            v[r * 32 + 30] = v[r * 32 + 31] = 0;
        return v;
    };
    EXPECT_EQ(raw, zeroPadding(p.BottomUp(in, 32)));
    EXPECT_EQ(processed, zeroPadding(p.BottomUp(out, 32)));
    // The reflection works in the picture's bottom-up terms: the bottom three
    // rows of the picture show the rows above the two-row gap, upside down.
    for (std::size_t t = 0; t < 3; ++t) // picture rows from the top: 6, 7, 8 take 5, 4, 3
        EXPECT_EQ(0, std::memcmp(out.data() + (8 - t) * 32, in.data() + (1 + t) * 32, 30)) << "row " << t;
}

TEST(Element, CopyFrameFailsWhilePausedAndWhenThePipelineStops)
{
    Pipeline p;
    p.SetFormat("BGR", 8, 6);
    ASSERT_TRUE(p.Play(GST_STATE_PAUSED));
    IImageGrabber* g = p.Grabber();
    std::vector<std::uint8_t> buf(24 * 6, 0xAA);
    EXPECT_EQ(g->CopyFrame(buf.data(), 1, 0), E_FAIL);

    ASSERT_TRUE(p.Play());
    p.Push(p.RandomFrame(7));
    ASSERT_FALSE(p.Pull().empty());
    // A waiting copy with no frame coming is released when the pipeline stops.
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        gst_element_set_state(p.pipeline(), GST_STATE_NULL);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(g->CopyFrame(buf.data(), 1, 1), E_FAIL);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kFrameWaitLimitMs));
    stopper.join();
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0));
}

TEST(Element, AddRefKeepsTheElementAlive)
{
    GstElement* e = gst_element_factory_make(kElementFactoryName, nullptr);
    ASSERT_NE(e, nullptr);
    gst_object_ref_sink(e);
    IImageGrabber* g = nullptr;
    g_object_get(e, kGrabberProperty, &g, nullptr);
    ASSERT_NE(g, nullptr);
    void* q = nullptr;
    ASSERT_EQ(g->QueryInterface(IID_IImageGrabber, &q), S_OK); // adds a reference
    EXPECT_EQ(q, g);
    bool finalized = false;
    g_object_weak_ref(
        G_OBJECT(e), [](gpointer flag, GObject*) { *static_cast<bool*>(flag) = true; }, &finalized);
    gst_object_unref(e);
    EXPECT_FALSE(finalized);
    std::int32_t kind = -1;
    EXPECT_EQ(g->GetRgb16Kind(&kind), S_OK);
    g->Release();
    EXPECT_TRUE(finalized);
}

TEST(Element, ForegroundNamedBeforeTheFormatIsFittedWhenItArrives)
{
    testing::TempDir dir;
    std::vector<std::uint8_t> rgba(8 * 6 * 4);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = 250;
        rgba[i + 1] = 120;
        rgba[i + 2] = 10;
        rgba[i + 3] = 255;
    }
    testing::WritePng(dir / "f.png", 8, 6, testing::PngKind::Rgba, 8, rgba);
    Pipeline p("merge-fore=true fore-location=" + (dir / "f.png").string());
    p.SetFormat("BGRx", 16, 12);
    ASSERT_TRUE(p.Play());
    p.Push(p.RandomFrame(8));
    const std::vector<std::uint8_t> out = p.Pull();
    ASSERT_EQ(out.size(), 16u * 12u * 4u);
    for (std::size_t i = 0; i < out.size(); i += 4) {
        ASSERT_EQ(out[i], 10);
        ASSERT_EQ(out[i + 1], 120);
        ASSERT_EQ(out[i + 2], 250);
    }
    gboolean merge = FALSE;
    g_object_get(p.element(), "merge-fore", &merge, nullptr);
    EXPECT_TRUE(merge);

    // A file that cannot be used is reported and leaves merging off.
    testing::WriteFile(dir / "bad.png", {1, 2, 3});
    g_object_set(p.element(), "fore-location", (dir / "bad.png").c_str(), nullptr);
    EXPECT_NE(p.Message(GST_MESSAGE_WARNING).find("bad.png"), std::string::npos);
    g_object_get(p.element(), "merge-fore", &merge, nullptr);
    EXPECT_FALSE(merge);
}

TEST(Element, TakingImageProperties)
{
    const int W = 8, H = 4; // 24-byte rows
    testing::TempDir dir;
    std::vector<std::uint8_t> picture(static_cast<std::size_t>(Stride24(W) * H));
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint8_t>(i);
    std::vector<std::uint8_t> file = picture;
    ToggleTakingImage(file.data(), file.size());
    testing::WriteFile(dir / "take.dat", file);

    Pipeline p("taking=true taking-mirror=true taking-location=" + (dir / "take.dat").string());
    p.SetFormat("BGR", W, H);
    ASSERT_TRUE(p.Play());
    p.Push(p.RandomFrame(9));
    const std::vector<std::uint8_t> out = p.Pull();
    ASSERT_EQ(out.size(), picture.size());
    // Bottom-up picture rows, each but the top one mirrored; the frame holds them top-down.
    for (int r = 0; r < H; ++r)
        for (int c = 0; c < W; ++c) {
            const int from = r < H - 1 ? W - 1 - c : c;
            ASSERT_EQ(
                0, std::memcmp(out.data() + (H - 1 - r) * 24 + c * 3, picture.data() + r * 24 + from * 3, 3))
                << "(" << r << ", " << c << ")";
        }
}

} // namespace
} // namespace grab
