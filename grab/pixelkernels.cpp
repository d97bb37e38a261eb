#include "pixelkernels.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define GRAB_X86 1
#endif

namespace grab {
namespace {

void BlendScalar(const std::uint8_t* f, const std::uint8_t* a, std::uint8_t* d, std::size_t n)
{
    for (std::size_t k = 0; k < n; ++k)
        d[k] = BlendByte(f[k], a[k], d[k]);
}

void ReverseScalar(const std::uint8_t* src, std::uint8_t* dst, std::size_t n, int pixelBytes)
{
    const std::size_t p = static_cast<std::size_t>(pixelBytes);
    std::uint8_t* out = dst + (n - 1) * p;
    for (std::size_t j = 0; j < n; ++j, src += p, out -= p)
        std::memcpy(out, src, p);
}

#ifdef GRAB_X86

// 16 lanes of the blend in 16-bit arithmetic: every intermediate fits.
__attribute__((target("sse2"))) inline __m128i Blend16(__m128i f, __m128i a, __m128i d)
{
    const __m128i c255 = _mm_set1_epi16(255);
    const __m128i c128 = _mm_set1_epi16(128);
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(f, a), _mm_mullo_epi16(d, _mm_sub_epi16(c255, a)));
    t = _mm_add_epi16(t, c128);
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

__attribute__((target("sse2"))) inline __m128i Blend16Bytes(__m128i fv, __m128i av, __m128i dv)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo
        = Blend16(_mm_unpacklo_epi8(fv, zero), _mm_unpacklo_epi8(av, zero), _mm_unpacklo_epi8(dv, zero));
    const __m128i hi
        = Blend16(_mm_unpackhi_epi8(fv, zero), _mm_unpackhi_epi8(av, zero), _mm_unpackhi_epi8(dv, zero));
    return _mm_packus_epi16(lo, hi);
}

__attribute__((target("sse2"))) inline __m128i Load16Bytes(const std::uint8_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Fewer than 16 bytes: through a 16-byte scratch vector, so that no byte
// outside the span is read or written.
__attribute__((target("sse2"))) void BlendShortSse2(
    const std::uint8_t* f, const std::uint8_t* a, std::uint8_t* d, std::size_t n)
{
    alignas(16) std::uint8_t tf[16] = {}, ta[16] = {}, td[16] = {};
    std::memcpy(tf, f, n);
    std::memcpy(ta, a, n);
    std::memcpy(td, d, n);
    _mm_store_si128(
        reinterpret_cast<__m128i*>(td), Blend16Bytes(Load16Bytes(tf), Load16Bytes(ta), Load16Bytes(td)));
    std::memcpy(d, td, n);
}

// Spans of 16 bytes or more end with one vector over their last 16 bytes,
// computed from the bytes as they were before the span was touched (the
// blend cannot be applied twice), and stored last.
__attribute__((target("sse2"))) void BlendSse2(
    const std::uint8_t* f, const std::uint8_t* a, std::uint8_t* d, std::size_t n)
{
    if (n < 16) {
        BlendShortSse2(f, a, d, n);
        return;
    }
    const std::size_t last = n - 16;
    const __m128i tail = Blend16Bytes(Load16Bytes(f + last), Load16Bytes(a + last), Load16Bytes(d + last));
    for (std::size_t k = 0; k < last; k += 16)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k),
            Blend16Bytes(Load16Bytes(f + k), Load16Bytes(a + k), Load16Bytes(d + k)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + last), tail);
}

// With f and b biased to signed bytes (f - 128, b - 128) one multiply-add of
// the pairs (A, 255 - A) and (f - 128, b - 128) gives
// f*A + b*(255 - A) - 128*255, which fits 16 signed bits; adding
// 128*255 + 128 = 32768 (flipping the top bit) makes t of the blend.
__attribute__((target("avx2"))) inline __m256i Blend32Bytes(
    const std::uint8_t* f, const std::uint8_t* a, const std::uint8_t* d)
{
    const __m256i bias = _mm256_set1_epi8(static_cast<char>(0x80));
    const __m256i top = _mm256_set1_epi16(static_cast<short>(0x8000));
    const __m256i fv = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(f)), bias);
    const __m256i dv = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(d)), bias);
    const __m256i av = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
    const __m256i bv = _mm256_sub_epi8(_mm256_set1_epi8(static_cast<char>(0xFF)), av);
    // Unpacking and packing both work within 128-bit lanes, so bytes come
    // back in their own order.
    __m256i lo = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(av, bv), _mm256_unpacklo_epi8(fv, dv));
    __m256i hi = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(av, bv), _mm256_unpackhi_epi8(fv, dv));
    lo = _mm256_xor_si256(lo, top);
    hi = _mm256_xor_si256(hi, top);
    lo = _mm256_srli_epi16(_mm256_add_epi16(lo, _mm256_srli_epi16(lo, 8)), 8);
    hi = _mm256_srli_epi16(_mm256_add_epi16(hi, _mm256_srli_epi16(hi, 8)), 8);
    return _mm256_packus_epi16(lo, hi);
}

__attribute__((target("avx2"))) void BlendAvx2(
    const std::uint8_t* f, const std::uint8_t* a, std::uint8_t* d, std::size_t n)
{
    if (n < 32) {
        BlendSse2(f, a, d, n);
        return;
    }
    const std::size_t last = n - 32;
    const __m256i tail = Blend32Bytes(f + last, a + last, d + last);
    for (std::size_t k = 0; k < last; k += 32)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + k), Blend32Bytes(f + k, a + k, d + k));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + last), tail);
}

// Shuffle masks that reverse 16 pixels of 3 bytes held in three 16-byte
// vectors: output vector v takes from input vector u the bytes mask[v][u]
// names (0x80 = none).
struct Reverse3Masks {
    std::uint8_t m[3][3][16];
};

constexpr Reverse3Masks MakeReverse3Masks()
{
    Reverse3Masks r {};
    for (int v = 0; v < 3; ++v)
        for (int u = 0; u < 3; ++u)
            for (int b = 0; b < 16; ++b) {
                const int k = 16 * v + b; // output byte
                const int s = (15 - k / 3) * 3 + k % 3; // source byte
                r.m[v][u][b] = static_cast<std::uint8_t>(s / 16 == u ? s % 16 : 0x80);
            }
    return r;
}

constexpr Reverse3Masks kReverse3 = MakeReverse3Masks();

__attribute__((target("ssse3"))) void ReverseSsse3(
    const std::uint8_t* src, std::uint8_t* dst, std::size_t n, int pixelBytes)
{
    std::size_t j = 0;
    if (pixelBytes == 3) {
        __m128i m[3][3];
        for (int v = 0; v < 3; ++v)
            for (int u = 0; u < 3; ++u)
                m[v][u] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kReverse3.m[v][u]));
        for (; j + 16 <= n; j += 16) {
            const std::uint8_t* s = src + 3 * j;
            std::uint8_t* o = dst + 3 * (n - j - 16);
            const __m128i in0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
            const __m128i in1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
            const __m128i in2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 32));
            // Output 0 draws on inputs 1 and 2, output 1 on all three, output 2 on 0 and 1.
            const __m128i out0 = _mm_or_si128(_mm_shuffle_epi8(in1, m[0][1]), _mm_shuffle_epi8(in2, m[0][2]));
            const __m128i out1
                = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(in0, m[1][0]), _mm_shuffle_epi8(in1, m[1][1])),
                    _mm_shuffle_epi8(in2, m[1][2]));
            const __m128i out2 = _mm_or_si128(_mm_shuffle_epi8(in0, m[2][0]), _mm_shuffle_epi8(in1, m[2][1]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), out0);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), out1);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 32), out2);
        }
    } else if (pixelBytes == 4) {
        for (; j + 4 <= n; j += 4) {
            const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * j));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * (n - j - 4)),
                _mm_shuffle_epi32(in, _MM_SHUFFLE(0, 1, 2, 3)));
        }
    } else if (pixelBytes == 2) {
        const __m128i m = _mm_setr_epi8(14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1);
        for (; j + 8 <= n; j += 8) {
            const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * j));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 2 * (n - j - 8)), _mm_shuffle_epi8(in, m));
        }
    }
    // The rest: pixels j .. n-1 of src go to pixels n-1-j .. 0 of dst.
    if (j < n)
        ReverseScalar(src + j * static_cast<std::size_t>(pixelBytes), dst, n - j, pixelBytes);
}

#endif // GRAB_X86

const PixelKernels kScalar {"scalar", BlendScalar, ReverseScalar};

PixelKernels PickBest()
{
#ifdef GRAB_X86
    __builtin_cpu_init();
    PixelKernels k {"sse2", BlendSse2, ReverseScalar};
    if (__builtin_cpu_supports("ssse3")) {
        k.reverse = ReverseSsse3;
        k.name = "ssse3";
    }
    if (__builtin_cpu_supports("avx2")) {
        k.blend = BlendAvx2;
        k.name = "avx2";
    }
    return k;
#else
    return kScalar;
#endif
}

} // namespace

const PixelKernels& ScalarKernels()
{
    return kScalar;
}

const PixelKernels& BestKernels()
{
    static const PixelKernels best = PickBest();
    return best;
}

} // namespace grab
