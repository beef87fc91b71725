// WebP through libwebp: lossy, lossless, with alpha, and animated (its
// frames composited by libwebp's animation decoder).
#include <cstring>

#include "image/decoder_memory.h"
#include "image/file_kind.h"
#include "image/image_decoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

namespace {

const char* StatusText(VP8StatusCode status) {
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
        return "more memory than the decoders may take";
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        return "a feature the decoder does not support";
    case VP8_STATUS_NOT_ENOUGH_DATA:
        return "the file ends early";
    default:
        return "damaged data";
    }
}

// What libwebp holds beside the pixels it gives: a lossless picture (or
// the alpha plane of a lossy one) is decoded whole before it is handed
// over.
uint64_t WorkingBytes(const WebPBitstreamFeatures& features) {
    const uint64_t pixels = static_cast<uint64_t>(features.width) * features.height;
    return features.format == 2 ? pixels * 4 : features.has_alpha ? pixels : 0;
}

bool Refuse(std::string* why, const std::string& reason) {
    *why = reason;
    return false;
}

std::string TooLarge(uint64_t width, uint64_t height) {
    return "the image is " + std::to_string(width) + " x " + std::to_string(height) + " pixels, more than the " +
           std::to_string(kMaxDecodedPixels) + " pixels this converter decodes";
}

}  // namespace

bool DecodeWebp(const uint8_t* data, size_t size, DecodedImage* image, std::string* why) {
    image->Release();
    WebPBitstreamFeatures features;
    const VP8StatusCode read = WebPGetFeatures(data, size, &features);
    if (read != VP8_STATUS_OK) return Refuse(why, StatusText(read));
    const uint64_t width = static_cast<uint64_t>(features.width), height = static_cast<uint64_t>(features.height);
    if (width * height > kMaxDecodedPixels) return Refuse(why, TooLarge(width, height));
    if (features.has_animation) {
        // Its first frame, as the animation decoder composites it.
        Animation animation;
        if (!DecodeWebpAnimation(data, size, &animation, why, 1)) return false;
        return CopyFrame(animation, 0, image) || Refuse(why, "more memory than the decoders may take");
    }
    const uint32_t channels = features.has_alpha ? 4 : 3;
    const size_t bytes = static_cast<size_t>(width * height * channels);
    if (bytes + WorkingBytes(features) > DecoderMemoryLeft())
        return Refuse(why, "more memory than the decoders may take");
    uint8_t* pixels = static_cast<uint8_t*>(DecoderMalloc(bytes ? bytes : 1));
    if (!pixels) return Refuse(why, "more memory than the decoders may take");
    WebPDecoderConfig config;
    WebPInitDecoderConfig(&config);
    config.output.colorspace = features.has_alpha ? MODE_RGBA : MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = pixels;
    config.output.u.RGBA.stride = static_cast<int>(width * channels);
    config.output.u.RGBA.size = bytes;
    const VP8StatusCode decoded = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    if (decoded != VP8_STATUS_OK) {
        DecoderFree(pixels);
        return Refuse(why, StatusText(decoded));
    }
    image->pixels = pixels;
    image->width = image->fileWidth = static_cast<uint32_t>(width);
    image->height = image->fileHeight = static_cast<uint32_t>(height);
    image->channels = channels;
    return true;
}

bool WebpSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK) return false;
    *width = static_cast<uint32_t>(features.width);
    *height = static_cast<uint32_t>(features.height);
    return true;
}

uint32_t WebpFrameCount(const uint8_t* data, size_t size) {
    WebPData file = {data, size};
    WebPDemuxer* demuxer = WebPDemux(&file);
    if (!demuxer) return 0;
    const uint32_t frames = WebPDemuxGetI(demuxer, WEBP_FF_FRAME_COUNT);
    WebPDemuxDelete(demuxer);
    return frames;
}

bool DecodeWebpAnimation(const uint8_t* data, size_t size, Animation* animation, std::string* why, uint32_t most) {
    animation->Release();
    WebPData file = {data, size};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&file, &options);
    if (!decoder) return Refuse(why, "damaged animation");
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    const uint64_t width = info.canvas_width, height = info.canvas_height;
    const uint32_t count = info.frame_count < most ? info.frame_count : most;
    std::string problem;
    if (count == 0) {
        problem = "no frame";
    } else if (info.frame_count > kMaxFrames) {
        problem = std::to_string(info.frame_count) + " frames, more than the " + std::to_string(kMaxFrames) +
                  " an animation may have";
    } else if (width * height * count > kMaxDecodedPixels) {
        problem = "frames of " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels that together hold more than the " + std::to_string(kMaxDecodedPixels) +
                  " pixels this converter decodes";
    } else if (width * height * 4 * (count + 2) > DecoderMemoryLeft()) {
        problem = "more memory than the decoders may take";  // the frames, and the decoder's canvas and the one before
    }
    const size_t frameBytes = static_cast<size_t>(width * height * 4);
    uint8_t* pixels = problem.empty() ? static_cast<uint8_t*>(DecoderMalloc(frameBytes * count)) : nullptr;
    if (problem.empty() && !pixels) problem = "more memory than the decoders may take";
    std::vector<uint32_t> delays;
    for (int before = 0; problem.empty() && delays.size() < count;) {
        uint8_t* frame = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder, &frame, &timestamp)) {
            problem = "frame " + std::to_string(delays.size() + 1) + ": damaged data";
            break;
        }
        std::memcpy(pixels + frameBytes * delays.size(), frame, frameBytes);
        delays.push_back(static_cast<uint32_t>(timestamp > before ? timestamp - before : 0));
        before = timestamp;
    }
    WebPAnimDecoderDelete(decoder);
    if (!problem.empty()) {
        DecoderFree(pixels);
        return Refuse(why, problem);
    }
    animation->pixels = pixels;
    animation->width = static_cast<uint32_t>(width);
    animation->height = static_cast<uint32_t>(height);
    animation->count = count;
    animation->delays = delays;
    return true;
}
