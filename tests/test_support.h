// Helpers shared by the tests: BMP files built in memory, scratch folders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test {

typedef std::vector<uint8_t> Bytes;

// Rows from the top, '#' for a dark pixel, anything else light. Palette
// entry 0 black, entry 1 white, so a dark pixel is a clear bit. Row padding
// is filled with `padding` to show that nobody reads it.
Bytes MonoBmp(const std::vector<std::string>& rows, uint8_t padding = 0x00);

// An image of the given size whose pixels come from a generator seeded
// with `pattern`.
Bytes RandomMonoBmp(uint32_t width, uint32_t height, uint32_t pattern);

// Bytes that look like noise yet are a fixed sequence, the same on every
// run and machine: bits 16 to 31 of a linear congruential sequence that
// starts at `start`.
class FixedNoise {
public:
    explicit FixedNoise(uint32_t start) : state(start) {}
    // The next 16 bits.
    uint32_t Next() {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    }

private:
    uint32_t state;
};

// A header only: width, height, offset and bit count as given, no rows.
Bytes MonoHeader(int32_t width, int32_t height, uint32_t offBits = 62);

void Put16(Bytes& bytes, size_t offset, uint16_t value);
void Put32(Bytes& bytes, size_t offset, uint32_t value);

// A fresh empty folder for one test, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::filesystem::path Path(const std::string& name) const { return root / name; }
    std::string File(const std::string& name) const { return Path(name).string(); }

private:
    std::filesystem::path root;
};

// The words of a command line, and more after them.
inline std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);

// Creates nested folders below `base` (a folder path that ends with its
// separator) and returns the deepest one's path with its separator,
// `length` characters in all: the folder part of a name inside it.
std::string NestedFolder(const std::string& base, size_t length);

// A folder on a file system too small for large outputs (set up by the
// test script as QG_FULL_DIR), in this platform's form; empty without one.
std::string FullDiskDir();

// The folder of shared BMP test files, or empty when it is not there.
std::filesystem::path SharedBmpDir();
// The same for the shared PNG test files.
std::filesystem::path SharedPngDir();

}  // namespace test
