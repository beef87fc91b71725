#include "core/replacing_file.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

// Length of the folder part of `path`, separator included.
size_t FolderLength(const char* path) {
    size_t folder = 0;
    for (size_t i = 0; path[i]; ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\' || c == '/' || c == ':') {
            folder = i + 1;
        } else if (IsLeadByte(c) && path[i + 1]) {
            ++i;
        }
    }
    return folder;
}

}  // namespace

bool ReplacingFile::Open(const char* path) {
    Abandon();
    if (!CopyPath(target, sizeof target, path)) return false;
    switch (GetPathKind(target)) {
    case PathKind::Folder:
        return false;
    case PathKind::Device:
        direct = true;
        file = CreateFileForWrite(target);
        return file != nullptr;
    case PathKind::Missing:
    case PathKind::RegularFile:
        direct = false;
        break;
    }
    size_t folder = FolderLength(target);
    unsigned start = static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned attempt = 0; attempt < 64; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~qg%05u.tmp", (start + attempt * 7919u) % 100000u);
        size_t nameLength = std::strlen(name);
        if (folder + nameLength + 1 > sizeof temporary) return false;
        std::memcpy(temporary, target, folder);
        std::memcpy(temporary + folder, name, nameLength + 1);
        file = CreateNewFileForWrite(temporary);
        if (file) return true;
    }
    temporary[0] = '\0';
    return false;
}

bool ReplacingFile::Commit() {
    if (!file) return false;
    CloseFile(file);
    file = nullptr;
    if (direct) return true;
    if (ReplaceFileWith(temporary, target)) {
        temporary[0] = '\0';
        return true;
    }
    DeleteFileAt(temporary);
    temporary[0] = '\0';
    return false;
}

void ReplacingFile::Abandon() {
    if (!file) return;
    CloseFile(file);
    file = nullptr;
    if (direct) return;
    DeleteFileAt(temporary);
    temporary[0] = '\0';
}
