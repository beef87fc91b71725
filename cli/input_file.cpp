#include "cli/input_file.h"

#include <cstring>

#include "core/direct_grid.h"
#include "core/level_grid.h"
#include "core/mono_bitmap.h"
#include "core/unpack.h"
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

bool ReadInputImage(const char* input, const ImageOptions& options, FILE* in, Picture* picture, std::string* why,
                    InputSize* source, Animation* animation) {
    // A 1-bit BMP on disk is read by the Windows program's own reader, which
    // takes files larger than the decoder's limit.
    picture->Release();
    if (animation) animation->Release();
    if (std::strcmp(input, "-") != 0 && picture->mono.Load(input)) return FramePicture(options, picture, why, source);
    std::vector<uint8_t> bytes;
    return ReadInputBytes(input, in, kLargestInput, &bytes, why) &&
           ImageOfBytes(&bytes, options, picture, why, source, animation);
}

bool ImageOfBytes(std::vector<uint8_t>* file, const ImageOptions& options, Picture* picture, std::string* why,
                  InputSize* source, Animation* animation) {
    std::vector<uint8_t>& bytes = *file;
    picture->Release();
    GifFacts facts;
    if (animation && KindOf(bytes.data(), bytes.size()) == FileKind::Gif && bytes.size() <= kLargestInput) {
        const std::string problem = GifProblem(bytes.data(), bytes.size(), &facts);
        if (!problem.empty()) {
            *why = "unsupported GIF: " + problem;
            return false;
        }
        if (facts.delays.size() > 1) {
            std::string reason;
            if (!DecodeAnimation(bytes.data(), bytes.size(), animation, &reason)) {
                *why = "cannot decode this GIF: " + reason;
                return false;
            }
            if (source) *source = {animation->Width(), animation->Height()};
            return true;
        }
    }
    PreparedImage prepared;
    if (!PrepareImage(bytes.data(), bytes.size(), options, &prepared, &picture->mono, why, source)) return false;
    std::vector<uint8_t>().swap(bytes);  // the file is decoded: it need not stay beside the tone's image
    return ToneImage(prepared, options, picture, why);
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

bool UnpackArrayInput(const std::vector<uint8_t>& bytes, uint32_t width, uint32_t height, const ImageOptions& options,
                      bool bigEndian, const ConvertOptions& layout, Picture* picture, std::string* why,
                      std::string* warning) {
    const uint32_t depth = options.depth;
    const DirectFormat direct = options.direct;
    const bool palette = !options.palette.Empty();
    const uint64_t needed = direct != DirectFormat::None ? PackedDirectSize(width, height, direct)
                            : depth == 1 && !palette     ? PackedSize(width, height, layout)
                                                         : PackedLevelSize(width, height, depth, layout);
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (bytes.size() < needed) {
        *why = "expected " + std::to_string(needed) + " bytes for " + size + " in this layout, found " +
               std::to_string(bytes.size());
        return false;
    }
    picture->Release();
    const bool unpacked =
        direct != DirectFormat::None
            ? UnpackDirect(bytes.data(), bytes.size(), width, height, direct, layout, bigEndian, &picture->direct)
        : depth == 1 && !palette
            ? UnpackImage(bytes.data(), bytes.size(), width, height, layout, &picture->mono)
            : UnpackLevels(bytes.data(), bytes.size(), width, height, depth, layout, &picture->levels);
    for (size_t v = 0; palette && v < options.palette.colours.size(); ++v)
        picture->palette.push_back(options.palette.unused[v] ? Rgb{0, 0, 0} : options.palette.colours[v]);
    if (!unpacked) {
        *why = "not enough memory for the image";
        return false;
    }
    if (bytes.size() > needed)
        *warning = std::to_string(bytes.size() - needed) + (bytes.size() - needed == 1 ? " byte" : " bytes") +
                   " more than " + size + " takes in this layout (" + std::to_string(needed) +
                   "); the rest is left out";
    return true;
}
