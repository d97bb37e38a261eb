// Choices the pipeline build makes from what a camera offers: the capture
// format (by sub-type rank) and the analogue video standard (by family).
// Pure functions over plain lists so that the rules can be checked without
// a device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace capture {

// Sub-types a capture format can have, named as the control's host knows
// them. Anything else (MJPG, I420, NV12, ...) is Other.
enum class Subtype { RGB32, RGB24, RGB565, RGB555, YUY2, UYVY, Other };

// Rank of a sub-type: RGB32 0, RGB24 1, RGB565 2, RGB555 3, YUY2 4, UYVY 5,
// anything else 6.
int subtypeRank(Subtype s);

// One offered capability. `valid` is false for a capability the device
// could not describe; such entries are skipped.
struct Capability {
    Subtype subtype = Subtype::Other;
    bool valid = true;
};

// Index of the capability to use: the lowest rank below 6, the lowest index
// among equals. -1 when none ranks below 6: the device's current format
// stays in force.
int chooseCapability(const std::vector<Capability>& caps);

// Sub-type of a media description given by its media type and its
// "format" field (video/x-raw + BGR is RGB24, image/jpeg is Other, ...).
Subtype subtypeOf(const std::string& mediaType, const std::string& format);
// The video/x-raw format name of an RGB sub-type ("BGRx", "BGR", "RGB16",
// "RGB15"); empty for the others.
const char* rawFormatOf(Subtype s);

// Analogue video standards, with the host platform's bit values.
enum class AnalogStandard : std::uint32_t {
    None = 0,
    NTSC_M = 0x00000001,
    NTSC_M_J = 0x00000002,
    NTSC_433 = 0x00000004,
    PAL_B = 0x00000010,
    PAL_D = 0x00000020,
    PAL_G = 0x00000040,
    PAL_H = 0x00000080,
    PAL_I = 0x00000100,
    PAL_M = 0x00000200,
    PAL_N = 0x00000400,
    PAL_60 = 0x00000800,
    SECAM_B = 0x00001000,
    SECAM_D = 0x00002000,
    SECAM_G = 0x00004000,
    SECAM_H = 0x00008000,
    SECAM_K = 0x00010000,
    SECAM_K1 = 0x00020000,
    SECAM_L = 0x00040000,
    SECAM_L1 = 0x00080000,
    PAL_N_COMBO = 0x00100000,
};

// VideoFormat families.
enum VideoFormatFamily : std::int32_t { VideoFormatNTSC = 0, VideoFormatPAL = 1, VideoFormatSECAM = 2 };

// The standard to apply for a VideoFormat given the device's available
// standards (a bit set of AnalogStandard values): the first available of the
// family's preference list, else the list's last entry; None for a value
// outside 0..2.
AnalogStandard chooseStandard(std::int32_t videoFormat, std::uint32_t available);

// The same standard as a V4L2 standard id (0 for None).
std::uint64_t v4l2StandardOf(AnalogStandard s);
// The AnalogStandard bits covered by a V4L2 standard id set.
std::uint32_t analogStandardsOfV4l2(std::uint64_t v4l2Ids);

} // namespace capture
