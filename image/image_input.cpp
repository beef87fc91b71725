#include "image/image_input.h"

#include <algorithm>

#include "core/mono_bitmap.h"
#include "image/file_kind.h"

namespace {

// The read, for a file the 1-bit reader has refused: the header checks
// that keep the decoder from misreading it, then the decoder.
bool Decode(const uint8_t* data, size_t size, const DecodeHint& hint, DecodedImage* image, std::string* why) {
    const FileKind kind = FileKindOf(data, size);
    if (kind == FileKind::Unknown || kind == FileKind::TextPnm) {
        *why = kind == FileKind::TextPnm ? "only binary PGM and PPM (P5, P6) are read, not P" + std::string(1, data[1])
                                         : "not an image this converter reads (PNG, JPEG, WebP, BMP, GIF, PGM or PPM)";
        return false;
    }
    if (size > kLargestInput) {
        *why = "the file is larger than 2 GiB";
        return false;
    }
    const std::string problem = HeaderProblem(kind, data, size);
    if (!problem.empty()) {
        *why = std::string("unsupported ") + KindName(kind) + ": " + problem;
        return false;
    }
    std::string reason;
    if (!DecodeImage(data, size, hint, image, &reason)) {
        *why = std::string("cannot decode this ") + KindName(kind) + ": " + reason;
        return false;
    }
    return true;
}

// Turn and fit.
bool FitToFrame(const ChannelImage& image, const ImageOptions& options, ChannelImage* fitted, std::string* why) {
    const FrameOptions& frame = options.frame;
    if (image.Width() == 0 || image.Height() == 0) {
        *why = "the image is " + std::to_string(image.Width()) + " x " + std::to_string(image.Height()) +
               " pixels; there is nothing to fit into a frame";
        return false;
    }
    ChannelImage turned;
    const bool turns = frame.rotate != 0 || frame.flipH || frame.flipV;
    if (turns && !TurnImage(image, frame, &turned)) {
        *why = "not enough memory to turn the image";
        return false;
    }
    // The tone before the scaling, so that the frame's margins stay the background.
    ChannelImage adjusted;
    if (!frame.adjust.Neutral() &&
        !AdjustTone(turns ? turned : image, frame.adjust, GreyFromOf(options.format), &adjusted)) {
        *why = "not enough memory to adjust the image's tone";
        return false;
    }
    const uint8_t margin = GreyFromOf(options.format) == GreyFrom::Coverage ? 0
                           : options.tone.blackBackground                   ? 0
                                                                            : 255;
    const ChannelImage& picture = !frame.adjust.Neutral() ? adjusted : turns ? turned : image;
    if (!FitImage(picture, frame, margin, fitted)) {
        *why = "not enough memory for the frame";
        return false;
    }
    return true;
}

// A 1-bit file's image made into levels or colours is held to the limits of
// decoded images: the tone's row buffers grow with the width, and a 1-bit
// file may be far wider than any decoded image.
bool WithinDecodedLimits(const MonoBitmap& bitmap, std::string* why) {
    const uint64_t pixels = static_cast<uint64_t>(bitmap.Width()) * bitmap.Height();
    if (pixels == 0) return true;  // nothing to tone, and nothing to pack: the caller says so
    if (pixels <= kMaxDecodedPixels && bitmap.Width() <= kMaxDecodedSide && bitmap.Height() <= kMaxDecodedSide)
        return true;
    *why = "the image is " + std::to_string(bitmap.Width()) + " x " + std::to_string(bitmap.Height()) +
           " pixels; levels and colours are made of images of up to " + std::to_string(kMaxDecodedSide) +
           " pixels a side and " + std::to_string(kMaxDecodedPixels) + " in all";
    return false;
}

}  // namespace

ToneSource PreparedImage::Source() const {
    if (framed.Width() != 0) return {framed.Rows(), true, background};
    return {decoded.Rows(), false, background};
}

bool PrepareHeld(const ImageOptions& options, PreparedImage* prepared, PixelImage* picture, std::string* why) {
    prepared->framed = ChannelImage();
    prepared->decoded.Release();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    if (options.frame.KeepsTheImage()) return true;
    const uint64_t pixels = static_cast<uint64_t>(picture->Width()) * picture->Height();
    if (pixels == 0 || pixels > kMaxDecodedPixels) {
        *why = "the image is " + std::to_string(picture->Width()) + " x " + std::to_string(picture->Height()) +
               " pixels; a frame takes images of 1 to " + std::to_string(kMaxDecodedPixels) + " pixels";
        picture->Release();
        return false;
    }
    ChannelImage shown;
    const bool made = ShownPixels(*picture, GreyFromOf(options.format), &shown);
    picture->Release();
    if (!made) {
        *why = "not enough memory for the grey levels";
        return false;
    }
    return FitToFrame(shown, options, &prepared->framed, why);
}

bool PrepareImage(const uint8_t* data, size_t size, const ImageOptions& options, PreparedImage* prepared,
                  PixelImage* picture, std::string* why) {
    picture->Release();
    prepared->original = {};
    if (picture->Bitmap().LoadFromMemory(data, size)) {
        const InputSize original = {picture->Width(), picture->Height()};
        const bool held = PrepareHeld(options, prepared, picture, why);
        prepared->original = original;
        return held;
    }
    prepared->framed = ChannelImage();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    if (!Decode(data, size, {&options.frame}, &prepared->decoded, why)) return false;
    // A camera's picture is stood upright before the frame turns it.
    const int orientation = prepared->decoded.Orientation();
    const bool across = orientation >= 5;
    const uint32_t width = prepared->decoded.FileWidth(), height = prepared->decoded.FileHeight();
    prepared->original = {across ? height : width, across ? width : height, orientation};
    if (orientation == 1) return FrameDecoded(options, prepared, why);
    ImageOptions upright = options;
    upright.frame = TurnedUpright(orientation, options.frame);
    return FrameDecoded(upright, prepared, why);
}

bool PrepareFrame(const Animation& animation, uint32_t index, const ImageOptions& options, PreparedImage* prepared,
                  std::string* why) {
    prepared->framed = ChannelImage();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    if (!CopyFrame(animation, index, &prepared->decoded)) {
        *why = "not enough memory for frame " + std::to_string(index);
        return false;
    }
    return FrameDecoded(options, prepared, why);
}

bool FrameDecoded(const ImageOptions& options, PreparedImage* prepared, std::string* why) {
    if (options.frame.KeepsTheImage()) return true;  // toned a row at a time
    if (KeepsColour(options.format)) {
        // The frame reads the decoded pixels where they are.
        ChannelImage view;
        view.View(prepared->decoded.Rows());
        const bool fitted = FitToFrame(view, options, &prepared->framed, why);
        prepared->decoded.Release();
        return fitted;
    }
    ChannelImage grey;
    const bool flat = FlattenImage(prepared->decoded.Rows(), prepared->background, &grey, GreyFromOf(options.format));
    prepared->decoded.Release();
    if (!flat) {
        *why = "not enough memory for the grey levels";
        return false;
    }
    return FitToFrame(grey, options, &prepared->framed, why);
}

bool ToneImage(const PreparedImage& prepared, const ImageOptions& options, PixelImage* picture, std::string* why) {
    bool toned;
    if (!prepared.KeepsBitmap()) {
        toned = ToneRows(prepared.Source(), options, picture);
    } else if (IsMono(options.format)) {
        return true;  // the 1-bit image itself
    } else if (!WithinDecodedLimits(picture->Bitmap(), why)) {
        picture->Release();
        return false;
    } else {
        PixelImage values;
        toned = ToneBitmap(*picture, options, &values);
        picture->Swap(values);
    }
    if (!toned) {
        picture->Release();
        *why = KeepsColour(options.format) ? "not enough memory for the image's colours"
               : !IsMono(options.format)   ? "not enough memory for the image's levels"
                                           : "not enough memory for the 1-bit image";
    }
    return toned;
}

bool ToneFrame(const PreparedImage& prepared, const ImageOptions& options, const PreparedImage* before,
               const PixelImage* toned, PixelImage* picture, std::string* why) {
    if (!ToneImage(prepared, options, picture, why)) return false;
    if (!before || !toned || before->KeepsBitmap() || prepared.KeepsBitmap()) return true;
    const PixelRows now = prepared.Source().rows, then = before->Source().rows;
    if (now.width != then.width || now.height != then.height || now.channels != then.channels ||
        picture->Width() != toned->Width() || picture->Height() != toned->Height() ||
        picture->Format() != toned->Format())
        return true;
    for (uint32_t y = 0; y < now.height; ++y) {
        const uint8_t* a = now.Row(y);
        const uint8_t* b = then.Row(y);
        for (uint32_t x = 0; x < now.width; ++x, a += now.channels, b += now.channels)
            if (std::equal(a, a + now.channels, b)) picture->Set(x, y, toned->Get(x, y));
    }
    return true;
}

bool ConvertImageBytes(const uint8_t* data, size_t size, const ImageOptions& options, PixelImage* picture,
                       std::string* why, InputSize* source) {
    PreparedImage prepared;
    const bool ready = PrepareImage(data, size, options, &prepared, picture, why);
    if (source) *source = prepared.Original();
    return ready && ToneImage(prepared, options, picture, why);
}

bool FrameHeldImage(const ImageOptions& options, PixelImage* picture, std::string* why, InputSize* source) {
    if (source) *source = {picture->Width(), picture->Height()};
    // Read back in the options' format, an image the frame leaves alone is
    // already what it becomes.
    if (options.frame.KeepsTheImage() && picture->Format() == options.format) return true;
    PreparedImage prepared;
    return PrepareHeld(options, &prepared, picture, why) && ToneImage(prepared, options, picture, why);
}
