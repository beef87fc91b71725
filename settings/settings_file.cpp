#include "settings/settings_file.h"

#include <cstring>

#include "io/file_io.h"
#include "io/path_name.h"

ConvertOptions g_options;

namespace {

const char* programName = nullptr;

uint32_t AsFlag(uint32_t value) { return value != 0 ? 1 : 0; }

// Case-insensitive for ASCII, as Windows compares file names.
bool SameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char ca = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a + 32) : *a;
        char cb = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b + 32) : *b;
        if (ca != cb) return false;
    }
    return *a == *b;
}

}  // namespace

void SetProgramName(const char* name) { programName = name; }

bool GetSettingsPath(char* path, size_t capacity) {
    if (!programName || !*programName) return false;
    if (!CopyPath(path, capacity, programName)) return false;
    if (!RenameExtension(path, capacity, ".dat")) return false;
    return !SameName(path, programName);
}

OptionsFileStatus ReadOptionsFile(const char* path, ConvertOptions* options) {
    FileHandle file = OpenFileForRead(path, FileShare::None);
    if (!file) return OptionsFileStatus::CannotOpen;
    ConvertOptions read;
    uint32_t delivered = 0;
    bool good = ReadFileBytes(file, &read, sizeof read, &delivered) && delivered == sizeof read;
    CloseFile(file);
    if (!good) return OptionsFileStatus::TooShort;
    read.msbReverse = AsFlag(read.msbReverse);
    read.bitHorizontal = AsFlag(read.bitHorizontal);
    read.byteHorizontal = AsFlag(read.byteHorizontal);
    read.fillOnes = static_cast<uint8_t>(AsFlag(read.fillOnes));
    *options = read;
    return OptionsFileStatus::Read;
}

void LoadOptions() {
    char path[kPathBufferSize];
    if (GetSettingsPath(path, sizeof path) && ReadOptionsFile(path, &g_options) == OptionsFileStatus::Read) return;
    SetDefaultOptions(&g_options);
}

void SaveOptions() {
    char path[kPathBufferSize];
    if (!GetSettingsPath(path, sizeof path)) return;
    FileHandle file = CreateFileForWrite(path);
    if (!file) return;
    WriteFileBytes(file, &g_options, sizeof g_options);
    CloseFile(file);
}
