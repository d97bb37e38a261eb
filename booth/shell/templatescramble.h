#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace kf {

// Template pictures are stored with their first bytes scrambled so that they
// cannot be lifted from the installation as plain pictures. Byte i of the
// first kTemplateScrambleLength bytes is XORed with templateKeyByte(i); every
// byte after them is stored plain. XOR makes the operation its own inverse.
inline constexpr int kTemplateScrambleLength = 97;

// Key byte for offset i (0 <= i < kTemplateScrambleLength), derived from the
// offset alone:
//   x = (i * 0x9E3779B1 + 0x5BD1E995) mod 2^32
//   x = x XOR (x >> 15)
//   x = (x * 0x2C1B3C6D) mod 2^32
//   key = (x >> 11) AND 0xFF
constexpr std::uint8_t templateKeyByte(int offset)
{
    std::uint32_t x = static_cast<std::uint32_t>(offset) * 0x9E3779B1u + 0x5BD1E995u;
    x ^= x >> 15;
    x *= 0x2C1B3C6Du;
    return static_cast<std::uint8_t>((x >> 11) & 0xFFu);
}

// Scrambles a plain template or unscrambles a scrambled one, in place in
// memory. Buffers shorter than kTemplateScrambleLength are left unchanged.
void toggleTemplateBytes(std::uint8_t* data, std::size_t size);

// ToggleTemplate: the same on the file at path, in place; the file keeps its
// length. Files shorter than kTemplateScrambleLength bytes are untouched.
// Returns false when the file cannot be read or written back (it is then
// unchanged).
bool toggleTemplate(const QString& path);

} // namespace kf
