#include "forepng.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <string>

namespace grab {
namespace {

struct ReadContext {
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string message;
    std::vector<png_bytep> rows;
};

void OnError(png_structp png, png_const_charp message)
{
    auto* ctx = static_cast<ReadContext*>(png_get_error_ptr(png));
    ctx->message = message ? message : "libpng error";
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) { }

// Everything between setjmp and the end of the read lives in ctx or out,
// never in locals of this function, so a longjmp leaves nothing undefined.
bool Decode(ReadContext& ctx, PngPicture& out)
{
    if (setjmp(png_jmpbuf(ctx.png)))
        return false;
    png_init_io(ctx.png, ctx.file);
    png_set_sig_bytes(ctx.png, 8);
    png_set_user_limits(ctx.png, kMaxPngSide, kMaxPngSide);
    png_read_info(ctx.png, ctx.info);
    if (png_get_bit_depth(ctx.png, ctx.info) == 16)
        png_set_scale_16(ctx.png);
    png_set_interlace_handling(ctx.png);
    png_read_update_info(ctx.png, ctx.info);
    out.width = static_cast<std::int32_t>(png_get_image_width(ctx.png, ctx.info));
    out.height = static_cast<std::int32_t>(png_get_image_height(ctx.png, ctx.info));
    const int channels = png_get_channels(ctx.png, ctx.info);
    const std::size_t rowBytes = png_get_rowbytes(ctx.png, ctx.info);
    if (channels != 4) {
        ctx.message = "not an RGBA picture (" + std::to_string(channels) + " channels)";
        return false;
    }
    if (png_get_bit_depth(ctx.png, ctx.info) != 8 || rowBytes != static_cast<std::size_t>(out.width) * 4u) {
        ctx.message = "unsupported bit depth";
        return false;
    }
    out.pixels.resize(rowBytes * static_cast<std::size_t>(out.height));
    ctx.rows.resize(static_cast<std::size_t>(out.height));
    for (std::size_t r = 0; r < ctx.rows.size(); ++r)
        ctx.rows[r] = out.pixels.data() + r * rowBytes;
    png_read_image(ctx.png, ctx.rows.data());
    png_read_end(ctx.png, nullptr);
    return true;
}

} // namespace

bool ReadPng(const char* path, PngPicture& out, std::string* error)
{
    ReadContext ctx;
    auto fail = [&](std::string why) {
        if (error)
            *error = std::move(why);
        return false;
    };
    ctx.file = std::fopen(path, "rb");
    if (!ctx.file)
        return fail("cannot open the file");
    png_byte signature[8] = {};
    if (std::fread(signature, 1, 8, ctx.file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        std::fclose(ctx.file);
        return fail("not a PNG file");
    }
    ctx.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
    if (ctx.png)
        ctx.info = png_create_info_struct(ctx.png);
    bool ok = false;
    if (ctx.png && ctx.info) {
        try {
            ok = Decode(ctx, out);
        } catch (const std::bad_alloc&) {
            ctx.message = "out of memory";
        }
    } else {
        ctx.message = "out of memory";
    }
    png_destroy_read_struct(&ctx.png, &ctx.info, nullptr);
    std::fclose(ctx.file);
    if (!ok) {
        out = PngPicture {};
        return fail(ctx.message.empty() ? "cannot read the PNG file" : ctx.message);
    }
    return true;
}

} // namespace grab
