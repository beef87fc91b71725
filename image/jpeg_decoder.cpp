// JPEG through libjpeg-turbo: baseline, progressive and arithmetic coded;
// grey, YCbCr, RGB, CMYK and YCCK; read a row at a time into the decoded
// image, reduced while decoding when the frame is much smaller.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "image/decoder_memory.h"
#include "image/exif_orientation.h"
#include "image/image_decoder.h"

// libjpeg's header wants size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// A file with more scans than this is refused: each scan is a pass over
// the whole picture, and a crafted file can hold tens of thousands.
const int kMostScans = 1000;

struct JpegErrors {
    jpeg_error_mgr manager;  // first, so that libjpeg's pointer is ours
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void Fail(j_common_ptr info) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    const int code = errors->manager.msg_code;
    if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY)
        std::snprintf(errors->message, sizeof errors->message, "more memory than the decoders may take");
    else if (code == JWRN_JPEG_EOF)
        std::snprintf(errors->message, sizeof errors->message, "the file ends before its picture does");
    else
        errors->manager.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings that mean pixels were lost (the file is cut short or its data
// is damaged) end the decoding; the others (extra bytes between markers,
// an unknown JFIF revision) are let pass, as every viewer does. Nothing is
// printed.
void Warn(j_common_ptr info, int level) {
    if (level >= 0) return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
        Fail(info);
    default:
        break;
    }
}

void CountScans(j_common_ptr info) {
    j_decompress_ptr decoder = reinterpret_cast<j_decompress_ptr>(info);
    if (decoder->input_scan_number <= kMostScans) return;
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMostScans);
    std::longjmp(errors->jump, 1);
}

// The largest reduction (8, 4, 2 or 1) the hint allows a picture of this
// size and orientation.
unsigned Reduction(uint32_t width, uint32_t height, int orientation, const DecodeHint& hint) {
    if (!hint.frame || hint.frame->width == 0 || hint.frame->fit == Fit::None) return 1;
    const FrameOptions frame = TurnedUpright(orientation, *hint.frame);
    const bool across = frame.rotate == 90 || frame.rotate == 270;
    const Placement place = PlaceInFrame(across ? height : width, across ? width : height, frame);
    for (unsigned by : {8u, 4u, 2u}) {
        const uint32_t w = (width + by - 1) / by, h = (height + by - 1) / by;
        if ((across ? h : w) >= place.width && (across ? w : h) >= place.height) return by;
    }
    return 1;
}

uint8_t Times(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// A row of CMYK as RGB. Adobe's files (the Adobe marker) hold each ink
// inverted, as almost every CMYK JPEG does.
void CmykToRgb(const uint8_t* cmyk, uint32_t width, bool inverted, uint8_t* rgb) {
    for (uint32_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int i = 0; i < 3; ++i) rgb[i] = Times(inverted ? cmyk[i] : 255 - cmyk[i], k);
    }
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, const DecodeHint& hint, DecodedImage* image, std::string* why) {
    image->Release();
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Fail;
    errors.manager.emit_message = Warn;
    errors.message[0] = '\0';
    jpeg_progress_mgr progress;
    progress.progress_monitor = CountScans;
    uint8_t* volatile pixels = nullptr;
    uint8_t* volatile inks = nullptr;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        DecoderFree(pixels);
        DecoderFree(inks);
        *why = errors.message;
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);

    const uint32_t fileWidth = info.image_width, fileHeight = info.image_height;
    if (static_cast<uint64_t>(fileWidth) * fileHeight > kMaxDecodedPixels) {
        std::snprintf(errors.message, sizeof errors.message,
                      "the image is %u x %u pixels, more than the %llu pixels "
                      "this converter decodes",
                      fileWidth, fileHeight, static_cast<unsigned long long>(kMaxDecodedPixels));
        std::longjmp(errors.jump, 1);
    }
    int orientation = 1;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length >= 6 &&
            std::memcmp(marker->data, "Exif\0\0", 6) == 0) {
            orientation = ExifOrientation(marker->data + 6, marker->data_length - 6);
            break;
        }
    }

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = Reduction(fileWidth, fileHeight, orientation, hint);
    info.dct_method = JDCT_ISLOW;
    jpeg_calc_output_dimensions(&info);
    const uint32_t width = info.output_width, height = info.output_height;
    const uint32_t channels = info.out_color_space == JCS_GRAYSCALE ? 1 : 3;
    const size_t stride = static_cast<size_t>(width) * channels;
    pixels = static_cast<uint8_t*>(DecoderMalloc(stride * height != 0 ? stride * height : 1));
    if (cmyk) inks = static_cast<uint8_t*>(DecoderMalloc(static_cast<size_t>(width) * 4));
    if (!pixels || (cmyk && !inks)) {
        std::snprintf(errors.message, sizeof errors.message, "more memory than the decoders may take");
        std::longjmp(errors.jump, 1);
    }
    // libjpeg's own buffers (a progressive file holds all its coefficients)
    // take what is left of the decoders' limit, and no more.
    info.mem->max_memory_to_use = static_cast<long>(DecoderMemoryLeft());
    jpeg_start_decompress(&info);
    while (info.output_scanline < height) {
        uint8_t* row = pixels + static_cast<size_t>(info.output_scanline) * stride;
        JSAMPROW into = cmyk ? inks : row;
        jpeg_read_scanlines(&info, &into, 1);
        if (cmyk) CmykToRgb(inks, width, info.saw_Adobe_marker, row);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    DecoderFree(inks);
    image->pixels = pixels;
    image->width = width;
    image->height = height;
    image->channels = channels;
    image->fileWidth = fileWidth;
    image->fileHeight = fileHeight;
    image->orientation = orientation;
    return true;
}

bool JpegSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Fail;
    errors.manager.emit_message = Warn;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    *width = info.image_width;
    *height = info.image_height;
    jpeg_destroy_decompress(&info);
    return true;
}
