// Frame copies: raw and processed requests, their consumption, line
// doubling, and the bounded waits.
#include "grabcore.h"
#include "grabtesting.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace grab {
namespace {

using testing::TestFrame;
using Clock = std::chrono::steady_clock;

// Feeds a frame to the core every 2 ms from a streaming thread of its own.
class Streamer {
public:
    Streamer(GrabCore& core, TestFrame& frame)
        : thread_([this, &core, &frame] {
            while (!stop_.load()) {
                {
                    std::lock_guard lock(frameLock);
                    core.ProcessFrame(frame.View());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        })
    {
    }
    ~Streamer()
    {
        stop_.store(true);
        thread_.join();
    }
    std::mutex frameLock;

private:
    std::atomic<bool> stop_ {false};
    std::thread thread_;
};

struct Running {
    explicit Running(GrabCore::Options o = {})
        : core(o)
    {
    }
    GrabCore core;
    bool Start(std::int32_t w, std::int32_t h, SubType t = SubType::Rgb24)
    {
        if (!core.SetFormat(w, h, t))
            return false;
        core.SetRunning(true);
        return true;
    }
};

TEST(CopyFrame, RefusedAtOnceWhenNotPlayingOrNotConnected)
{
    GrabCore core;
    std::vector<std::uint8_t> buf(64 * 48 * 3, 0xAA);
    // Not connected.
    core.SetRunning(true);
    EXPECT_EQ(core.CopyFrame(buf.data(), 1, 0), E_FAIL);
    // Connected but paused: fails without waiting, the buffer zeroed.
    core.SetRunning(false);
    ASSERT_TRUE(core.SetFormat(64, 48, SubType::Rgb24));
    const auto start = Clock::now();
    EXPECT_EQ(core.CopyFrame(buf.data(), 1, 1), E_FAIL);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0));
    std::int32_t done = 0;
    EXPECT_EQ(core.IsCopyDone(&done), S_OK);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(core.CopyFrame(nullptr, 0, 0), E_FAIL);
}

TEST(CopyFrame, RawBeforeEffectAndForegroundProcessedAfter)
{
    Running r;
    ASSERT_TRUE(r.Start(16, 9));
    // A fully opaque foreground changes every pixel it covers.
    testing::TempDir dir;
    std::vector<std::uint8_t> fore(16 * 12 * 4, 255);
    for (std::size_t i = 0; i < fore.size(); i += 4)
        fore[i] = 7; // red 7 over the whole frame
    testing::WritePng(dir / "f.png", 16, 12, testing::PngKind::Rgba, 8, fore);
    ASSERT_EQ(r.core.LoadFore((dir / "f.png").c_str(), false), S_OK);
    r.core.SetMergeFore(1);
    r.core.SetSpecialEffect(kEffectReflection);

    TestFrame frame(16, 9, SubType::Rgb24);
    frame.SetTopDown(true); // as GStreamer holds it: copies still come out bottom-up
    std::mt19937 rng(1);
    frame.FillRandom(rng);
    const std::vector<std::uint8_t> before = frame.BottomUpBytes();

    std::int32_t size = 0;
    r.core.GetBufferSize(&size);
    ASSERT_EQ(size, 48 * 9);
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(size)), processed(raw.size());
    EXPECT_EQ(r.core.CopyFrame(raw.data(), 0, 0), S_OK);
    EXPECT_EQ(r.core.CopyFrame(processed.data(), 0, 1), S_OK);
    std::int32_t done = 1;
    r.core.IsCopyDone(&done);
    EXPECT_EQ(done, 0);
    r.core.ProcessFrame(frame.View());
    r.core.IsCopyDone(&done);
    EXPECT_EQ(done, 1);

    EXPECT_EQ(raw, before);
    EXPECT_EQ(processed, frame.BottomUpBytes());
    EXPECT_NE(processed, before);
    for (std::int32_t c = 0; c < 16; ++c)
        EXPECT_EQ(processed[static_cast<std::size_t>(c) * 3 + 2], 7);

    // Each request is served by exactly one frame.
    frame.Fill(1, 2, 3);
    r.core.ProcessFrame(frame.View());
    EXPECT_EQ(raw, before);
}

TEST(CopyFrame, CancelAndStopDropRequests)
{
    Running r;
    ASSERT_TRUE(r.Start(8, 4));
    TestFrame frame(8, 4, SubType::Rgb24);
    frame.Fill(9, 9, 9);
    std::vector<std::uint8_t> buf(8 * 3 * 4, 0xAA);
    r.core.CopyFrame(buf.data(), 0, 1);
    EXPECT_EQ(r.core.CancelCopy(), S_OK);
    std::int32_t done = 0;
    r.core.IsCopyDone(&done);
    EXPECT_EQ(done, 1);
    r.core.ProcessFrame(frame.View());
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0xAA));

    // Requests still pending when streaming stops are dropped.
    std::vector<std::uint8_t> raw(buf.size(), 0xAA);
    r.core.CopyFrame(raw.data(), 0, 0);
    r.core.CopyFrame(buf.data(), 0, 1);
    r.core.ClearFormat();
    ASSERT_TRUE(r.core.SetFormat(8, 4, SubType::Rgb24));
    r.core.ProcessFrame(frame.View());
    EXPECT_EQ(raw, std::vector<std::uint8_t>(raw.size(), 0xAA));
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0xAA));
}

struct DoublingCase {
    std::int32_t height;
    bool doubled;
};

class LineDoublingTest : public ::testing::TestWithParam<DoublingCase> { };

TEST_P(LineDoublingTest, OnlyCopiesOfTallFramesAreDoubled)
{
    const auto [height, doubled] = GetParam();
    Running r;
    ASSERT_TRUE(r.Start(5, height)); // 15-byte pixels, rows of 16 bytes
    r.core.SetLineDoubling(1);
    TestFrame frame(5, height, SubType::Rgb24);
    std::mt19937 rng(static_cast<unsigned>(height));
    frame.FillRandom(rng);
    const std::vector<std::uint8_t> before = frame.BottomUpBytes();
    std::vector<std::uint8_t> raw(before.size()), processed(before.size());
    r.core.CopyFrame(raw.data(), 0, 0);
    r.core.CopyFrame(processed.data(), 0, 1);
    r.core.ProcessFrame(frame.View());
    EXPECT_EQ(frame.BottomUpBytes(), before) << "the frame itself is never doubled";

    std::vector<std::uint8_t> expected = before;
    const std::size_t row = 16;
    for (std::size_t r2 = 0; r2 < static_cast<std::size_t>(height); ++r2) {
        // Padding bytes of a copy are zero.
        std::memset(expected.data() + r2 * row + 15, 0, 1);
        if (doubled && r2 % 2 == 1)
            std::memcpy(expected.data() + r2 * row, expected.data() + (r2 - 1) * row, row);
    }
    EXPECT_EQ(raw, expected);
    EXPECT_EQ(processed, expected);
}

INSTANTIATE_TEST_SUITE_P(Heights, LineDoublingTest,
    ::testing::Values(DoublingCase {240, false}, DoublingCase {360, false}, DoublingCase {361, true},
        DoublingCase {480, true}));

TEST(CopyFrame, WaitingCopyIsFilledByTheStreamingThread)
{
    Running r;
    ASSERT_TRUE(r.Start(32, 24));
    TestFrame frame(32, 24, SubType::Rgb24);
    std::mt19937 rng(2);
    frame.FillRandom(rng);
    Streamer s(r.core, frame);
    std::vector<std::uint8_t> buf(frame.memory().size());
    EXPECT_EQ(r.core.CopyFrame(buf.data(), 1, 1), S_OK);
    EXPECT_EQ(buf, frame.BottomUpBytes());
    EXPECT_EQ(r.core.CopyFrame(buf.data(), 1, 0), S_OK);
    EXPECT_EQ(buf, frame.BottomUpBytes());
}

// A wait that cannot be served ends in bounded time with a zeroed buffer
// and no request left behind for a later frame to write into.
TEST(CopyFrame, WaitEndsWhileTaking)
{
    Running r;
    ASSERT_TRUE(r.Start(32, 24));
    TestFrame frame(32, 24, SubType::Rgb24);
    frame.Fill(5, 6, 7);
    r.core.SetIsTaking(1);
    std::vector<std::uint8_t> buf(frame.memory().size(), 0xAA);
    {
        Streamer s(r.core, frame);
        EXPECT_EQ(r.core.CopyFrame(buf.data(), 1, 0), E_FAIL);
        EXPECT_EQ(r.core.CopyFrame(buf.data(), 1, 1), E_FAIL);
    }
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0));
    r.core.SetIsTaking(0);
    r.core.ProcessFrame(frame.View());
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0));
    std::int32_t done = 0;
    r.core.IsCopyDone(&done);
    EXPECT_EQ(done, 1);
}

TEST(CopyFrame, WaitEndsWhenFramesStopOrPlayingEnds)
{
    GrabCore::Options o;
    o.frameWaitLimitMs = 50;
    Running r(o);
    ASSERT_TRUE(r.Start(8, 8));
    std::vector<std::uint8_t> buf(8 * 3 * 8, 0xAA);
    // No frame arrives.
    EXPECT_EQ(r.core.CopyFrame(buf.data(), 1, 0), E_FAIL);
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0));

    // Playing ends while a wait is under way.
    std::fill(buf.begin(), buf.end(), 0xAA);
    GrabCore::Options patient;
    patient.frameWaitLimitMs = 60'000;
    Running p(patient);
    ASSERT_TRUE(p.Start(8, 8));
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        p.core.SetRunning(false);
    });
    EXPECT_EQ(p.core.CopyFrame(buf.data(), 1, 1), E_FAIL);
    stopper.join();
    EXPECT_EQ(buf, std::vector<std::uint8_t>(buf.size(), 0));
}

// The pending copy keeps the size it was asked with: a larger format
// negotiated before the next frame does not overrun the buffer.
TEST(CopyFrame, PendingCopyKeepsItsSizeAcrossAFormatChange)
{
    Running r;
    ASSERT_TRUE(r.Start(8, 8));
    std::vector<std::uint8_t> buf(8 * 3 * 8);
    r.core.CopyFrame(buf.data(), 0, 0);
    ASSERT_TRUE(r.core.SetFormat(64, 64, SubType::Rgb32));
    TestFrame big(64, 64, SubType::Rgb32);
    std::mt19937 rng(3);
    big.FillRandom(rng);
    r.core.ProcessFrame(big.View());
    EXPECT_EQ(0, std::memcmp(buf.data(), big.At(0, 0), 24));
}

} // namespace
} // namespace grab
