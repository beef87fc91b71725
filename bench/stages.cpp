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
#include "core/packed_image.h"
#include "core/pixel_image.h"
#include "image/channel_image.h"
#include "image/frame.h"
#include "image/image_decoder.h"
#include "image/image_options.h"

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
int Colour(const DecodedImage& image, const FrameOptions& frame, const char* name, double decode) {
    Palette palette;
    std::string why;
    if (!ParsePalette(name, &palette, &why)) {
        std::fprintf(stderr, "qg-bench-stages: %s\n", why.c_str());
        return 2;
    }
    ChannelImage view, fitted;
    view.View(image.Rows());
    const double resample = Best([&] { return FitImage(view, frame, 255, &fitted); });
    ImageOptions options;
    options.format = FormatOf(PixelKind::Index, palette.Depth());
    options.palette = palette;
    options.tone.dither = Dither::FloydSteinberg;
    PixelImage values;
    const double dither = Best([&] { return ToneRows({fitted.Rows(), true, 255}, options, &values); });
    PackOptions pack;
    pack.layout = {0, 1, 1, 0, {}};
    const double packing = Best([&] {
        uint64_t length = 0;
        return EmitArrayText(*PackImage(values, pack), Count, &length);
    });
    std::printf("decode %.4f\nresample %.4f\ndither %.4f\npack %.4f\n", decode, resample, dither, packing);
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
    DecodedImage image;
    ChannelImage grey, fitted;
    PixelImage bitmap;
    std::string why;
    const ImageOptions options;
    const double decode = Best([&] { return DecodeImage(file.data(), file.size(), &image, &why); });
    if (argc == 4) return Colour(image, frame, argv[3], decode);
    const double flatten = Best([&] { return FlattenImage(image.Rows(), 255, &grey); });
    const double resample = Best([&] { return FitImage(grey, frame, 255, &fitted); });
    const double threshold = Best([&] { return ToneRows({fitted.Rows(), true, 255}, options, &bitmap); });
    PackOptions packing;
    SetDefaultOptions(&packing.layout);
    const double pack = Best([&] {
        uint64_t length = 0;
        return EmitArrayText(*PackImage(bitmap, packing), Count, &length);
    });
    std::printf("decode %.4f\nflatten %.4f\nresample %.4f\ntone %.4f\npack %.4f\n", decode, flatten, resample,
                threshold, pack);
    return 0;
}
