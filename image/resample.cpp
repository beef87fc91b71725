#include "image/resample.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_resize.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include "image/channel_image.h"

namespace {

// The filter along one axis. At the image's own size every filter but the
// box blurs a little; the box keeps the pixels as they are.
stbir_filter FilterFor(Resample filter, uint64_t scaled, uint32_t own) {
    if (scaled == own) return STBIR_FILTER_BOX;
    switch (filter) {
    case Resample::Box:
        return STBIR_FILTER_BOX;
    case Resample::Triangle:
        return STBIR_FILTER_TRIANGLE;
    case Resample::CatmullRom:
        return STBIR_FILTER_CATMULLROM;
    case Resample::Mitchell:
        return STBIR_FILTER_MITCHELL;
    case Resample::Auto:
    case Resample::Nearest:
        break;
    }
    return scaled > own ? STBIR_FILTER_CATMULLROM : STBIR_FILTER_MITCHELL;
}

}  // namespace

bool ResampleRegion(const ChannelImage& in, const ScaledRegion& region, Resample filter, uint8_t* out,
                    uint32_t outStride) {
    const uint64_t width = region.width, height = region.height, x0 = region.x0, y0 = region.y0;
    const uint32_t outW = region.outW, outH = region.outH;
    const float s0 = static_cast<float>(static_cast<double>(x0) / static_cast<double>(width));
    const float t0 = static_cast<float>(static_cast<double>(y0) / static_cast<double>(height));
    const float s1 = static_cast<float>(static_cast<double>(x0 + outW) / static_cast<double>(width));
    const float t1 = static_cast<float>(static_cast<double>(y0 + outH) / static_cast<double>(height));
    const int channels = static_cast<int>(in.Channels());
    // Alpha is the last of two or four channels: stb_image_resize weighs each
    // colour by its alpha (premultiplies) while it filters, so that
    // transparent pixels lend no colour to their neighbours.
    const int alpha = channels % 2 == 0 ? channels - 1 : STBIR_ALPHA_CHANNEL_NONE;
    return stbir_resize_region(in.Row(0), static_cast<int>(in.Width()), static_cast<int>(in.Height()),
                               static_cast<int>(in.Width()) * channels, out, static_cast<int>(outW),
                               static_cast<int>(outH), static_cast<int>(outStride), STBIR_TYPE_UINT8, channels, alpha,
                               0, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, FilterFor(filter, width, in.Width()),
                               FilterFor(filter, height, in.Height()), STBIR_COLORSPACE_LINEAR, nullptr, s0, t0, s1,
                               t1) != 0;
}
