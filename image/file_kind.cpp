#include "image/file_kind.h"

#include <cstring>

#include "image/image_decoder.h"

namespace {

// The value of `bytes` bytes at `at`, least significant first.
uint32_t ReadLittleEndian(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

// The decoder fills its palette with the entries between the header and
// the pixels, by its own count, and leaves the rest of it unset: a pixel
// that takes an entry past them would come out as whatever memory held.
std::string PaletteProblem(const uint8_t* data, int64_t width, uint64_t height, uint64_t stride, uint32_t bits) {
    const uint32_t offset = ReadLittleEndian(data + 10, 4), header = ReadLittleEndian(data + 14, 4);
    const uint8_t* pixels = data + offset;
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
                return "a pixel takes colour " + std::to_string(index) + " of a palette of " + std::to_string(entries);
        }
    }
    return std::string();
}

}  // namespace

FileKind FileKindOf(const uint8_t* data, size_t size) {
    auto startsWith = [data, size](const char* prefix) {
        const size_t length = std::strlen(prefix);
        return size >= length && std::memcmp(data, prefix, length) == 0;
    };
    if (startsWith("\x89PNG\r\n\x1a\n")) return FileKind::Png;
    if (startsWith("BM")) return FileKind::Bmp;
    if (startsWith("P5") || startsWith("P6")) return FileKind::Pnm;
    if (startsWith("GIF87a") || startsWith("GIF89a")) return FileKind::Gif;
    if (startsWith("\xFF\xD8\xFF")) return FileKind::Jpeg;
    if (size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WEBP", 4) == 0) return FileKind::Webp;
    if (size >= 2 && data[0] == 'P' && data[1] >= '1' && data[1] <= '4') return FileKind::TextPnm;
    return FileKind::Unknown;
}

const char* KindName(FileKind kind) {
    switch (kind) {
    case FileKind::Png:
        return "PNG";
    case FileKind::Bmp:
        return "BMP";
    case FileKind::Pnm:
        return "PGM or PPM";
    case FileKind::Gif:
        return "GIF";
    case FileKind::Jpeg:
        return "JPEG";
    case FileKind::Webp:
        return "WebP";
    case FileKind::TextPnm:
    case FileKind::Unknown:
        break;
    }
    return "file";
}

std::string HeaderProblem(FileKind kind, const uint8_t* data, size_t size) {
    switch (kind) {
    case FileKind::Bmp:
        return BmpProblem(data, size);
    case FileKind::Pnm:
        return PnmProblem(data, size);
    case FileKind::Gif:
        return GifProblem(data, size);
    case FileKind::Png:
    case FileKind::Jpeg:
    case FileKind::Webp:
    case FileKind::TextPnm:
    case FileKind::Unknown:
        break;
    }
    return std::string();
}

std::string BmpProblem(const uint8_t* data, size_t size) {
    if (size < 30) return "the file ends inside its header";
    const uint32_t offset = ReadLittleEndian(data + 10, 4), header = ReadLittleEndian(data + 14, 4);
    int64_t width, height;
    uint32_t bits, compression = 0;
    if (header == 12) {
        width = static_cast<int16_t>(ReadLittleEndian(data + 18, 2));
        height = static_cast<int16_t>(ReadLittleEndian(data + 20, 2));
        bits = ReadLittleEndian(data + 24, 2);
    } else if (header == 40 || header == 56 || header == 108 || header == 124) {
        if (size < 34) return "the file ends inside its header";
        width = static_cast<int32_t>(ReadLittleEndian(data + 18, 4));
        height = static_cast<int32_t>(ReadLittleEndian(data + 22, 4));
        bits = ReadLittleEndian(data + 28, 2);
        compression = ReadLittleEndian(data + 30, 4);
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
    if (bits <= 8) return PaletteProblem(data, width, rows / stride, stride, bits);
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

std::string GifProblem(const uint8_t* data, size_t size, GifFacts* facts) {
    if (size < 13) return "the file ends inside its header";
    const uint32_t width = ReadLittleEndian(data + 6, 2), height = ReadLittleEndian(data + 8, 2);
    if (width == 0 || height == 0)
        return "a screen of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    size_t at = 13;
    if (data[10] & 0x80) at += 3u << ((data[10] & 7) + 1);  // the global colour table
    // The sub-blocks from `at`, up to the one of no bytes that ends them.
    auto skipSubBlocks = [&]() {
        while (at < size && data[at] != 0) at += 1u + data[at];
        return at++ < size;
    };
    std::vector<uint32_t> delays;
    uint32_t delay = 0;  // from the graphic control extension before a frame
    for (;;) {
        if (at >= size) return "the file ends before its trailer";
        const uint8_t block = data[at++];
        if (block == 0x3B) break;  // the trailer
        if (block == 0x21) {       // an extension
            if (at >= size) return "the file ends inside an extension";
            const uint8_t label = data[at++];
            if (label == 0xF9 && at + 5 < size && data[at] == 4) delay = ReadLittleEndian(data + at + 2, 2) * 10;
            if (!skipSubBlocks()) return "the file ends inside an extension";
            continue;
        }
        if (block != 0x2C)
            return "a block of unknown kind (0x" + std::string(1, "0123456789ABCDEF"[block >> 4]) +
                   std::string(1, "0123456789ABCDEF"[block & 15]) + ")";
        const size_t frame = delays.size() + 1;
        if (at + 9 > size) return "the file ends inside frame " + std::to_string(frame) + "'s descriptor";
        const uint32_t x = ReadLittleEndian(data + at, 2), y = ReadLittleEndian(data + at + 2, 2);
        const uint32_t w = ReadLittleEndian(data + at + 4, 2), h = ReadLittleEndian(data + at + 6, 2);
        const uint8_t flags = data[at + 8];
        at += 9;
        if (x + w > width || y + h > height)
            return "frame " + std::to_string(frame) + " (" + std::to_string(w) + " x " + std::to_string(h) + " at " +
                   std::to_string(x) + ", " + std::to_string(y) + ") lies outside the " + std::to_string(width) +
                   " x " + std::to_string(height) + " screen";
        if (flags & 0x80) at += 3u << ((flags & 7) + 1);  // a local colour table
        if (at >= size) return "the file ends inside frame " + std::to_string(frame);
        ++at;  // the LZW code size
        if (!skipSubBlocks()) return "the file ends inside frame " + std::to_string(frame);
        delays.push_back(delay);
        delay = 0;
        if (delays.size() > kMaxFrames) return "more than " + std::to_string(kMaxFrames) + " frames";
        if (static_cast<uint64_t>(width) * height * delays.size() > kMaxDecodedPixels)
            return std::to_string(delays.size()) + " frames of " + std::to_string(width) + " x " +
                   std::to_string(height) + " pixels, more than the " + std::to_string(kMaxDecodedPixels) +
                   " pixels this converter decodes";
    }
    if (delays.empty()) return "no frame";
    if (facts) *facts = {width, height, delays};
    return std::string();
}
