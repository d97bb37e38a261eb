#include "grabtesting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <png.h>
#include <stdexcept>
#include <unistd.h>

namespace grab::testing {

TestFrame::TestFrame(std::int32_t width, std::int32_t height, SubType type, std::int32_t padding)
    : width_(width)
    , height_(height)
    , type_(type)
{
    const std::int32_t pixels = width * BytesPerPixel(type);
    rowBytes_ = padding < 0 ? (pixels + 3) / 4 * 4 : pixels + padding;
    data_.assign(static_cast<std::size_t>(rowBytes_) * static_cast<std::size_t>(height), 0);
}

std::uint8_t* TestFrame::At(std::int32_t r, std::int32_t c)
{
    return data_.data() + static_cast<std::size_t>(MemRow(r)) * static_cast<std::size_t>(rowBytes_)
        + static_cast<std::size_t>(c) * static_cast<std::size_t>(pixelBytes());
}

const std::uint8_t* TestFrame::At(std::int32_t r, std::int32_t c) const
{
    return const_cast<TestFrame*>(this)->At(r, c);
}

FrameView TestFrame::View()
{
    return topDown_ ? FrameView::TopDown(data_.data(), rowBytes_, width_, height_, type_)
                    : FrameView::BottomUp(data_.data(), rowBytes_, width_, height_, type_);
}

void TestFrame::FillRandom(std::mt19937& rng)
{
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : data_)
        b = static_cast<std::uint8_t>(byte(rng));
}

void TestFrame::Fill(std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    for (std::int32_t y = 0; y < height_; ++y)
        for (std::int32_t x = 0; x < width_; ++x) {
            std::uint8_t* p = At(y, x);
            switch (type_) {
            case SubType::Rgb32:
                p[3] = 0;
                [[fallthrough]];
            case SubType::Rgb24:
                p[0] = b;
                p[1] = g;
                p[2] = r;
                break;
            case SubType::Rgb565: {
                const unsigned v = ((r >> 3u) << 11u) | ((g >> 2u) << 5u) | (b >> 3u);
                p[0] = static_cast<std::uint8_t>(v);
                p[1] = static_cast<std::uint8_t>(v >> 8);
                break;
            }
            case SubType::Rgb555: {
                const unsigned v = ((r >> 3u) << 10u) | ((g >> 3u) << 5u) | (b >> 3u);
                p[0] = static_cast<std::uint8_t>(v);
                p[1] = static_cast<std::uint8_t>(v >> 8);
                break;
            }
            }
        }
}

std::vector<std::uint8_t> TestFrame::BottomUpBytes() const
{
    std::vector<std::uint8_t> out(data_.size());
    for (std::int32_t r = 0; r < height_; ++r)
        std::memcpy(out.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(rowBytes_),
            data_.data() + static_cast<std::size_t>(MemRow(r)) * static_cast<std::size_t>(rowBytes_),
            static_cast<std::size_t>(rowBytes_));
    return out;
}

void WritePng(const std::filesystem::path& path, std::int32_t width, std::int32_t height, PngKind kind,
    int bitDepth, const std::vector<std::uint8_t>& pixels)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot create " + path.string());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        throw std::runtime_error("cannot write " + path.string());
    }
    png_init_io(png, f);
    int type = PNG_COLOR_TYPE_RGBA, channels = 4;
    switch (kind) {
    case PngKind::Rgba:
        break;
    case PngKind::Rgb:
        type = PNG_COLOR_TYPE_RGB;
        channels = 3;
        break;
    case PngKind::GreyAlpha:
        type = PNG_COLOR_TYPE_GRAY_ALPHA;
        channels = 2;
        break;
    case PngKind::Palette:
        type = PNG_COLOR_TYPE_PALETTE;
        channels = 1;
        break;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bitDepth, type,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette(256);
    if (kind == PngKind::Palette) {
        for (int i = 0; i < 256; ++i)
            palette[static_cast<std::size_t>(i)]
                = {static_cast<png_byte>(i), static_cast<png_byte>(i), static_cast<png_byte>(i)};
        png_set_PLTE(png, info, palette.data(), 256);
    }
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels)
        * static_cast<std::size_t>(bitDepth / 8);
    for (std::int32_t r = 0; r < height; ++r)
        png_write_row(png, const_cast<png_bytep>(pixels.data() + static_cast<std::size_t>(r) * rowBytes));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

TempDir::TempDir()
{
    std::string templ = (std::filesystem::temp_directory_path() / "grab-test-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = templ;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::uint8_t> DecorativeFrameRgba(std::int32_t width, std::int32_t height)
{
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const std::int32_t band = std::max(1, height / 12); // opaque border
    const std::int32_t soft = 4; // soft inner edge
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t d = std::min(std::min(x, width - 1 - x), std::min(y, height - 1 - y));
            std::uint8_t* p
                = px.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
            p[0] = static_cast<std::uint8_t>(40 + (x * 200) / width);
            p[1] = static_cast<std::uint8_t>(90 + (y * 120) / height);
            p[2] = static_cast<std::uint8_t>(200 - (x + y) % 100);
            p[3] = d < band       ? 255
                : d < band + soft ? static_cast<std::uint8_t>(255 - (d - band + 1) * 51)
                                  : 0;
        }
    return px;
}

std::vector<std::uint8_t> VeiledRgba(std::int32_t width, std::int32_t height)
{
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t* p
                = px.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x ^ y);
            p[3] = static_cast<std::uint8_t>(1 + (x + 3 * y) % 254); // 1 .. 254
        }
    return px;
}

} // namespace grab::testing
