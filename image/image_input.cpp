#include "image/image_input.h"

#include <cstring>
#include <vector>

#include "core/mono_bitmap.h"
#include "image/grey_plane.h"
#include "image/image_decoder.h"

namespace {

uint32_t Little(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

// The name a refusal gives the file's kind, from its first bytes.
const char* KindOf(const uint8_t* data, size_t size) {
    auto startsWith = [data, size](const char* prefix) {
        size_t length = std::strlen(prefix);
        return size >= length && std::memcmp(data, prefix, length) == 0;
    };
    if (startsWith("\x89PNG\r\n\x1a\n")) return "PNG";
    if (startsWith("BM")) return "BMP";
    if (startsWith("P5") || startsWith("P6")) return "PGM or PPM";
    return nullptr;
}

// The decoder fills its palette with the entries between the header and
// the pixels, by its own count, and leaves the rest of it unset: a pixel
// that takes an entry past them would come out as whatever memory held.
std::string PaletteProblem(const uint8_t* pixels, int64_t width, uint64_t height, uint64_t stride,
                           uint32_t bits, uint32_t offset, uint32_t header) {
    // Its count, as it makes it: 3 bytes an entry after a 12-byte header
    // (where it reckons the header 12 bytes longer), else 4 bytes.
    const int64_t between = static_cast<int64_t>(offset) - 14 - (header == 12 ? 24 : header);
    const int64_t entries = header == 12 ? between / 3 : between / 4;
    if (entries <= 0)
        return header == 12 ? "a palette of fewer than 5 colours after an OS/2 header, which the decoder misreads"
                            : "no palette before its pixels";
    if (entries >= (int64_t(1) << bits)) return std::string();
    const uint32_t mask = (1u << bits) - 1;
    for (uint64_t y = 0; y < height; ++y) {
        const uint8_t* row = pixels + y * stride;
        for (int64_t x = 0; x < width; ++x) {
            uint64_t bit = static_cast<uint64_t>(x) * bits;
            uint32_t index = row[bit / 8] >> (8 - bits - bit % 8) & mask;
            if (index >= entries)
                return "a pixel takes colour " + std::to_string(index) + " of a palette of " +
                       std::to_string(entries);
        }
    }
    return std::string();
}

// The checks that keep the decoder from misreading a file, then the decoder.
bool Decode(const uint8_t* data, size_t size, GreyImage* image, std::string* why) {
    const char* kind = KindOf(data, size);
    if (!kind) {
        bool textPnm = size >= 2 && data[0] == 'P' && data[1] >= '1' && data[1] <= '4';
        *why = textPnm ? "only binary PGM and PPM (P5, P6) are read, not P" + std::string(1, data[1])
                       : "not an image this converter reads (PNG, BMP, PGM or PPM)";
        return false;
    }
    if (size > kLargestInput) {
        *why = "the file is larger than 2 GiB";
        return false;
    }
    std::string problem = kind[0] == 'B' ? BmpProblem(data, size)
                          : kind[1] == 'G' ? PnmProblem(data, size)
                                           : std::string();
    if (!problem.empty()) {
        *why = std::string("unsupported ") + kind + ": " + problem;
        return false;
    }
    std::string reason;
    if (!DecodeGrey(data, size, image, &reason)) {
        *why = std::string("cannot decode this ") + kind + ": " + reason;
        return false;
    }
    return true;
}

// A 1-bit image that the frame changes, as grey levels.
bool BitmapToPlane(MonoBitmap* bitmap, GreyPlane* plane, std::string* why) {
    const uint64_t pixels = static_cast<uint64_t>(bitmap->Width()) * bitmap->Height();
    if (pixels == 0 || pixels > kMaxDecodedPixels) {
        *why = "the image is " + std::to_string(bitmap->Width()) + " x " + std::to_string(bitmap->Height()) +
               " pixels; a frame takes images of 1 to " + std::to_string(kMaxDecodedPixels) + " pixels";
        bitmap->Unload();
        return false;
    }
    const bool made = PlaneFromBitmap(*bitmap, plane);
    bitmap->Unload();
    if (!made) *why = "not enough memory for the grey levels";
    return made;
}

}  // namespace

bool FitGrey(const GreyPlane& plane, const ImageOptions& options, GreyPlane* fitted, std::string* why) {
    const FrameOptions& frame = options.frame;
    if (plane.Width() == 0 || plane.Height() == 0) {
        *why = "the image is " + std::to_string(plane.Width()) + " x " + std::to_string(plane.Height()) +
               " pixels; there is nothing to fit into a frame";
        return false;
    }
    GreyPlane turned;
    const bool turns = frame.rotate != 0 || frame.flipH || frame.flipV;
    if (turns && !TurnPlane(plane, frame, &turned)) {
        *why = "not enough memory to turn the image";
        return false;
    }
    if (!FitPlane(turns ? turned : plane, frame, options.tone.blackBackground ? 0 : 255, fitted)) {
        *why = "not enough memory for the frame";
        return false;
    }
    return true;
}

bool PrepareGrey(const uint8_t* data, size_t size, const ImageOptions& options, GreyPlane* plane,
                 MonoBitmap* bitmap, std::string* why, InputSize* source) {
    GreyPlane grey;
    if (bitmap->LoadFromMemory(data, size)) {
        if (source) *source = {bitmap->Width(), bitmap->Height()};
        if (options.frame.KeepsTheImage()) return true;
        if (!BitmapToPlane(bitmap, &grey, why)) return false;
    } else {
        GreyImage image;
        if (!Decode(data, size, &image, why)) return false;
        if (source) *source = {image.Width(), image.Height()};
        if (!FlattenImage(image, options.tone.blackBackground ? 0 : 255, &grey)) {
            *why = "not enough memory for the grey levels";
            return false;
        }
        if (options.frame.KeepsTheImage()) {
            *plane = std::move(grey);
            return true;
        }
    }
    return FitGrey(grey, options, plane, why);
}

bool ToneGrey(const GreyPlane& plane, const ToneOptions& tone, MonoBitmap* bitmap, std::string* why) {
    if (ToMono(plane, tone, bitmap)) return true;
    *why = "not enough memory for the 1-bit image";
    return false;
}

bool DecodeInputBytes(const uint8_t* data, size_t size, const ImageOptions& options, MonoBitmap* bitmap,
                      std::string* why, InputSize* source) {
    GreyImage image;
    if (!Decode(data, size, &image, why)) return false;
    if (source) *source = {image.Width(), image.Height()};
    // Without a frame, the grey levels are made a row at a time, never held whole.
    if (options.frame.KeepsTheImage()) {
        if (ToMono(image, options.tone, bitmap)) return true;
        *why = "not enough memory for the 1-bit image";
        return false;
    }
    GreyPlane plane, fitted;
    if (!FlattenImage(image, options.tone.blackBackground ? 0 : 255, &plane)) {
        *why = "not enough memory for the grey levels";
        return false;
    }
    image.Release();
    return FitGrey(plane, options, &fitted, why) && ToneGrey(fitted, options.tone, bitmap, why);
}

std::string BmpProblem(const uint8_t* data, size_t size) {
    if (size < 30) return "the file ends inside its header";
    const uint32_t offset = Little(data + 10, 4), header = Little(data + 14, 4);
    int64_t width, height;
    uint32_t bits, compression = 0;
    if (header == 12) {
        width = static_cast<int16_t>(Little(data + 18, 2));
        height = static_cast<int16_t>(Little(data + 20, 2));
        bits = Little(data + 24, 2);
    } else if (header == 40 || header == 56 || header == 108 || header == 124) {
        if (size < 34) return "the file ends inside its header";
        width = static_cast<int32_t>(Little(data + 18, 4));
        height = static_cast<int32_t>(Little(data + 22, 4));
        bits = Little(data + 28, 2);
        compression = Little(data + 30, 4);
    } else {
        return "an information header of " + std::to_string(header) + " bytes";
    }
    switch (compression) {
    case 0:
        break;
    case 1:
        return "RLE8 compression";
    case 2:
        return "RLE4 compression";
    case 3:
        if (bits == 16 || bits == 32) break;
        return "bit-field masks with " + std::to_string(bits) + " bits per pixel";
    case 4:
        return "JPEG compression";
    case 5:
        return "PNG compression";
    default:
        return "compression " + std::to_string(compression);
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::to_string(bits) + " bits per pixel";
    if (width <= 0) return "a width of " + std::to_string(width) + " pixels";
    if (height == 0 || height == INT32_MIN) return "a height of " + std::to_string(height) + " pixels";
    // The decoder reads missing rows as black; refuse a file cut short instead.
    uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    uint64_t rows = stride * static_cast<uint64_t>(height < 0 ? -height : height);
    if (offset > size || rows > size - offset) return "the file ends before its last row";
    // The decoder would take header bytes for pixels, or a palette from the
    // bytes before the header's end.
    const uint32_t masks = header == 40 && compression == 3 ? 12 : 0;
    if (offset < 14 + header + masks) return "the pixel data starts inside its headers";
    if (bits <= 8) return PaletteProblem(data + offset, width, rows / stride, stride, bits, offset, header);
    return std::string();
}

std::string PnmProblem(const uint8_t* data, size_t size) {
    // Width, height and maximum, each after blanks and '#' comments.
    size_t at = 2;
    uint64_t values[3] = {};
    int index = 0;
    for (const char* field : {"width", "height", "maximum"}) {
        for (;;) {
            while (at < size && std::strchr(" \t\n\v\f\r", data[at]) && data[at]) ++at;
            if (at >= size || data[at] != '#') break;
            while (at < size && data[at] != '\n' && data[at] != '\r') ++at;
        }
        size_t digits = 0;
        uint64_t value = 0;
        for (; at < size && data[at] >= '0' && data[at] <= '9'; ++at, ++digits)
            value = digits < 10 ? value * 10 + (data[at] - '0') : value;
        if (digits == 0) return std::string("no ") + field + " in the header";
        if (digits > 9 || value > (field[0] == 'm' ? 65535u : 1u << 24) || value == 0)
            return std::string("a ") + field + " of " + (digits > 9 ? "more than 9 digits" : std::to_string(value));
        values[index++] = value;
    }
    // One blank ends the header; the samples follow. The decoder would read
    // missing ones as black: refuse a file cut short instead.
    uint64_t samples = values[0] * values[1] * (data[1] == '6' ? 3 : 1) * (values[2] > 255 ? 2 : 1);
    if (at + 1 > size || samples > size - (at + 1)) return "the file ends before its last row";
    return std::string();
}

bool LoadInputBytes(const uint8_t* data, size_t size, const ImageOptions& options, MonoBitmap* bitmap,
                    std::string* why, InputSize* source) {
    if (!bitmap->LoadFromMemory(data, size)) return DecodeInputBytes(data, size, options, bitmap, why, source);
    return FrameBitmap(options, bitmap, why, source);
}

bool FrameBitmap(const ImageOptions& options, MonoBitmap* bitmap, std::string* why, InputSize* source) {
    if (source) *source = {bitmap->Width(), bitmap->Height()};
    if (options.frame.KeepsTheImage()) return true;
    GreyPlane plane, fitted;
    return BitmapToPlane(bitmap, &plane, why) && FitGrey(plane, options, &fitted, why) &&
           ToneGrey(fitted, options.tone, bitmap, why);
}
