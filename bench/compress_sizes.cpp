// What bench/run --compress measures beside the converter's own output:
//   qg-bench-compress lvgl BLOCK FILE   the bytes of LVGLImage.py's RLE and
//       LZ4 data (its lz4.block.compress() is liblz4's default mode) for
//       the LVGL data in FILE, each with the 12 bytes of its header
//   qg-bench-compress speed FILE        quillgrid_rle.h decoding FILE (an
//       --compress rle --binary stream) in bands of 8 lines: MB/s of the
//       bytes it makes
#include <lz4.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "firmware/quillgrid_rle.h"
#include "tests/compress/lvgl_image_py.h"

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "lvgl") == 0) {
        const std::vector<uint8_t> data = ReadFile(argv[3]);
        const uint32_t block = static_cast<uint32_t>(std::atoi(argv[2]));
        std::vector<char> lz4(static_cast<size_t>(LZ4_compressBound(static_cast<int>(data.size()))));
        const int lz4Size = LZ4_compress_default(reinterpret_cast<const char*>(data.data()), lz4.data(),
                                                 static_cast<int>(data.size()), static_cast<int>(lz4.size()));
        std::printf("%zu %zu\n", 12 + LvglImagePyRleSize(data, block), static_cast<size_t>(12 + lz4Size));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "speed") == 0) {
        const std::vector<uint8_t> stream = ReadFile(argv[2]);
        qg_rle_t d;
        if (qg_rle_begin(&d, stream.data(), static_cast<uint32_t>(stream.size()), QG_RLE_RAM) != 0) return 1;
        std::vector<uint8_t> band(static_cast<size_t>(d.line_bytes) * 8);
        uint64_t bytes = 0;
        uint32_t sum = 0;
        const auto start = std::chrono::steady_clock::now();
        double seconds = 0;
        while (seconds < 0.5) {
            qg_rle_begin(&d, stream.data(), static_cast<uint32_t>(stream.size()), QG_RLE_RAM);
            int got;
            while ((got = qg_rle_read(&d, band.data(), 8)) > 0) {
                bytes += static_cast<uint64_t>(got) * d.line_bytes;
                sum += band[0];
            }
            if (got < 0) return 1;
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        std::printf("%.0f %u\n", static_cast<double>(bytes) / seconds / 1e6, sum & 1);
        return 0;
    }
    std::fprintf(stderr, "usage: qg-bench-compress lvgl BLOCK FILE | speed FILE\n");
    return 2;
}
