// The bitmap file a still capture writes: a 14-byte file header, the
// connection's 40-byte bitmap info header as the filter reports it, then
// the frame copy byte for byte. No palette.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace capture {

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

// File header for a frame of `frameSize` bytes: "BM", file size
// frameSize + 54, two reserved zero words, pixel data offset 54.
std::array<std::uint8_t, kBitmapFileHeaderSize> bitmapFileHeader(std::uint32_t frameSize);

enum class BitmapWriteResult { Written, CannotCreate, CannotWrite };

// Writes the file at `path`, replacing an existing one. On failure nothing
// is left behind and an existing file keeps its old content.
BitmapWriteResult writeBitmapFile(
    const QString& path, const std::uint8_t* infoHeader, const std::uint8_t* frame, std::size_t frameSize);

} // namespace capture
