#include "tests/cli/image_files.h"

#include <algorithm>

namespace test {

namespace {

void PutBig32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
    PutBig32(png, static_cast<uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBig32(png, Crc32(body.data(), body.size()));
}

// A zlib stream of stored blocks.
Bytes Zlib(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t size = raw.size() - at < 65535 ? raw.size() - at : 65535;
        out.push_back(at + size == raw.size() ? 1 : 0);
        out.push_back(static_cast<uint8_t>(size));
        out.push_back(static_cast<uint8_t>(size >> 8));
        out.push_back(static_cast<uint8_t>(~size));
        out.push_back(static_cast<uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + size);
        at += size;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, b << 16 | a);
    return out;
}

int SamplesPerPixel(int colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

}  // namespace

Bytes Png(uint32_t width, uint32_t height, int colourType, int depth, const std::vector<uint32_t>& samples,
          const Bytes& palette, const Bytes& transparency) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBig32(header, width);
    PutBig32(header, height);
    header.insert(header.end(), {static_cast<uint8_t>(depth), static_cast<uint8_t>(colourType), 0, 0, 0});
    Chunk(png, "IHDR", header);
    if (!palette.empty()) Chunk(png, "PLTE", palette);
    if (!transparency.empty()) Chunk(png, "tRNS", transparency);
    const size_t perRow = static_cast<size_t>(width) * SamplesPerPixel(colourType);
    Bytes raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        uint32_t bits = 0, used = 0;
        for (size_t i = 0; i < perRow; ++i) {
            uint32_t sample = samples[y * perRow + i];
            if (depth == 16) {
                raw.push_back(static_cast<uint8_t>(sample >> 8));
                raw.push_back(static_cast<uint8_t>(sample));
            } else if (depth == 8) {
                raw.push_back(static_cast<uint8_t>(sample));
            } else {
                bits = bits << depth | sample;
                if ((used += depth) == 8) raw.push_back(static_cast<uint8_t>(bits)), bits = used = 0;
            }
        }
        if (used) raw.push_back(static_cast<uint8_t>(bits << (8 - used)));
    }
    Chunk(png, "IDAT", Zlib(raw));
    Chunk(png, "IEND", {});
    return png;
}

Bytes DeepBmp(uint32_t width, uint32_t height, int bits, const std::vector<uint32_t>& samples, const Bytes& palette,
              uint32_t header) {
    const uint32_t perPixel = bits / 8;
    const uint32_t stride = (width * bits + 31) / 32 * 4;
    const uint32_t offset = 14 + header + static_cast<uint32_t>(palette.size());
    Bytes bmp(offset + stride * height, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32(bmp, 10, offset);
    Put32(bmp, 14, header);
    Put32(bmp, 18, width);
    Put32(bmp, 22, height);
    Put16(bmp, 26, 1);
    Put16(bmp, 28, static_cast<uint16_t>(bits));
    Put32(bmp, 46, static_cast<uint32_t>(palette.size() / 4));
    std::copy(palette.begin(), palette.end(), bmp.begin() + 14 + header);
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = &bmp[offset + (height - 1 - y) * stride];
        for (uint32_t i = 0; i < width * perPixel; ++i)
            row[i] = static_cast<uint8_t>(samples[y * width * perPixel + i]);
    }
    return bmp;
}

Bytes Pnm(uint32_t width, uint32_t height, bool colour, const std::vector<uint32_t>& samples) {
    std::string head =
        std::string(colour ? "P6" : "P5") + "\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    Bytes pnm(head.begin(), head.end());
    for (uint32_t sample : samples) pnm.push_back(static_cast<uint8_t>(sample));
    return pnm;
}

Bytes Gif(uint32_t width, uint32_t height, const Bytes& palette, const std::vector<GifFrame>& frames) {
    uint32_t bits = 1;
    while ((3u << bits) < palette.size()) ++bits;
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    auto put16 = [&gif](uint32_t v) {
        gif.push_back(static_cast<uint8_t>(v));
        gif.push_back(static_cast<uint8_t>(v >> 8));
    };
    put16(width);
    put16(height);
    gif.push_back(static_cast<uint8_t>(0x80 | (bits - 1)));
    gif.push_back(0);
    gif.push_back(0);
    gif.insert(gif.end(), palette.begin(), palette.end());
    for (const GifFrame& frame : frames) {
        gif.insert(gif.end(), {0x21, 0xF9, 4});
        gif.push_back(static_cast<uint8_t>(frame.disposal << 2 | (frame.transparent >= 0 ? 1 : 0)));
        put16(frame.delay);
        gif.push_back(static_cast<uint8_t>(frame.transparent >= 0 ? frame.transparent : 0));
        gif.push_back(0);
        gif.push_back(0x2C);
        put16(frame.x);
        put16(frame.y);
        put16(frame.width);
        put16(frame.height);
        gif.push_back(0);
        gif.push_back(8);  // the LZW code size: clear is 256, end 257
        Bytes codes;
        uint32_t buffer = 0, held = 0;
        auto code = [&](uint32_t value) {
            buffer |= value << held;
            for (held += 9; held >= 8; held -= 8, buffer >>= 8) codes.push_back(static_cast<uint8_t>(buffer));
        };
        for (size_t i = 0; i < frame.indices.size(); ++i) {
            if (i % 250 == 0) code(256);
            code(frame.indices[i]);
        }
        code(257);
        if (held > 0) codes.push_back(static_cast<uint8_t>(buffer));
        for (size_t at = 0; at < codes.size(); at += 255) {
            const size_t size = std::min<size_t>(255, codes.size() - at);
            gif.push_back(static_cast<uint8_t>(size));
            gif.insert(gif.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
                       codes.begin() + static_cast<std::ptrdiff_t>(at + size));
        }
        gif.push_back(0);
    }
    gif.push_back(0x3B);
    return gif;
}

}  // namespace test
