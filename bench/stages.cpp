// Times the steps from a PNG to packed bytes, each on its own, best of
// three: decoding, flattening to grey, fitting into the frame (resampling),
// the threshold, and the packing into array text. With a palette: decoding,
// fitting the colour image, Floyd-Steinberg to the palette, packing.
//   usage: qg-bench-stages IMAGE WIDTHxHEIGHT [PALETTE]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
#include "core/scanner_table.h"
#include "core/level_grid.h"
#include "image/colour_tone.h"
#include "image/frame.h"
#include "image/grey_plane.h"
#include "image/image_decoder.h"
#include "image/tone.h"

namespace {

bool Count(void* context, const char*, uint32_t size) {
    *static_cast<uint64_t*>(context) += size;
    return true;
}

// The best of three runs of `step`, in seconds.
template <typename Step>
double Best(Step step) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (!step()) {
            std::fprintf(stderr, "qg-bench-stages: a step failed\n");
            std::exit(1);
        }
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    return best;
}

// The colour path's steps, after the decoding.
int Colour(const GreyImage& image, const FrameOptions& frame, const char* name, double decode) {
    Palette palette;
    std::string why;
    if (!ParsePalette(name, &palette, &why)) {
        std::fprintf(stderr, "qg-bench-stages: %s\n", why.c_str());
        return 2;
    }
    Plane view, fitted;
    view.View(image.Pixels(), image.Width(), image.Height(), image.Channels());
    const double resample = Best([&] { return FitPlane(view, frame, 255, &fitted); });
    ToneOptions tone;
    tone.dither = Dither::FloydSteinberg;
    LevelImage levels;
    const double dither = Best([&] { return ToPalette(fitted.Rows(), tone, palette, &levels); });
    ConvertOptions layout = {0, 1, 1, 0, {}};
    const double pack = Best([&] {
        uint64_t length = 0;
        LevelGrid grid(levels, layout);
        return EmitArrayText(grid, Count, &length);
    });
    std::printf("decode %.4f\nresample %.4f\ndither %.4f\npack %.4f\n", decode, resample, dither, pack);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    FrameOptions frame;
    if (argc < 3 || argc > 4 || std::sscanf(argv[2], "%ux%u", &frame.width, &frame.height) != 2) {
        std::fprintf(stderr, "usage: qg-bench-stages IMAGE WIDTHxHEIGHT [PALETTE]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    GreyImage image;
    Plane grey, fitted;
    MonoBitmap bitmap;
    std::string why;
    ToneOptions tone;
    const double decode = Best([&] { return DecodeGrey(file.data(), file.size(), &image, &why); });
    if (argc == 4) return Colour(image, frame, argv[3], decode);
    const double flatten = Best([&] { return FlattenImage(image, 255, &grey); });
    const double resample = Best([&] { return FitPlane(grey, frame, 255, &fitted); });
    const double threshold = Best([&] { return ToMono(fitted, tone, &bitmap); });
    ConvertOptions layout = {};
    SetDefaultOptions(&layout);
    ByteScanner* scanner = SelectScanner(layout);
    const double pack = Best([&] {
        uint64_t length = 0;
        return scanner->Attach(&bitmap, 0) && EmitArrayText(*scanner, Count, &length);
    });
    std::printf("decode %.4f\nflatten %.4f\nresample %.4f\ntone %.4f\npack %.4f\n", decode, flatten, resample,
                threshold, pack);
    return 0;
}
