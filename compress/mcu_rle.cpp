#include "compress/mcu_rle.h"

#include <cstring>

namespace {

enum Kind : uint8_t { kCopy = 0, kRepeat = 1, kAbove = 2, kBack = 3 };

constexpr uint32_t kShortCount = 63;       // counts 1 to 63 in the control byte; past it two more bytes
constexpr uint32_t kLongestCount = 65599;  // 64 + 0xFFFF
constexpr uint32_t kFarthestBack = 255;    // units a back run reaches
constexpr uint32_t kCandidates = 16;       // earlier places a back run is tried from

// A run's control bytes: its kind and count (its units, less one for a
// repeat), the count past 63 in two more bytes.
void PutRun(std::vector<uint8_t>* out, Kind kind, uint32_t units) {
    const uint32_t count = units - (kind == kRepeat ? 1 : 0);
    if (count <= kShortCount) {
        out->push_back(static_cast<uint8_t>(kind << 6 | (count - 1)));
    } else {
        const uint32_t more = count - 64;
        out->insert(out->end(), {static_cast<uint8_t>(kind << 6 | 0x3F), static_cast<uint8_t>(more),
                                 static_cast<uint8_t>(more >> 8)});
    }
}

// Bytes a run costs beside its units' own: control bytes, a back run's distance.
int64_t Overhead(Kind kind, size_t units) {
    const size_t count = units - (kind == kRepeat ? 1 : 0);
    return (count <= kShortCount ? 1 : 3) + (kind == kBack ? 1 : 0);
}

}  // namespace

// Greedy, unit by unit: of a run of the line above, of one repeated unit
// and of earlier units of the line (found through a hash of two units),
// the one that saves the most bytes over copying its units is taken where
// it saves at least three; the units between go into copies.
bool McuRleCompress(const uint8_t* data, uint32_t lineBytes, uint32_t lines, uint32_t unit, std::vector<uint8_t>* out) {
    out->clear();
    if (unit < 1 || unit > 4 || lineBytes == 0 || lineBytes % unit || lineBytes > 0xFFFF || lines > 0xFFFF)
        return false;
    out->insert(out->end(),
                {static_cast<uint8_t>(unit), static_cast<uint8_t>(lineBytes), static_cast<uint8_t>(lineBytes >> 8),
                 static_cast<uint8_t>(lines), static_cast<uint8_t>(lines >> 8)});
    const size_t units = static_cast<size_t>(lineBytes) / unit * lines, lineUnits = lineBytes / unit;
    auto at = [&](size_t i) { return data + i * unit; };
    auto same = [&](size_t a, size_t b) { return std::memcmp(at(a), at(b), unit) == 0; };

    // Earlier places with the same two units: a chain through `previous`
    // from the latest, by a hash of the two; those before the line are left.
    constexpr size_t kHashBits = 12;
    std::vector<int64_t> latest(size_t(1) << kHashBits, -1), previous(units, -1);
    auto hashAt = [&](size_t i) {
        uint32_t h = 0;
        for (uint32_t b = 0; b < 2 * unit; ++b) h = h * 31 + at(i)[b];
        return (h * 2654435761u) >> (32 - kHashBits);
    };
    size_t hashed = 0;  // units entered into the chains so far
    auto enter = [&](size_t upTo) {
        for (; hashed < upTo; ++hashed) {
            if (hashed + 1 < units && (hashed + 1) % lineUnits != 0) {
                const uint32_t h = hashAt(hashed);
                previous[hashed] = latest[h];
                latest[h] = static_cast<int64_t>(hashed);
            }
        }
    };

    size_t copyFrom = 0, i = 0;
    auto flushCopy = [&](size_t end) {
        while (copyFrom < end) {
            const size_t n = end - copyFrom < kLongestCount ? end - copyFrom : kLongestCount;
            PutRun(out, kCopy, static_cast<uint32_t>(n));
            out->insert(out->end(), at(copyFrom), at(copyFrom) + n * unit);
            copyFrom += n;
        }
    };
    while (i < units) {
        enter(i);
        const size_t lineStart = i / lineUnits * lineUnits, lineEnd = lineStart + lineUnits;
        Kind best = kCopy;
        size_t bestUnits = 0, bestBack = 0;
        // A run that breaks a copy may cost the copy's control bytes again,
        // up to three: one that saves three or more never makes the stream
        // longer than copying.
        int64_t bestSaves = 2;
        auto consider = [&](Kind kind, size_t n, size_t back) {
            const int64_t saves = static_cast<int64_t>((kind == kRepeat ? n - 1 : n) * unit) - Overhead(kind, n);
            if (saves > bestSaves) best = kind, bestUnits = n, bestBack = back, bestSaves = saves;
        };
        size_t n = 0;
        if (i >= lineUnits)
            while (i + n < units && n < kLongestCount && same(i + n, i + n - lineUnits)) ++n;
        if (n) consider(kAbove, n, 0);
        n = 1;
        while (i + n < units && n < kLongestCount + 1 && same(i + n, i)) ++n;
        if (n >= 2) consider(kRepeat, n, 0);
        if (i + 1 < lineEnd) {
            const uint32_t h = hashAt(i);
            int64_t j = latest[h];
            for (uint32_t tried = 0; j >= static_cast<int64_t>(lineStart) && tried < kCandidates &&
                                     i - static_cast<size_t>(j) <= kFarthestBack;
                 ++tried, j = previous[static_cast<size_t>(j)]) {
                n = 0;
                while (i + n < lineEnd && n < kLongestCount && same(i + n, static_cast<size_t>(j) + n)) ++n;
                if (n) consider(kBack, n, i - static_cast<size_t>(j));
            }
        }
        if (best == kCopy) {
            ++i;
            continue;
        }
        flushCopy(i);
        PutRun(out, best, static_cast<uint32_t>(bestUnits));
        if (best == kRepeat) out->insert(out->end(), at(i), at(i) + unit);
        if (best == kBack) out->push_back(static_cast<uint8_t>(bestBack));
        i += bestUnits;
        copyFrom = i;
    }
    flushCopy(units);
    return true;
}
