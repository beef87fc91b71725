#include "tests/test_support.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace test {

void Put16(Bytes& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

Bytes MonoHeader(int32_t width, int32_t height, uint32_t offBits) {
    Bytes b(62, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, offBits);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, 1);
    Put32(b, 58, 0x00FFFFFF);  // entry 0 black, entry 1 white
    return b;
}

namespace {

template <typename Dark>
Bytes BuildBmp(uint32_t width, uint32_t height, Dark dark, uint8_t padding) {
    Bytes b = MonoHeader(static_cast<int32_t>(width), static_cast<int32_t>(height));
    uint32_t stride = (width + 31) / 32 * 4;
    for (uint32_t stored = 0; stored < height; ++stored) {
        uint32_t y = height - 1 - stored;
        for (uint32_t k = 0; k < stride; ++k) {
            uint8_t byte = 0;
            for (uint32_t bit = 0; bit < 8; ++bit) {
                uint32_t x = k * 8 + bit;
                bool set = x < width ? !dark(x, y) : ((padding >> (7 - bit)) & 1) != 0;
                byte = static_cast<uint8_t>(byte << 1 | (set ? 1 : 0));
            }
            b.push_back(byte);
        }
    }
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

}  // namespace

Bytes MonoBmp(const std::vector<std::string>& rows, uint8_t padding) {
    uint32_t width = rows.empty() ? 0 : static_cast<uint32_t>(rows[0].size());
    return BuildBmp(
        width, static_cast<uint32_t>(rows.size()), [&](uint32_t x, uint32_t y) { return rows[y][x] == '#'; }, padding);
}

Bytes RandomMonoBmp(uint32_t width, uint32_t height, uint32_t pattern) {
    std::mt19937 random(pattern);
    std::vector<bool> dark(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < dark.size(); ++i) dark[i] = (random() & 1) != 0;
    return BuildBmp(
        width, height, [&](uint32_t x, uint32_t y) { return dark[y * width + x]; }, static_cast<uint8_t>(random()));
}

ScratchDir::ScratchDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device entropy;
    root = std::filesystem::temp_directory_path() /
           ("quillgrid-test-" + std::to_string(entropy()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root, ignored);
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string NestedFolder(const std::string& base, size_t length) {
    const char separator = base.empty() ? '/' : base.back();
    std::string folder = base;
    while (folder.size() < length) {
        size_t left = length - folder.size();
        size_t name = left - 1 < 200 ? left - 1 : 200;
        if (left - 1 - name == 1) --name;  // never a last name of no characters
        folder += std::string(name, 'd');
        std::error_code ignored;
        std::filesystem::create_directory(folder, ignored);
        folder += separator;
    }
    return folder;
}

std::string ReadText(const std::string& path) {
    Bytes b = ReadBytes(path);
    return std::string(b.begin(), b.end());
}

std::string FullDiskDir() {
    const char* dir = std::getenv("QG_FULL_DIR");
    if (!dir || !*dir) return {};
    std::string path = dir;
#ifdef _WIN32
    // Wine shows the Unix root as drive Z:.
    for (char& c : path)
        if (c == '/') c = '\\';
    path = "Z:" + path;
#endif
    return path;
}

namespace {

std::filesystem::path SharedDir(const char* kind) {
    std::filesystem::path folder = std::filesystem::path(QG_SOURCE_DIR).parent_path() / "shared" / "testdata" / kind;
    std::error_code error;
    return std::filesystem::is_directory(folder, error) ? folder : std::filesystem::path();
}

}  // namespace

std::filesystem::path SharedBmpDir() { return SharedDir("bmp"); }

std::filesystem::path SharedPngDir() { return SharedDir("png"); }

}  // namespace test
