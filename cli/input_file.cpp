#include "cli/input_file.h"

#include <cstring>
#include <vector>

#include "core/mono_bitmap.h"
#include "image/image_input.h"
#include "io/file_io.h"
#include "io/read_whole.h"

bool LoadInput(const char* input, const ImageOptions& options, FILE* in, MonoBitmap* bitmap,
               std::string* why, InputSize* source) {
    std::vector<uint8_t> bytes;
    if (std::strcmp(input, "-") == 0) {
        if (!ReadWholeStream(in, &bytes, kLargestInput)) {
            *why = "cannot read standard input";
            return false;
        }
        return LoadInputBytes(bytes.data(), bytes.size(), options, bitmap, why, source);
    }
    if (bitmap->Load(input)) return FrameBitmap(options, bitmap, why, source);
    FileHandle file = GetPathKind(input) == PathKind::Folder
                          ? nullptr
                          : OpenFileForRead(input, FileShare::ReadWrite);
    if (!file) {
        std::string reason = DescribeOpenFailure(input);
        *why = "cannot open: " + (reason.empty() ? std::string("it changed while opened") : reason);
        return false;
    }
    bool read = ReadWholeFile(file, &bytes, kLargestInput);
    CloseFile(file);
    if (!read) {
        *why = "cannot read the whole file";
        return false;
    }
    return DecodeInputBytes(bytes.data(), bytes.size(), options, bitmap, why, source);
}
