#include "compress/lz4_block.h"

#include <lz4.h>
#include <lz4hc.h>

bool Lz4Compress(const uint8_t* data, size_t size, std::vector<uint8_t>* out) {
    out->clear();
    if (size > static_cast<size_t>(LZ4_MAX_INPUT_SIZE)) return false;
    const int in = static_cast<int>(size), bound = LZ4_compressBound(in);
    // LZ4's high-compression mode reads its source even for no bytes.
    static const uint8_t kNothing = 0;
    const char* source = reinterpret_cast<const char*>(size ? data : &kNothing);
    std::vector<uint8_t> fast(static_cast<size_t>(bound)), high(static_cast<size_t>(bound));
    const int fastSize = LZ4_compress_default(source, reinterpret_cast<char*>(fast.data()), in, bound);
    const int highSize = LZ4_compress_HC(source, reinterpret_cast<char*>(high.data()), in, bound, LZ4HC_CLEVEL_MAX);
    if (fastSize <= 0 && highSize <= 0) return false;
    // The high-compression mode is smaller all but always; a tie keeps it.
    const bool useHigh = highSize > 0 && (fastSize <= 0 || highSize <= fastSize);
    *out = useHigh ? std::move(high) : std::move(fast);
    out->resize(static_cast<size_t>(useHigh ? highSize : fastSize));
    return true;
}
