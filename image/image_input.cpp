#include "image/image_input.h"

#include "core/mono_bitmap.h"
#include "image/file_kind.h"
#include "image/level_tone.h"

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
bool BitmapToPlane(MonoBitmap* bitmap, GreyPlane* plane, GreyFrom from, std::string* why) {
    const uint64_t pixels = static_cast<uint64_t>(bitmap->Width()) * bitmap->Height();
    if (pixels == 0 || pixels > kMaxDecodedPixels) {
        *why = "the image is " + std::to_string(bitmap->Width()) + " x " + std::to_string(bitmap->Height()) +
               " pixels; a frame takes images of 1 to " + std::to_string(kMaxDecodedPixels) + " pixels";
        bitmap->Unload();
        return false;
    }
    const bool made = PlaneFromBitmap(*bitmap, plane, from);
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
    const uint8_t margin = options.from == GreyFrom::Coverage ? 0 : options.tone.blackBackground ? 0 : 255;
    if (!FitPlane(turns ? turned : plane, frame, margin, fitted)) {
        *why = "not enough memory for the frame";
        return false;
    }
    return true;
}

}  // namespace

bool PrepareBitmap(const ImageOptions& options, PreparedImage* prepared, MonoBitmap* bitmap, std::string* why) {
    prepared->grey = GreyPlane();
    prepared->decoded.Release();
    prepared->from = options.from;
    if (options.frame.KeepsTheImage()) return true;
    GreyPlane grey;
    return BitmapToPlane(bitmap, &grey, options.from, why) && FitGrey(grey, options, &prepared->grey, why);
}

bool PrepareImage(const uint8_t* data, size_t size, const ImageOptions& options, PreparedImage* prepared,
                  MonoBitmap* bitmap, std::string* why, InputSize* source) {
    if (bitmap->LoadFromMemory(data, size)) {
        if (source) *source = {bitmap->Width(), bitmap->Height()};
        return PrepareBitmap(options, prepared, bitmap, why);
    }
    prepared->grey = GreyPlane();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    prepared->from = options.from;
    if (!Decode(data, size, &prepared->decoded, why)) return false;
    if (source) *source = {prepared->decoded.Width(), prepared->decoded.Height()};
    if (options.frame.KeepsTheImage()) return true;  // toned a row at a time
    GreyPlane grey;
    const bool flat = FlattenImage(prepared->decoded, prepared->background, &grey, options.from);
    prepared->decoded.Release();
    if (!flat) {
        *why = "not enough memory for the grey levels";
        return false;
    }
    return FitGrey(grey, options, &prepared->grey, why);
}

namespace {

// A 1-bit image as levels: dark 0 and light the top; as coverage, dark the top.
bool LevelsOfBitmap(const MonoBitmap& bitmap, uint32_t depth, GreyFrom from, LevelImage* levels) {
    if (!levels->Create(bitmap.Width(), bitmap.Height(), depth)) return false;
    const uint32_t dark = from == GreyFrom::Coverage ? levels->MaxValue() : 0;
    for (uint32_t y = 0; y < bitmap.Height(); ++y)
        for (uint32_t x = 0; x < bitmap.Width(); ++x)
            levels->Set(x, y, bitmap.IsDark(x, y) ? dark : levels->MaxValue() - dark);
    return true;
}

}  // namespace

bool ToneImage(const PreparedImage& prepared, const ImageOptions& options, Picture* picture, std::string* why) {
    bool toned = true;
    picture->coverage = options.from == GreyFrom::Coverage;
    if (!options.ToLevels()) {
        picture->levels.Release();
        if (prepared.Empty()) return true;
        ToneOptions over = options.tone;
        over.blackBackground = prepared.background == 0;
        toned = prepared.grey.Width() != 0 ? ToMono(prepared.grey, options.tone, &picture->mono)
                                           : ToMono(prepared.decoded, over, &picture->mono);
    } else if (prepared.Empty()) {
        toned = LevelsOfBitmap(picture->mono, options.depth, options.from, &picture->levels);
        picture->mono.Unload();
    } else {
        picture->mono.Unload();
        ToneOptions over = options.tone;
        over.blackBackground = prepared.background == 0;
        toned = prepared.grey.Width() != 0
                    ? ToLevels(prepared.grey, options.tone, options.depth, &picture->levels)
                    : ToLevels(prepared.decoded, over, options.depth, prepared.from, &picture->levels);
    }
    if (!toned) {
        picture->Release();
        *why =
            options.ToLevels() ? "not enough memory for the image's levels" : "not enough memory for the 1-bit image";
    }
    return toned;
}

bool ConvertImageBytes(const uint8_t* data, size_t size, const ImageOptions& options, Picture* picture,
                       std::string* why, InputSize* source) {
    PreparedImage prepared;
    picture->levels.Release();
    return PrepareImage(data, size, options, &prepared, &picture->mono, why, source) &&
           ToneImage(prepared, options, picture, why);
}

bool FramePicture(const ImageOptions& options, Picture* picture, std::string* why, InputSize* source) {
    if (source) *source = {picture->mono.Width(), picture->mono.Height()};
    PreparedImage prepared;
    return PrepareBitmap(options, &prepared, &picture->mono, why) && ToneImage(prepared, options, picture, why);
}

bool FrameLevels(const ImageOptions& options, Picture* picture, std::string* why, InputSize* source) {
    LevelImage& levels = picture->levels;
    if (source) *source = {levels.Width(), levels.Height()};
    if (options.frame.KeepsTheImage()) return true;
    const uint64_t pixels = static_cast<uint64_t>(levels.Width()) * levels.Height();
    GreyPlane grey;
    if (pixels == 0 || pixels > kMaxDecodedPixels || !grey.Create(levels.Width(), levels.Height(), 0)) {
        *why = "the image is " + std::to_string(levels.Width()) + " x " + std::to_string(levels.Height()) +
               " pixels; a frame takes images of 1 to " + std::to_string(kMaxDecodedPixels) + " pixels";
        picture->Release();
        return false;
    }
    for (uint32_t y = 0; y < levels.Height(); ++y)
        for (uint32_t x = 0; x < levels.Width(); ++x)
            grey.Row(y)[x] = static_cast<uint8_t>(GreyOfLevel(levels.Get(x, y), levels.Depth()));
    PreparedImage prepared;
    if (!FitGrey(grey, options, &prepared.grey, why)) {
        picture->Release();
        return false;
    }
    prepared.from = options.from;
    return ToneImage(prepared, options, picture, why);
}
