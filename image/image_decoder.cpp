#include "image/image_decoder.h"

#include <cstdlib>
#include <cstring>

#include "image/decoder_memory.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_PNM
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_FAILURE_USERMSG
#define STBI_MAX_DIMENSIONS (1 << 20)
static_assert(STBI_MAX_DIMENSIONS == kMaxDecodedSide, "the decoder's longest side");
#define STBI_MALLOC(size) DecoderMalloc(size)
#define STBI_REALLOC(pointer, size) DecoderRealloc(pointer, size)
#define STBI_FREE(pointer) DecoderFree(pointer)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#if defined(QG_LIBPNG)
#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

struct PngBytes {
    const uint8_t* data;
    size_t size, at;
};

void ReadPngBytes(png_structp png, png_bytep into, png_size_t count) {
    PngBytes* bytes = static_cast<PngBytes*>(png_get_io_ptr(png));
    if (count > bytes->size - bytes->at) png_error(png, "the file ends early");
    std::memcpy(into, bytes->data + bytes->at, count);
    bytes->at += count;
}

void QuietWarning(png_structp, png_const_charp) {}

// libpng's own error handler prints "libpng error: ..." before it jumps
// back; the caller says what went wrong in its own words.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// A PNG decoded a row at a time by libpng straight into the image, so that
// the inflated data is never held beside it: half the memory of stb_image's
// whole-file decode, and zlib's faster inflate. Only for files stb_image
// would decode to the same pixels: libpng is asked for what stb_image does
// (16-bit samples keep their high byte, grey of 1, 2 or 4 bits scaled to 8,
// a palette expanded to RGB, tRNS made an alpha channel), and anything it
// would merely warn of, a bad checksum or data past the image, counts as a
// failure, after which stb_image decodes the file as every build does.
// Images so large that stb_image might run out of its memory go to it too.
bool DecodePngRows(const uint8_t* data, size_t size, uint8_t** pixels, int* width, int* height, int* channels) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    png_infop end = png_create_info_struct(png);
    uint8_t* volatile out = nullptr;
    png_bytep* volatile rows = nullptr;
    if (!info || !end || setjmp(png_jmpbuf(png))) {
        DecoderFree(out);
        std::free(rows);
        png_destroy_read_struct(&png, &info, &end);
        return false;
    }
    PngBytes bytes = {data, size, 0};
    png_set_read_fn(png, &bytes, ReadPngBytes);
    png_set_user_limits(png, 1u << 20, 1u << 20);
    png_set_benign_errors(png, 0);
    png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const int type = png_get_color_type(png, info), depth = png_get_bit_depth(png, info);
    const int fileChannels = png_get_channels(png, info);
    // Only the pixels are held here, a row of the file at a time, so any
    // picture within the pixel limit whose pixels fit the decoder's memory
    // decodes (stb_image would hold the inflated and filtered rows beside
    // them, and run out of memory at a third of the size).
    // The channels the rows below come out in: a palette as RGB, tRNS as alpha.
    const uint64_t shownChannels =
        (type == PNG_COLOR_TYPE_PALETTE ? 3 : fileChannels) + (png_get_valid(png, info, PNG_INFO_tRNS) != 0 ? 1 : 0);
    const uint64_t pixelBytes = static_cast<uint64_t>(w) * h * shownChannels;
    if (static_cast<uint64_t>(w) * h > kMaxDecodedPixels || pixelBytes > DecoderMemoryLeft())
        png_error(png, "left to stb_image");
    png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t stride = png_get_rowbytes(png, info);
    const int outChannels = png_get_channels(png, info);
    if (stride != static_cast<size_t>(w) * outChannels || png_get_bit_depth(png, info) != 8) png_error(png, "odd rows");
    out = static_cast<uint8_t*>(DecoderMalloc(stride * h != 0 ? stride * h : 1));
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * (h ? h : 1)));
    if (!out || !rows) png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = out + y * stride;
    for (int pass = 0; pass < passes; ++pass) png_read_rows(png, rows, nullptr, h);
    png_read_end(png, end);
    std::free(rows);
    png_destroy_read_struct(&png, &info, &end);
    *pixels = out;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    *channels = outChannels;
    return true;
}

}  // namespace
#endif

DecodedImage::~DecodedImage() { Release(); }

bool DeclaredSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
    switch (FileKindOf(data, size)) {
    case FileKind::Jpeg:
        return JpegSize(data, size, width, height);
    case FileKind::Webp:
        return WebpSize(data, size, width, height);
    default:
        break;
    }
    int w = 0, h = 0, channels = 0;
    const bool pngOrBmp = size >= 2 && ((data[0] == 0x89 && data[1] == 'P') || (data[0] == 'B' && data[1] == 'M'));
    if (!pngOrBmp || size > 0x7FFFFFFFu || !stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &channels))
        return false;
    *width = static_cast<uint32_t>(w);
    *height = static_cast<uint32_t>(h < 0 ? -static_cast<int64_t>(h) : h);
    return true;
}

void DecodedImage::Release() {
    DecoderFree(pixels);
    pixels = nullptr;
    width = height = channels = fileWidth = fileHeight = 0;
    orientation = 1;
}

bool DecodeImage(const uint8_t* data, size_t size, const DecodeHint& hint, DecodedImage* image, std::string* why,
                 bool rowDecoder) {
    image->Release();
    if (size > 0x7FFFFFFFu) {
        *why = "the file is larger than 2 GiB";
        return false;
    }
    switch (FileKindOf(data, size)) {
    case FileKind::Jpeg:
        return DecodeJpeg(data, size, hint, image, why);
    case FileKind::Webp:
        return DecodeWebp(data, size, image, why);
    default:
        break;
    }
    int width = 0, height = 0, channels = 0;
    const int length = static_cast<int>(size);
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        *why = stbi_failure_reason();
        return false;
    }
    // Checked before anything is decoded, so that no header can ask for
    // more than the limit. A top-down BMP tells its height as negative here.
    const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    if (static_cast<uint64_t>(width) * rows > kMaxDecodedPixels) {
        *why = "the image is " + std::to_string(width) + " x " + std::to_string(rows) + " pixels, more than the " +
               std::to_string(kMaxDecodedPixels) + " pixels this converter decodes";
        return false;
    }
    uint8_t* pixels = nullptr;
#if defined(QG_LIBPNG)
    if (rowDecoder && size >= 8 && png_sig_cmp(data, 0, 8) == 0)
        DecodePngRows(data, size, &pixels, &width, &height, &channels);
#else
    (void)rowDecoder;
#endif
    if (!pixels) pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 0);
    if (!pixels) {
        *why = stbi_failure_reason();
        return false;
    }
    image->pixels = pixels;
    image->width = image->fileWidth = static_cast<uint32_t>(width);
    image->height = image->fileHeight = static_cast<uint32_t>(height);
    image->channels = static_cast<uint32_t>(channels);
    return true;
}

Animation::~Animation() { Release(); }

void Animation::Release() {
    DecoderFree(pixels);
    pixels = nullptr;
    width = height = count = 0;
    delays.clear();
}

bool DecodeAnimation(const uint8_t* data, size_t size, const GifFacts& facts, Animation* animation, std::string* why) {
    animation->Release();
    if (size > 0x7FFFFFFFu) {
        *why = "the file is larger than 2 GiB";
        return false;
    }
    // stb_image's own loop over the frames, with the frame two back that
    // the disposal "restore to previous" reads pointing at that frame (the
    // library's loop points it before its buffer).
    stbi__context s;
    stbi__start_mem(&s, data, static_cast<int>(size));
    if (!stbi__gif_test(&s)) {
        *why = "not a GIF";
        return false;
    }
    stbi__gif g;
    std::memset(&g, 0, sizeof g);
    int comp = 0;
    uint8_t* out = nullptr;
    size_t frameBytes = 0;
    uint32_t layers = 0;
    bool failed = false;
    for (;;) {
        uint8_t* twoBack = layers >= 2 ? out + (layers - 2) * frameBytes : nullptr;
        uint8_t* frame = stbi__gif_load_next(&s, &g, &comp, 4, twoBack);
        if (frame == reinterpret_cast<uint8_t*>(&s)) break;  // the trailer
        if (!frame) {
            failed = true;
            break;
        }
        frameBytes = static_cast<size_t>(g.w) * g.h * 4;
        uint8_t* grown = static_cast<uint8_t*>(DecoderRealloc(out, (layers + 1) * frameBytes));
        if (!grown) {
            stbi__g_failure_reason = "out of memory";
            failed = true;
            break;
        }
        out = grown;
        std::memcpy(out + layers * frameBytes, frame, frameBytes);
        animation->delays.push_back(static_cast<uint32_t>(g.delay));
        ++layers;
    }
    STBI_FREE(g.out);
    STBI_FREE(g.history);
    STBI_FREE(g.background);
    if (failed || layers == 0) {
        DecoderFree(out);
        animation->delays.clear();
        *why = failed ? "frame " + std::to_string(layers + 1) + ": " + stbi_failure_reason() : "no frame";
        return false;
    }
    if (layers != facts.delays.size() || static_cast<uint32_t>(g.w) != facts.width ||
        static_cast<uint32_t>(g.h) != facts.height) {
        DecoderFree(out);
        animation->delays.clear();
        *why = "the decoder finds " + std::to_string(layers) + " frames of " + std::to_string(g.w) + " x " +
               std::to_string(g.h) + " where its blocks hold " + std::to_string(facts.delays.size()) + " of " +
               std::to_string(facts.width) + " x " + std::to_string(facts.height);
        return false;
    }
    animation->pixels = out;
    animation->width = static_cast<uint32_t>(g.w);
    animation->height = static_cast<uint32_t>(g.h);
    animation->count = layers;
    return true;
}

bool CopyFrame(const Animation& animation, uint32_t index, DecodedImage* image) {
    image->Release();
    const size_t bytes = static_cast<size_t>(animation.Width()) * animation.Height() * 4;
    uint8_t* pixels = static_cast<uint8_t*>(DecoderMalloc(bytes ? bytes : 1));
    if (!pixels) return false;
    std::memcpy(pixels, animation.Frame(index), bytes);
    image->pixels = pixels;
    image->width = image->fileWidth = animation.Width();
    image->height = image->fileHeight = animation.Height();
    image->channels = 4;
    return true;
}
