#include "image/image_input.h"

#include "core/mono_bitmap.h"
#include "image/file_kind.h"

namespace {

// The read, for a file the 1-bit reader has refused: the header checks
// that keep the decoder from misreading it, then the decoder.
bool Decode(const uint8_t* data, size_t size, GreyImage* image, std::string* why) {
    const FileKind kind = KindOf(data, size);
    if (kind == FileKind::Unknown || kind == FileKind::TextPnm) {
        *why = kind == FileKind::TextPnm ? "only binary PGM and PPM (P5, P6) are read, not P" + std::string(1, data[1])
                                         : "not an image this converter reads (PNG, BMP, PGM or PPM)";
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
    if (!DecodeGrey(data, size, image, &reason)) {
        *why = std::string("cannot decode this ") + KindName(kind) + ": " + reason;
        return false;
    }
    return true;
}

// A 1-bit image that the frame changes, as grey levels.
bool BitmapToPlane(MonoBitmap* bitmap, GreyPlane* plane, std::string* why) {
    const uint64_t pixels = static_cast<uint64_t>(bitmap->Width()) * bitmap->Height();
    if (pixels == 0 || pixels > kMaxDecodedPixels) {
        *why = "the image is " + std::to_string(bitmap->Width()) + " x " + std::to_string(bitmap->Height()) +
               " pixels; a frame takes images of 1 to " + std::to_string(kMaxDecodedPixels) + " pixels";
        bitmap->Unload();
        return false;
    }
    const bool made = PlaneFromBitmap(*bitmap, plane);
    bitmap->Unload();
    if (!made) *why = "not enough memory for the grey levels";
    return made;
}

// Turn and fit.
bool FitGrey(const GreyPlane& plane, const ImageOptions& options, GreyPlane* fitted, std::string* why) {
    const FrameOptions& frame = options.frame;
    if (plane.Width() == 0 || plane.Height() == 0) {
        *why = "the image is " + std::to_string(plane.Width()) + " x " + std::to_string(plane.Height()) +
               " pixels; there is nothing to fit into a frame";
        return false;
    }
    GreyPlane turned;
    const bool turns = frame.rotate != 0 || frame.flipH || frame.flipV;
    if (turns && !TurnPlane(plane, frame, &turned)) {
        *why = "not enough memory to turn the image";
        return false;
    }
    if (!FitPlane(turns ? turned : plane, frame, options.tone.blackBackground ? 0 : 255, fitted)) {
        *why = "not enough memory for the frame";
        return false;
    }
    return true;
}

}  // namespace

bool PrepareBitmap(const ImageOptions& options, PreparedImage* prepared, MonoBitmap* bitmap, std::string* why) {
    prepared->grey = GreyPlane();
    prepared->decoded.Release();
    if (options.frame.KeepsTheImage()) return true;
    GreyPlane grey;
    return BitmapToPlane(bitmap, &grey, why) && FitGrey(grey, options, &prepared->grey, why);
}

bool PrepareImage(const uint8_t* data, size_t size, const ImageOptions& options, PreparedImage* prepared,
                  MonoBitmap* bitmap, std::string* why, InputSize* source) {
    if (bitmap->LoadFromMemory(data, size)) {
        if (source) *source = {bitmap->Width(), bitmap->Height()};
        return PrepareBitmap(options, prepared, bitmap, why);
    }
    prepared->grey = GreyPlane();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    if (!Decode(data, size, &prepared->decoded, why)) return false;
    if (source) *source = {prepared->decoded.Width(), prepared->decoded.Height()};
    if (options.frame.KeepsTheImage()) return true;  // toned a row at a time
    GreyPlane grey;
    const bool flat = FlattenImage(prepared->decoded, prepared->background, &grey);
    prepared->decoded.Release();
    if (!flat) {
        *why = "not enough memory for the grey levels";
        return false;
    }
    return FitGrey(grey, options, &prepared->grey, why);
}

bool ToneImage(const PreparedImage& prepared, const ToneOptions& tone, MonoBitmap* bitmap, std::string* why) {
    if (prepared.Empty()) return true;
    ToneOptions over = tone;
    over.blackBackground = prepared.background == 0;
    const bool toned =
        prepared.grey.Width() != 0 ? ToMono(prepared.grey, tone, bitmap) : ToMono(prepared.decoded, over, bitmap);
    if (!toned) *why = "not enough memory for the 1-bit image";
    return toned;
}

bool ConvertImageBytes(const uint8_t* data, size_t size, const ImageOptions& options, MonoBitmap* bitmap,
                       std::string* why, InputSize* source) {
    PreparedImage prepared;
    return PrepareImage(data, size, options, &prepared, bitmap, why, source) &&
           ToneImage(prepared, options.tone, bitmap, why);
}

bool FrameBitmap(const ImageOptions& options, MonoBitmap* bitmap, std::string* why, InputSize* source) {
    if (source) *source = {bitmap->Width(), bitmap->Height()};
    PreparedImage prepared;
    return PrepareBitmap(options, &prepared, bitmap, why) && ToneImage(prepared, options.tone, bitmap, why);
}
