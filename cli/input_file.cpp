#include "cli/input_file.h"

#include <cstring>

#include "core/mono_bitmap.h"
#include "core/packed_image.h"
#include "forms/array_reader.h"
#include "image/file_kind.h"
#include "io/file_io.h"
#include "io/read_whole.h"

bool ReadInputBytes(const char* input, FILE* in, size_t limit, std::vector<uint8_t>* bytes, std::string* why) {
    if (std::strcmp(input, "-") == 0) {
        if (ReadWholeStream(in, bytes, limit)) return true;
        *why = "cannot read standard input";
        return false;
    }
    FileHandle file = GetPathKind(input) == PathKind::Folder ? nullptr : OpenFileForRead(input, FileShare::ReadWrite);
    if (!file) {
        std::string reason = DescribeOpenFailure(input);
        *why = "cannot open: " + (reason.empty() ? std::string("it changed while opened") : reason);
        return false;
    }
    bool read = ReadWholeFile(file, bytes, limit);
    CloseFile(file);
    if (!read) *why = "cannot read the whole file";
    return read;
}

bool ReadInputImage(const char* input, const ImageOptions& options, FILE* in, InputImage* into, std::string* why) {
    // A 1-bit BMP on disk is read by the Windows program's own reader, which
    // takes files larger than the decoder's limit.
    into->Release();
    if (std::strcmp(input, "-") != 0 && into->picture.Bitmap().Load(input))
        return FrameHeldImage(options, &into->picture, why, &into->source);
    std::vector<uint8_t> bytes;
    return ReadInputBytes(input, in, kLargestInput, &bytes, why) && ImageOfBytes(&bytes, options, into, why);
}

bool ImageOfBytes(std::vector<uint8_t>* file, const ImageOptions& options, InputImage* into, std::string* why) {
    std::vector<uint8_t>& bytes = *file;
    into->Release();
    GifFacts facts;
    if (FileKindOf(bytes.data(), bytes.size()) == FileKind::Gif && bytes.size() <= kLargestInput) {
        const std::string problem = GifProblem(bytes.data(), bytes.size(), &facts);
        if (!problem.empty()) {
            *why = "unsupported GIF: " + problem;
            return false;
        }
        if (facts.delays.size() > 1) {
            std::string reason;
            if (!DecodeAnimation(bytes.data(), bytes.size(), facts, &into->animation, &reason)) {
                *why = "cannot decode this GIF: " + reason;
                return false;
            }
            into->source = {into->animation.Width(), into->animation.Height()};
            return true;
        }
    }
    if (FileKindOf(bytes.data(), bytes.size()) == FileKind::Webp && WebpFrameCount(bytes.data(), bytes.size()) > 1) {
        std::string reason;
        if (!DecodeWebpAnimation(bytes.data(), bytes.size(), &into->animation, &reason)) {
            *why = "cannot decode this WebP: " + reason;
            return false;
        }
        into->source = {into->animation.Width(), into->animation.Height()};
        return true;
    }
    PreparedImage prepared;
    const bool ready = PrepareImage(bytes.data(), bytes.size(), options, &prepared, &into->picture, why);
    into->source = prepared.Original();
    if (!ready) return false;
    std::vector<uint8_t>().swap(bytes);  // the file is decoded: it need not stay beside the tone's image
    return ToneImage(prepared, options, &into->picture, why);
}

bool ReadArrayInput(const char* input, bool binary, FILE* in, std::vector<uint8_t>* bytes, std::string* why) {
    std::vector<uint8_t> file;
    if (!ReadInputBytes(input, in, kLargestArrayText, &file, why)) return false;
    if (file.size() > kLargestArrayText) {
        *why = "larger than " + std::to_string(kLargestArrayText >> 20) + " MiB, more than an array is read from";
        return false;
    }
    if (binary) {
        bytes->swap(file);
        return true;
    }
    return ReadArrayText(reinterpret_cast<const char*>(file.data()), file.size(), bytes, why);
}

bool UnpackArrayInput(const std::vector<uint8_t>& bytes, const PackedShape& shape, const Palette& palette,
                      PixelImage* picture, std::string* why, std::string* warning) {
    const uint64_t needed = PackedImageSize(shape);
    const std::string size = std::to_string(shape.width) + " x " + std::to_string(shape.height);
    if (bytes.size() < needed) {
        *why = "expected " + std::to_string(needed) + " bytes for " + size + " in this layout, found " +
               std::to_string(bytes.size());
        return false;
    }
    if (!UnpackPixels(bytes.data(), bytes.size(), shape, picture)) {
        *why = "not enough memory for the image";
        return false;
    }
    if (IsIndexed(shape.format)) {
        picture->SetPalette(palette.ValueColours(), palette.ShownColours());
    }
    if (bytes.size() > needed)
        *warning = std::to_string(bytes.size() - needed) + (bytes.size() - needed == 1 ? " byte" : " bytes") +
                   " more than " + size + " takes in this layout (" + std::to_string(needed) +
                   "); the rest is left out";
    return true;
}
