#include "io/replacing_file.h"

#include <chrono>
#include <cstdio>

namespace {

// Length of the folder part of `path`, separator included.
size_t FolderLength(const std::string& path) {
    size_t folder = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\' || c == '/' || c == ':') {
            folder = i + 1;
        } else if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
        }
    }
    return folder;
}

}  // namespace

bool ReplacingFile::Open(const char* path) {
    Abandon();
    target = FollowLinks(path);
    switch (GetPathKind(target.c_str())) {
    case PathKind::Folder:
        return false;
    case PathKind::Device:
        direct = true;
        file = CreateFileForWrite(target.c_str());
        return file != nullptr;
    case PathKind::Missing:
    case PathKind::RegularFile:
        direct = false;
        break;
    }
    std::string folder = target.substr(0, FolderLength(target));
    unsigned start = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned attempt = 0; attempt < 64; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~qg%05u.tmp", (start + attempt * 7919u) % 100000u);
        temporary = folder + name;
        file = CreateNewFileForWrite(temporary.c_str());
        if (file) {
            RemoveOnInterrupt(temporary.c_str());
            return true;
        }
    }
    temporary.clear();
    return false;
}

bool ReplacingFile::Commit() {
    if (!file) return false;
    CloseFile(file);
    file = nullptr;
    if (direct) return true;
    bool moved = ReplaceFileWith(temporary.c_str(), target.c_str());
    if (!moved) DeleteFileAt(temporary.c_str());
    RemoveOnInterrupt(nullptr);
    temporary.clear();
    return moved;
}

void ReplacingFile::Abandon() {
    if (!file) return;
    CloseFile(file);
    file = nullptr;
    if (direct) return;
    DeleteFileAt(temporary.c_str());
    RemoveOnInterrupt(nullptr);
    temporary.clear();
}
