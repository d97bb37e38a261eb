// Helpers shared by Grab's tests and benchmarks: frames in memory, PNG and
// raw files on disk.
#pragma once

#include "frameview.h"
#include "imagegrabber.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace grab::testing {

// A frame held bottom-up (buffer row 0 first) in rowBytes-long rows; View()
// can present the same picture from top-down memory as GStreamer does.
class TestFrame {
public:
    TestFrame(std::int32_t width, std::int32_t height, SubType type, std::int32_t padding = -1);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    SubType type() const { return type_; }
    std::int32_t rowBytes() const { return rowBytes_; }
    int pixelBytes() const { return BytesPerPixel(type_); }

    // Pixel (r, c) in buffer rows, whichever memory order is in use.
    std::uint8_t* At(std::int32_t r, std::int32_t c);
    const std::uint8_t* At(std::int32_t r, std::int32_t c) const;
    // The view of the frame; topDown keeps the memory top-row-first.
    FrameView View();
    void SetTopDown(bool topDown) { topDown_ = topDown; }

    void FillRandom(std::mt19937& rng);
    void Fill(std::uint8_t b, std::uint8_t g, std::uint8_t r);
    // The frame as a bottom-up bitmap body of rowBytes-long rows.
    std::vector<std::uint8_t> BottomUpBytes() const;
    std::vector<std::uint8_t>& memory() { return data_; }
    const std::vector<std::uint8_t>& memory() const { return data_; }

private:
    std::int32_t MemRow(std::int32_t r) const { return topDown_ ? height_ - 1 - r : r; }
    std::int32_t width_, height_;
    SubType type_;
    std::int32_t rowBytes_;
    bool topDown_ = false;
    std::vector<std::uint8_t> data_;
};

// PNG colour types for WritePng.
enum class PngKind { Rgba, Rgb, GreyAlpha, Palette };

// Writes a PNG from top-down rows. pixels holds width * height * channels
// samples of bitDepth bits (16-bit samples as two bytes, high byte first);
// for Palette it holds 8-bit indices into a 256-grey palette.
void WritePng(const std::filesystem::path& path, std::int32_t width, std::int32_t height, PngKind kind,
    int bitDepth, const std::vector<std::uint8_t>& pixels);

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder below the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// RGBA pictures for the foreground, top-down rows.
// A decorative frame: an opaque border band with a soft inner edge around a
// fully transparent middle.
std::vector<std::uint8_t> DecorativeFrameRgba(std::int32_t width, std::int32_t height);
// Every pixel partly transparent.
std::vector<std::uint8_t> VeiledRgba(std::int32_t width, std::int32_t height);

} // namespace grab::testing
