#include "image/image_input.h"

#include <algorithm>

#include "core/mono_bitmap.h"
#include "image/colour_tone.h"
#include "image/file_kind.h"
#include "image/level_tone.h"

namespace {

// The read, for a file the 1-bit reader has refused: the header checks
// that keep the decoder from misreading it, then the decoder.
bool Decode(const uint8_t* data, size_t size, GreyImage* image, std::string* why) {
    const FileKind kind = KindOf(data, size);
    if (kind == FileKind::Unknown || kind == FileKind::TextPnm) {
        *why = kind == FileKind::TextPnm ? "only binary PGM and PPM (P5, P6) are read, not P" + std::string(1, data[1])
                                         : "not an image this converter reads (PNG, BMP, GIF, PGM or PPM)";
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
bool BitmapToPlane(MonoBitmap* bitmap, Plane* plane, GreyFrom from, std::string* why) {
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
bool FitGrey(const Plane& plane, const ImageOptions& options, Plane* fitted, std::string* why) {
    const FrameOptions& frame = options.frame;
    if (plane.Width() == 0 || plane.Height() == 0) {
        *why = "the image is " + std::to_string(plane.Width()) + " x " + std::to_string(plane.Height()) +
               " pixels; there is nothing to fit into a frame";
        return false;
    }
    Plane turned;
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
    prepared->framed = Plane();
    prepared->decoded.Release();
    prepared->from = options.from;
    if (options.frame.KeepsTheImage()) return true;
    Plane grey;
    return BitmapToPlane(bitmap, &grey, options.from, why) && FitGrey(grey, options, &prepared->framed, why);
}

bool PrepareImage(const uint8_t* data, size_t size, const ImageOptions& options, PreparedImage* prepared,
                  MonoBitmap* bitmap, std::string* why, InputSize* source) {
    if (bitmap->LoadFromMemory(data, size)) {
        if (source) *source = {bitmap->Width(), bitmap->Height()};
        return PrepareBitmap(options, prepared, bitmap, why);
    }
    prepared->framed = Plane();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    prepared->from = options.from;
    if (!Decode(data, size, &prepared->decoded, why)) return false;
    if (source) *source = {prepared->decoded.Width(), prepared->decoded.Height()};
    return FrameDecoded(options, prepared, why);
}

bool PrepareFrame(const Animation& animation, uint32_t index, const ImageOptions& options, PreparedImage* prepared,
                  std::string* why) {
    prepared->framed = Plane();
    prepared->background = options.tone.blackBackground ? 0 : 255;
    prepared->from = options.from;
    if (!CopyFrame(animation, index, &prepared->decoded)) {
        *why = "not enough memory for frame " + std::to_string(index);
        return false;
    }
    return FrameDecoded(options, prepared, why);
}

bool FrameDecoded(const ImageOptions& options, PreparedImage* prepared, std::string* why) {
    if (options.frame.KeepsTheImage()) return true;  // toned a row at a time
    if (options.InColour()) {
        // The frame reads the decoded pixels where they are.
        const GreyImage& decoded = prepared->decoded;
        Plane view;
        view.View(decoded.Pixels(), decoded.Width(), decoded.Height(), decoded.Channels());
        const bool fitted = FitGrey(view, options, &prepared->framed, why);
        prepared->decoded.Release();
        return fitted;
    }
    Plane grey;
    const bool flat = FlattenImage(prepared->decoded, prepared->background, &grey, options.from);
    prepared->decoded.Release();
    if (!flat) {
        *why = "not enough memory for the grey levels";
        return false;
    }
    return FitGrey(grey, options, &prepared->framed, why);
}

namespace {

// A 1-bit image as levels: dark 0 and light the top; as coverage, dark the top.
bool LevelsOfBitmap(const MonoBitmap& bitmap, uint32_t depth, GreyFrom from, LevelImage* levels) {
    if (!levels->Create(bitmap.Width(), bitmap.Height(), depth)) return false;
    if (bitmap.Width() == 0) return true;  // a 1-bit file may claim any number of empty rows
    const uint32_t top = levels->MaxValue(), dark = from == GreyFrom::Coverage ? top : 0;
    // Eight pixels at a time: each dark byte's values fill `depth` bytes,
    // the first pixel in the high bits.
    uint8_t spread[256][8];
    for (uint32_t bits = 0; bits < 256; ++bits) {
        uint64_t values = 0;
        for (uint32_t k = 0; k < 8; ++k) values = values << depth | (bits >> (7 - k) & 1 ? dark : top - dark);
        for (uint32_t b = 0; b < depth; ++b) spread[bits][b] = static_cast<uint8_t>(values >> 8 * (depth - 1 - b));
    }
    const uint32_t whole = bitmap.Width() / 8;
    for (uint32_t y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = levels->Row(y);
        for (uint32_t i = 0; i < whole; ++i) std::copy_n(spread[bitmap.DarkByte(i, y)], depth, row + i * depth);
        for (uint32_t x = whole * 8; x < bitmap.Width(); ++x)
            levels->Set(x, y, bitmap.IsDark(x, y) ? dark : top - dark);
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

// The colour tone of `rows`: a palette's values or direct colour.
bool ToneColour(const PixelRows& rows, const ToneOptions& tone, const ImageOptions& options, Picture* picture) {
    picture->mono.Unload();
    if (options.direct != DirectFormat::None) return ToDirect(rows, tone, options.direct, &picture->direct);
    for (size_t v = 0; v < options.palette.colours.size(); ++v)
        picture->palette.push_back(options.palette.unused[v] ? Rgb{0, 0, 0} : options.palette.colours[v]);
    return ToPalette(rows, tone, options.palette, &picture->levels);
}

}  // namespace

PixelRows PreparedImage::Source() const {
    if (framed.Width() != 0) return framed.Rows();
    return {decoded.Pixels(), decoded.Width(), decoded.Height(), decoded.Channels(),
            static_cast<size_t>(decoded.Width()) * decoded.Channels()};
}

namespace {

// Pixel (x, y) of `from` into `to`, both held and of one kind and size.
void CopyPixel(const Picture& from, uint32_t x, uint32_t y, Picture* to) {
    if (from.InDirect()) {
        to->direct.Row(y)[x] = from.direct.Get(x, y);
    } else if (from.InLevels()) {
        to->levels.Set(x, y, from.levels.Get(x, y));
    } else {
        uint8_t& byte = to->mono.Row(y)[x >> 3];
        const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
        const bool set = from.mono.IsDark(x, y) == (to->mono.DarkIndex() == 1);
        byte = static_cast<uint8_t>(set ? byte | bit : byte & ~bit);
    }
}

}  // namespace

bool ToneFrame(const PreparedImage& prepared, const ImageOptions& options, const PreparedImage* before,
               const Picture* toned, Picture* picture, std::string* why) {
    if (!ToneImage(prepared, options, picture, why)) return false;
    if (!before || !toned || before->Empty() || prepared.Empty()) return true;
    const PixelRows now = prepared.Source(), then = before->Source();
    if (now.width != then.width || now.height != then.height || now.channels != then.channels ||
        picture->Width() != toned->Width() || picture->Height() != toned->Height() ||
        picture->InDirect() != toned->InDirect() || picture->InLevels() != toned->InLevels())
        return true;
    for (uint32_t y = 0; y < now.height; ++y) {
        const uint8_t* a = now.Row(y);
        const uint8_t* b = then.Row(y);
        for (uint32_t x = 0; x < now.width; ++x, a += now.channels, b += now.channels)
            if (std::equal(a, a + now.channels, b)) CopyPixel(*toned, x, y, picture);
    }
    return true;
}

bool ToneImage(const PreparedImage& prepared, const ImageOptions& options, Picture* picture, std::string* why) {
    bool toned = true;
    picture->coverage = options.from == GreyFrom::Coverage;
    picture->levels.Release();
    picture->direct.Release();
    picture->palette.clear();
    if (prepared.Empty() && (options.InColour() || options.ToLevels()) && !WithinDecodedLimits(picture->mono, why)) {
        picture->Release();
        return false;
    }
    if (options.InColour()) {
        ToneOptions tone = options.tone;
        Plane bitmapPlane;
        PixelRows rows = prepared.framed.Rows();
        if (prepared.Empty()) {
            toned = PlaneFromBitmap(picture->mono, &bitmapPlane);
            rows = bitmapPlane.Rows();
        } else if (prepared.framed.Width() == 0) {
            const GreyImage& image = prepared.decoded;
            rows = {image.Pixels(), image.Width(), image.Height(), image.Channels(),
                    static_cast<size_t>(image.Width()) * image.Channels()};
            tone.blackBackground = prepared.background == 0;
        }
        toned = toned && ToneColour(rows, tone, options, picture);
    } else if (!options.ToLevels()) {
        picture->levels.Release();
        if (prepared.Empty()) return true;
        ToneOptions over = options.tone;
        over.blackBackground = prepared.background == 0;
        toned = prepared.framed.Width() != 0 ? ToMono(prepared.framed, options.tone, &picture->mono)
                                             : ToMono(prepared.decoded, over, &picture->mono);
    } else if (prepared.Empty()) {
        toned = LevelsOfBitmap(picture->mono, options.depth, options.from, &picture->levels);
        picture->mono.Unload();
    } else {
        picture->mono.Unload();
        ToneOptions over = options.tone;
        over.blackBackground = prepared.background == 0;
        toned = prepared.framed.Width() != 0
                    ? ToLevels(prepared.framed, options.tone, options.depth, &picture->levels)
                    : ToLevels(prepared.decoded, over, options.depth, prepared.from, &picture->levels);
    }
    if (!toned) {
        picture->Release();
        *why = options.InColour()   ? "not enough memory for the image's colours"
               : options.ToLevels() ? "not enough memory for the image's levels"
                                    : "not enough memory for the 1-bit image";
    }
    return toned;
}

bool ConvertImageBytes(const uint8_t* data, size_t size, const ImageOptions& options, Picture* picture,
                       std::string* why, InputSize* source) {
    PreparedImage prepared;
    picture->Release();
    return PrepareImage(data, size, options, &prepared, &picture->mono, why, source) &&
           ToneImage(prepared, options, picture, why);
}

bool FramePicture(const ImageOptions& options, Picture* picture, std::string* why, InputSize* source) {
    if (source) *source = {picture->mono.Width(), picture->mono.Height()};
    PreparedImage prepared;
    return PrepareBitmap(options, &prepared, &picture->mono, why) && ToneImage(prepared, options, picture, why);
}

bool FrameLevels(const ImageOptions& options, Picture* picture, std::string* why, InputSize* source) {
    const uint32_t width = picture->Width(), height = picture->Height();
    if (source) *source = {width, height};
    if (options.frame.KeepsTheImage()) return true;
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    const bool colour = picture->InColour();
    Plane grey;
    if (pixels == 0 || pixels > kMaxDecodedPixels || !grey.Create(width, height, 0, colour ? 4 : 1)) {
        *why = "the image is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; a frame takes images of 1 to " + std::to_string(kMaxDecodedPixels) + " pixels";
        picture->Release();
        return false;
    }
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = grey.Row(y);
        for (uint32_t x = 0; x < width; ++x) {
            if (colour) {
                ColourOfPixel(*picture, x, y, row + 4 * x);
            } else {
                row[x] = static_cast<uint8_t>(GreyOfLevel(picture->levels.Get(x, y), picture->levels.Depth()));
            }
        }
    }
    PreparedImage prepared;
    if (!FitGrey(grey, options, &prepared.framed, why)) {
        picture->Release();
        return false;
    }
    prepared.from = options.from;
    return ToneImage(prepared, options, picture, why);
}

void ColourOfPixel(const Picture& picture, uint32_t x, uint32_t y, uint8_t rgba[4]) {
    rgba[3] = 255;
    if (picture.InDirect()) {
        ColourOfValue(picture.direct.Format(), picture.direct.Get(x, y), rgba);
        return;
    }
    uint32_t grey;
    if (picture.InLevels()) {
        const uint32_t value = picture.levels.Get(x, y);
        if (!picture.palette.empty()) {
            const Rgb colour = value < picture.palette.size() ? picture.palette[value] : Rgb{0, 0, 0};
            rgba[0] = colour.r, rgba[1] = colour.g, rgba[2] = colour.b;
            return;
        }
        grey = GreyOfLevel(value, picture.levels.Depth());
        if (picture.coverage) grey = 255 - grey;
    } else {
        grey = picture.mono.IsDark(x, y) ? 0 : 255;
    }
    rgba[0] = rgba[1] = rgba[2] = static_cast<uint8_t>(grey);
}
