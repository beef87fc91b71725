#include "fonts/lvgl_font_rle.h"

#include <cstddef>

namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>* out) : out(out) {}
    void Put(uint32_t value, uint32_t bits) {
        for (uint32_t i = bits; i-- > 0;) {
            if (used == 0) out->push_back(0);
            if (value >> i & 1) out->back() |= static_cast<uint8_t>(0x80 >> used);
            used = (used + 1) & 7;
        }
    }

private:
    std::vector<uint8_t>* out;
    uint32_t used = 0;  // bits of the last byte taken
};

}  // namespace

void CompressLvglGlyph(const std::vector<uint8_t>& levels, uint32_t width, uint32_t height, uint32_t bpp,
                       bool prefilter, std::vector<uint8_t>* out) {
    // The values the decoder gives back, line by line: with the prefilter,
    // a line XORed with the one above it.
    std::vector<uint8_t> v(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i)
        v[i] = prefilter && i >= width ? static_cast<uint8_t>(levels[i] ^ levels[i - width]) : levels[i];
    (void)height;
    BitWriter bits(out);
    enum { Single, Repeated } state = Single;
    uint32_t prev = 0, count = 0;
    for (std::size_t p = 0; p < v.size(); ++p) {
        if (state == Single) {
            // A value; one equal to the value before starts repeats.
            bits.Put(v[p], bpp);
            if (p != 0 && v[p] == prev) state = Repeated, count = 0;
            prev = v[p];
            continue;
        }
        if (v[p] != prev) {
            bits.Put(0, 1);
            bits.Put(v[p], bpp);
            prev = v[p];
            state = Single;
            continue;
        }
        bits.Put(1, 1);
        if (++count < 11) continue;
        // Six bits count on: the decoder gives `prev` for the next c - 1
        // values, then reads a new one, which may equal it again.
        std::size_t more = 0;
        while (p + 1 + more < v.size() && v[p + 1 + more] == prev && more < 62) ++more;
        bits.Put(static_cast<uint32_t>(more + 1), 6);
        p += more;
        if (p + 1 < v.size()) {
            ++p;
            bits.Put(v[p], bpp);
            prev = v[p];
        }
        state = Single;
    }
}
