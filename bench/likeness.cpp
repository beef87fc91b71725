// How like a photograph a dithered picture of it looks to an eye at a
// viewing distance: both in linear light, the picture seen by an eye
// adapted to the panel's white (each channel divided by the white ink's
// light, as the eye takes a paper's white for white), both blurred by a
// Gaussian of SIGMA pixels (the eye's spread at that distance: the dots of
// a dither merge), then the mean OKLab distance, times 100 (about 1 is the
// least difference one sees side by side). Lower is more alike.
//   usage: qg-bench-likeness PHOTO PICTURE WHITE SIGMA...
//          WHITE: the panel's white ink as RRGGBB (FFFFFF for none)
// Prints one number a SIGMA, on one line.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/colour_space.h"
#include "image/image_decoder.h"

namespace {

struct Plane {
    uint32_t width = 0, height = 0;
    std::vector<double> c[3];
};

bool Load(const char* path, const Linear& white, Plane* plane) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    DecodedImage image;
    std::string why;
    if (!DecodeImage(bytes.data(), bytes.size(), &image, &why)) {
        std::fprintf(stderr, "qg-bench-likeness: %s: %s\n", path, why.c_str());
        return false;
    }
    plane->width = image.Width(), plane->height = image.Height();
    const uint32_t channels = image.Channels();
    const double whites[3] = {white.r, white.g, white.b};
    for (int k = 0; k < 3; ++k) plane->c[k].resize(static_cast<size_t>(plane->width) * plane->height);
    for (size_t i = 0; i < plane->c[0].size(); ++i) {
        const uint8_t* p = image.Pixels() + i * channels;
        for (int k = 0; k < 3; ++k) plane->c[k][i] = LinearOfSrgb(p[channels >= 3 ? k : 0]) / whites[k];
    }
    return true;
}

// A separable Gaussian, the edges repeated.
void Blur(Plane* plane, double sigma) {
    const int radius = static_cast<int>(std::ceil(3 * sigma));
    std::vector<double> weights(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += weights[i + radius] = std::exp(-0.5 * i * i / (sigma * sigma));
    for (double& w : weights) w /= sum;
    const int w = static_cast<int>(plane->width), h = static_cast<int>(plane->height);
    std::vector<double> out(plane->c[0].size());
    for (std::vector<double>& c : plane->c) {
        for (int pass = 0; pass < 2; ++pass) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    double v = 0;
                    for (int i = -radius; i <= radius; ++i) {
                        const int sx = pass == 0 ? std::min(w - 1, std::max(0, x + i)) : x;
                        const int sy = pass == 1 ? std::min(h - 1, std::max(0, y + i)) : y;
                        v += weights[i + radius] * c[static_cast<size_t>(sy) * w + sx];
                    }
                    out[static_cast<size_t>(y) * w + x] = v;
                }
            c.swap(out);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: qg-bench-likeness PHOTO PICTURE WHITE SIGMA...\n");
        return 2;
    }
    const unsigned long rgb = std::strtoul(argv[3], nullptr, 16);
    const Linear white = {LinearOfSrgb(static_cast<uint8_t>(rgb >> 16)), LinearOfSrgb(static_cast<uint8_t>(rgb >> 8)),
                          LinearOfSrgb(static_cast<uint8_t>(rgb))};
    Plane photo, picture;
    if (!Load(argv[1], {1, 1, 1}, &photo) || !Load(argv[2], white, &picture)) return 1;
    if (photo.width != picture.width || photo.height != picture.height) {
        std::fprintf(stderr, "qg-bench-likeness: the two are not the same size\n");
        return 1;
    }
    for (int arg = 4; arg < argc; ++arg) {
        Plane a = photo, b = picture;
        const double sigma = std::atof(argv[arg]);
        Blur(&a, sigma);
        Blur(&b, sigma);
        double total = 0;
        for (size_t i = 0; i < a.c[0].size(); ++i) {
            const Oklab x = OklabOf({a.c[0][i], a.c[1][i], a.c[2][i]});
            const Oklab y = OklabOf({b.c[0][i], b.c[1][i], b.c[2][i]});
            total += std::sqrt((x.l - y.l) * (x.l - y.l) + (x.a - y.a) * (x.a - y.a) + (x.b - y.b) * (x.b - y.b));
        }
        std::printf("%s%.2f", arg > 4 ? " " : "", 100 * total / static_cast<double>(a.c[0].size()));
    }
    std::printf("\n");
    return 0;
}
