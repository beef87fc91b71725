#include "io/path_name.h"

#include <cstring>
#include <new>

#include "io/file_io.h"

namespace {

// Where the extension of the last component starts, or the terminating NUL.
char* FindExtension(char* path) {
    char* dot = nullptr;
    char* at = path;
    while (*at) {
        unsigned char c = static_cast<unsigned char>(*at);
        if (c == '\\' || c == '/' || c == ' ') {
            dot = nullptr;
        } else if (c == '.') {
            dot = at;
        } else if (IsLeadByte(c) && at[1] != '\0') {
            ++at;  // the trail byte may look like a separator; it is not one
        }
        ++at;
    }
    return dot ? dot : at;
}

}  // namespace

bool RenameExtension(char* path, size_t capacity, const char* ext) {
    char* extension = FindExtension(path);
    size_t stem = static_cast<size_t>(extension - path);
    size_t extLength = std::strlen(ext);
    if (stem + extLength + 1 > capacity) return false;
    std::memcpy(extension, ext, extLength + 1);
    return true;
}

bool CopyPath(char* buffer, size_t capacity, const char* source) {
    size_t length = std::strlen(source);
    if (length + 1 > capacity) return false;
    std::memcpy(buffer, source, length + 1);
    return true;
}

char* DuplicatePath(const char* path) {
    if (!path) return nullptr;
    size_t size = std::strlen(path) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy) std::memcpy(copy, path, size);
    return copy;
}
