#include "io/array_text_file.h"

#include "core/array_text.h"

bool WriteToFile(void* file, const char* text, uint32_t size) {
    return WriteFileBytes(static_cast<FileHandle>(file), text, size);
}

bool WriteArrayText(const ByteScanner& scanner, FileHandle file) { return EmitArrayText(scanner, WriteToFile, file); }
