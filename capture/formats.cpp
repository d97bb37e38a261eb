#include "formats.h"

#include <array>
#include <utility>

namespace capture {

int subtypeRank(Subtype s)
{
    switch (s) {
    case Subtype::RGB32:
        return 0;
    case Subtype::RGB24:
        return 1;
    case Subtype::RGB565:
        return 2;
    case Subtype::RGB555:
        return 3;
    case Subtype::YUY2:
        return 4;
    case Subtype::UYVY:
        return 5;
    case Subtype::Other:
        break;
    }
    return 6;
}

int chooseCapability(const std::vector<Capability>& caps)
{
    int best = -1;
    int bestRank = 6;
    for (std::size_t i = 0; i < caps.size(); ++i) {
        if (!caps[i].valid)
            continue;
        const int r = subtypeRank(caps[i].subtype);
        if (r < bestRank) {
            bestRank = r;
            best = static_cast<int>(i);
        }
    }
    return best;
}

Subtype subtypeOf(const std::string& mediaType, const std::string& format)
{
    if (mediaType != "video/x-raw")
        return Subtype::Other;
    static const std::array<std::pair<const char*, Subtype>, 6> names {{
        {"BGRx", Subtype::RGB32},
        {"BGR", Subtype::RGB24},
        {"RGB16", Subtype::RGB565},
        {"RGB15", Subtype::RGB555},
        {"YUY2", Subtype::YUY2},
        {"UYVY", Subtype::UYVY},
    }};
    for (const auto& [name, s] : names)
        if (format == name)
            return s;
    return Subtype::Other;
}

const char* rawFormatOf(Subtype s)
{
    switch (s) {
    case Subtype::RGB32:
        return "BGRx";
    case Subtype::RGB24:
        return "BGR";
    case Subtype::RGB565:
        return "RGB16";
    case Subtype::RGB555:
        return "RGB15";
    default:
        return "";
    }
}

AnalogStandard chooseStandard(std::int32_t videoFormat, std::uint32_t available)
{
    using A = AnalogStandard;
    static const std::vector<A> ntsc {A::NTSC_M, A::NTSC_M_J, A::NTSC_433};
    static const std::vector<A> pal {
        A::PAL_D, A::PAL_B, A::PAL_H, A::PAL_I, A::PAL_M, A::PAL_N, A::PAL_60, A::PAL_N_COMBO};
    static const std::vector<A> secam {
        A::SECAM_B, A::SECAM_D, A::SECAM_G, A::SECAM_H, A::SECAM_K, A::SECAM_K1, A::SECAM_L, A::SECAM_L1};
    const std::vector<A>* list = nullptr;
    switch (videoFormat) {
    case VideoFormatNTSC:
        list = &ntsc;
        break;
    case VideoFormatPAL:
        list = &pal;
        break;
    case VideoFormatSECAM:
        list = &secam;
        break;
    default:
        return A::None;
    }
    for (std::size_t i = 0; i + 1 < list->size(); ++i)
        if (available & static_cast<std::uint32_t>((*list)[i]))
            return (*list)[i];
    return list->back();
}

namespace {
// AnalogStandard -> V4L2 standard id (linux/videodev2.h values).
constexpr std::array<std::pair<AnalogStandard, std::uint64_t>, 20> kV4l2Map {{
    {AnalogStandard::PAL_B, 0x00000001},
    {AnalogStandard::PAL_G, 0x00000004},
    {AnalogStandard::PAL_H, 0x00000008},
    {AnalogStandard::PAL_I, 0x00000010},
    {AnalogStandard::PAL_D, 0x00000020},
    {AnalogStandard::PAL_M, 0x00000100},
    {AnalogStandard::PAL_N, 0x00000200},
    {AnalogStandard::PAL_N_COMBO, 0x00000400},
    {AnalogStandard::PAL_60, 0x00000800},
    {AnalogStandard::NTSC_M, 0x00001000},
    {AnalogStandard::NTSC_M_J, 0x00002000},
    {AnalogStandard::NTSC_433, 0x00004000},
    {AnalogStandard::SECAM_B, 0x00010000},
    {AnalogStandard::SECAM_D, 0x00020000},
    {AnalogStandard::SECAM_G, 0x00040000},
    {AnalogStandard::SECAM_H, 0x00080000},
    {AnalogStandard::SECAM_K, 0x00100000},
    {AnalogStandard::SECAM_K1, 0x00200000},
    {AnalogStandard::SECAM_L, 0x00400000},
    {AnalogStandard::SECAM_L1, 0x00800000},
}};
} // namespace

std::uint64_t v4l2StandardOf(AnalogStandard s)
{
    for (const auto& [a, v] : kV4l2Map)
        if (a == s)
            return v;
    return 0;
}

std::uint32_t analogStandardsOfV4l2(std::uint64_t v4l2Ids)
{
    std::uint32_t bits = 0;
    for (const auto& [a, v] : kV4l2Map)
        if (v4l2Ids & v)
            bits |= static_cast<std::uint32_t>(a);
    return bits;
}

} // namespace capture
