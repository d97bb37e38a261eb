// Reading the foreground PNG file with libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grab {

struct PngPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels; // rows top-down, 4 * width bytes each
};

// Largest side of a foreground PNG accepted.
inline constexpr std::uint32_t kMaxPngSide = 8192;

// Reads a truecolour-with-alpha picture as stored, 4 bytes Red, Green, Blue,
// Alpha a pixel (16-bit channels are reduced to 8 bits), no other
// conversion. False with a reason on failure, and for any other colour type.
bool ReadPng(const char* path, PngPicture& out, std::string* error);

} // namespace grab
