// The inner loops of the per-frame work, in a scalar form (the reference)
// and in SIMD forms picked once at start from what the processor offers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace grab {

// The foreground blend of one byte: t = f*A + b*(255 - A) + 128, result
// (t + t/256) / 256. It gives b exactly for A = 0 and f exactly for A = 255.
constexpr std::uint8_t BlendByte(std::uint32_t f, std::uint32_t a, std::uint32_t b)
{
    const std::uint32_t t = f * a + b * (255u - a) + 128u;
    return static_cast<std::uint8_t>((t + t / 256u) / 256u);
}

struct PixelKernels {
    const char* name;
    // dst[k] = BlendByte(fore[k], alpha[k], dst[k]) for k < n.
    void (*blend)(const std::uint8_t* fore, const std::uint8_t* alpha, std::uint8_t* dst, std::size_t n);
    // Pixel j of src (pixelBytes bytes each, 2 to 4) goes to pixel n - 1 - j of
    // dst, for j < n. src and dst must not overlap.
    void (*reverse)(const std::uint8_t* src, std::uint8_t* dst, std::size_t n, int pixelBytes);
};

const PixelKernels& ScalarKernels();
// The fastest kernels this processor runs.
const PixelKernels& BestKernels();

} // namespace grab
