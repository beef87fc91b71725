// Times the packing of an image of levels into array text, best of three:
// a width x height image of random values at `depth` bits a pixel, packed
// by LevelGrid in one layout and written as array text to nowhere. Writes
// the packed bytes to RAW, for xxd -i to be timed on the same bytes.
//   usage: qg-bench-levels DEPTH WIDTHxHEIGHT LAYOUT RAW
//   LAYOUT: four digits, msbReverse bitHorizontal byteHorizontal fillOnes
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/array_text.h"
#include "core/level_grid.h"
#include "core/level_image.h"
#include "forms/binary_form.h"

namespace {

bool Count(void* context, const char*, uint32_t size) {
    *static_cast<uint64_t*>(context) += size;
    return true;
}

bool ToFile(void* context, const char* bytes, uint32_t size) {
    return std::fwrite(bytes, 1, size, static_cast<FILE*>(context)) == size;
}

}  // namespace

int main(int argc, char** argv) {
    uint32_t depth = 0, width = 0, height = 0;
    if (argc != 5 || std::sscanf(argv[1], "%u", &depth) != 1 || std::sscanf(argv[2], "%ux%u", &width, &height) != 2 ||
        std::string(argv[3]).size() != 4) {
        std::fprintf(stderr, "usage: qg-bench-levels DEPTH WIDTHxHEIGHT LAYOUT RAW\n");
        return 2;
    }
    LevelImage image;
    if (!image.Create(width, height, depth)) return 1;
    std::mt19937 random(7);
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = image.Row(y);
        for (uint32_t i = 0; i < image.Stride(); ++i) row[i] = static_cast<uint8_t>(random());
        if (width * depth % 8) row[image.Stride() - 1] &= static_cast<uint8_t>(0xFF00u >> (width * depth % 8));
    }
    ConvertOptions layout = {};
    layout.msbReverse = argv[3][0] == '1';
    layout.bitHorizontal = argv[3][1] == '1';
    layout.byteHorizontal = argv[3][2] == '1';
    layout.fillOnes = argv[3][3] == '1';
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        LevelGrid grid(image, layout);
        uint64_t length = 0;
        if (!EmitArrayText(grid, Count, &length)) return 1;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    FILE* raw = std::fopen(argv[4], "wb");
    LevelGrid grid(image, layout);
    if (!raw || !EmitPackedBytes(grid, ToFile, raw) || std::fclose(raw) != 0) return 1;
    std::printf("%.4f\n", best);
    return 0;
}
