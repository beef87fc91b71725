#include "compress/lvgl_rle.h"

#include <cstring>
#include <deque>

namespace {

constexpr uint32_t kLongestRun = 127;  // a control byte's count, 7 bits

}  // namespace

// The shortest stream, by the bytes needed for the first i blocks (cost[i]):
// the last run either repeats one block (1 + blockSize bytes, over as many
// equal blocks as end at i, up to 127) or copies up to 127 blocks (1 +
// their bytes). The cost never falls as i grows (a stream for i + 1 blocks
// cut short is one for i), so a repeat is cheapest from the earliest block
// it may start at, and the cheapest copy comes from a sliding minimum.
std::vector<uint8_t> LvglRleCompress(const uint8_t* data, size_t size, uint32_t blockSize) {
    if (blockSize == 0 || size == 0) return {};
    const size_t blocks = (size + blockSize - 1) / blockSize;
    const bool lastCut = size % blockSize != 0;
    std::vector<uint8_t> padded;
    if (lastCut) {
        padded.assign(data, data + size);
        padded.resize(blocks * blockSize, 0);
        data = padded.data();
    }
    auto block = [&](size_t i) { return data + i * blockSize; };

    std::vector<uint64_t> cost(blocks + 1, 0);
    std::vector<uint8_t> run(blocks + 1, 0);  // the last run's blocks, bit 7 set for a copy
    std::deque<size_t> copyStarts;            // candidate starts, cost[j] - j * blockSize rising
    auto copyKey = [&](size_t j) { return static_cast<int64_t>(cost[j]) - static_cast<int64_t>(j * blockSize); };
    size_t equal = 0;  // equal blocks ending at block i - 1
    for (size_t i = 1; i <= blocks; ++i) {
        const size_t j = i - 1;
        while (!copyStarts.empty() && copyKey(copyStarts.back()) >= copyKey(j)) copyStarts.pop_back();
        copyStarts.push_back(j);
        if (copyStarts.front() + kLongestRun < i) copyStarts.pop_front();
        const size_t copyFrom = copyStarts.front();
        cost[i] = cost[copyFrom] + 1 + (i - copyFrom) * blockSize;
        run[i] = static_cast<uint8_t>(0x80 | (i - copyFrom));

        equal = (i > 1 && std::memcmp(block(i - 1), block(i - 2), blockSize) == 0) ? equal + 1 : 1;
        if (!(lastCut && i == blocks)) {
            const size_t repeatFrom = i - (equal < kLongestRun ? equal : kLongestRun);
            if (cost[repeatFrom] + 1 + blockSize < cost[i]) {
                cost[i] = cost[repeatFrom] + 1 + blockSize;
                run[i] = static_cast<uint8_t>(i - repeatFrom);
            }
        }
    }

    std::vector<uint8_t> stream(cost[blocks]);
    size_t end = blocks, at = stream.size();
    while (end > 0) {
        const size_t count = run[end] & 0x7F, start = end - count;
        const bool copy = (run[end] & 0x80) != 0;
        const size_t bytes = copy ? count * blockSize : blockSize;
        at -= bytes;
        std::memcpy(&stream[at], block(start), bytes);
        stream[--at] = run[end];
        end = start;
    }
    return stream;
}
