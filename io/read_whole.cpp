#include "io/read_whole.h"

namespace {

// Takes chunks of `chunk` bytes from `read` (which says how many bytes it
// gave, false on an error) until the end, or past `limit` bytes.
template <typename Read>
bool ReadChunks(std::vector<uint8_t>* bytes, size_t limit, size_t chunk, Read read) {
    if (chunk == 0) chunk = 1;
    for (;;) {
        size_t at = bytes->size();
        if (at > limit) return true;
        bytes->resize(at + chunk);
        size_t got = 0;
        bool ok = read(bytes->data() + at, chunk, &got);
        bytes->resize(at + got);
        if (!ok) return false;
        if (got == 0) return true;
    }
}

}  // namespace

bool ReadWholeFile(FileHandle file, std::vector<uint8_t>* bytes, size_t limit, size_t chunk) {
    uint64_t length = 0;
    if (GetFileLength(file, &length) && length <= limit) bytes->reserve(static_cast<size_t>(length) + chunk);
    return ReadChunks(bytes, limit, chunk, [file](uint8_t* into, size_t size, size_t* got) {
        uint32_t delivered = 0;
        bool ok = ReadFileBytes(file, into, static_cast<uint32_t>(size), &delivered);
        *got = delivered;
        return ok;
    });
}

bool ReadWholeStream(FILE* in, std::vector<uint8_t>* bytes, size_t limit, size_t chunk) {
    return ReadChunks(bytes, limit, chunk, [in](uint8_t* into, size_t size, size_t* got) {
        *got = std::fread(into, 1, size, in);
        return !std::ferror(in);
    });
}
