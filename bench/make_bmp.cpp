// Writes a W x H 1-bit BMP of noise, and beside it a raw file holding as
// many bytes as the image packs into, for tools that read raw bytes.
//   usage: qg-make-bmp WIDTH HEIGHT OUT.bmp OUT.raw
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: qg-make-bmp WIDTH HEIGHT OUT.bmp OUT.raw\n");
        return 2;
    }
    uint32_t width = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    uint32_t height = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    uint32_t stride = (width + 31) / 32 * 4;
    uint32_t rows = stride * height;
    std::vector<uint8_t> file(62 + static_cast<size_t>(rows));
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 62);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    file[26] = 1;
    file[28] = 1;
    put32(34, rows);
    put32(58, 0x00FFFFFF);
    std::mt19937 random(12345);
    for (size_t i = 62; i < file.size(); ++i) file[i] = static_cast<uint8_t>(random());

    FILE* out = std::fopen(argv[3], "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size()) return 1;
    std::fclose(out);
    size_t packed = static_cast<size_t>((width + 7) / 8) * height;
    out = std::fopen(argv[4], "wb");
    if (!out || std::fwrite(file.data() + 62, 1, packed, out) != packed) return 1;
    std::fclose(out);
    return 0;
}
