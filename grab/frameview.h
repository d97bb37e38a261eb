// A view of one video frame in the filter's own row terms: buffer row 0 is
// the bottom row of the picture, row r starts at base + r * stride. A frame
// stored top-down (as GStreamer stores it) is viewed with base at its last
// row and a negative stride, so every rule below is written once, in
// bottom-up terms, and copies come out bottom-up, ready for a bitmap file.
#pragma once

#include "imagegrabber.h"

#include <cstddef>
#include <cstdint>

namespace grab {

constexpr int BytesPerPixel(SubType t)
{
    switch (t) {
    case SubType::Rgb32:
        return 4;
    case SubType::Rgb24:
        return 3;
    case SubType::Rgb565:
    case SubType::Rgb555:
        return 2;
    }
    return 3;
}

constexpr int BitCount(SubType t)
{
    return BytesPerPixel(t) * 8;
}

struct FrameView {
    std::uint8_t* base = nullptr; // buffer row 0, the bottom row of the picture
    std::ptrdiff_t stride = 0; // bytes from buffer row r to row r + 1
    std::int32_t width = 0;
    std::int32_t height = 0;
    SubType subType = SubType::Rgb24;

    std::uint8_t* Row(std::int32_t r) const { return base + static_cast<std::ptrdiff_t>(r) * stride; }
    int PixelBytes() const { return BytesPerPixel(subType); }
    // Usable bytes of one row: the pixels, or the whole stride if that is smaller.
    std::size_t RowBytes() const
    {
        const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(PixelBytes());
        const std::size_t s = static_cast<std::size_t>(stride < 0 ? -stride : stride);
        return pixels < s ? pixels : s;
    }

    // A view over memory that holds the picture's top row first (row_bytes
    // apart), as GStreamer video frames do.
    static FrameView TopDown(
        std::uint8_t* data, std::ptrdiff_t rowBytes, std::int32_t w, std::int32_t h, SubType t)
    {
        FrameView v;
        v.base = h > 0 ? data + static_cast<std::ptrdiff_t>(h - 1) * rowBytes : data;
        v.stride = -rowBytes;
        v.width = w;
        v.height = h;
        v.subType = t;
        return v;
    }
    // A view over memory that holds the picture's bottom row first.
    static FrameView BottomUp(
        std::uint8_t* data, std::ptrdiff_t rowBytes, std::int32_t w, std::int32_t h, SubType t)
    {
        FrameView v;
        v.base = data;
        v.stride = rowBytes;
        v.width = w;
        v.height = h;
        v.subType = t;
        return v;
    }
};

} // namespace grab
