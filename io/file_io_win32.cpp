#include "io/file_io.h"

#include <cstdio>
#include <cstring>
#include <io.h>
#include <mutex>
#include <new>
#include <string>
#include <windows.h>

#include "io/path_name.h"

struct FileObject {
    HANDLE handle;
};

namespace {

FileHandle Wrap(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    FileObject* file = new (std::nothrow) FileObject{handle};
    if (!file) CloseHandle(handle);
    return file;
}

// A path for the wide calls: as it is, or, at MAX_PATH characters and
// beyond, which the ANSI calls refuse, in its absolute \\?\ form. With
// `absolute`, always absolute, separators made backslashes.
class WidePath {
public:
    explicit WidePath(const char* path, bool absolute = false) : isLong(std::strlen(path) >= MAX_PATH) {
        std::wstring plain = Widen(path);
        if ((!isLong && !absolute) || plain.compare(0, 4, L"\\\\?\\") == 0) {
            wide = plain;
            return;
        }
        DWORD size = GetFullPathNameW(plain.c_str(), 0, nullptr, nullptr);
        if (size == 0) return;  // left empty, so that every call fails
        std::wstring full(size, L'\0');
        full.resize(GetFullPathNameW(plain.c_str(), size, &full[0], nullptr));
        if (full.size() < MAX_PATH) {
            wide = full;
        } else {
            wide = full.compare(0, 2, L"\\\\") == 0 ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
        }
    }
    bool IsLong() const { return isLong; }
    const wchar_t* Get() const { return wide.c_str(); }

private:
    static std::wstring Widen(const char* path) {
        int size = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
        if (size <= 0) return std::wstring();
        std::wstring text(static_cast<size_t>(size), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path, -1, &text[0], size);
        text.resize(static_cast<size_t>(size - 1));
        return text;
    }

    bool isLong;
    std::wstring wide;
};

HANDLE OpenHandle(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    if (std::strlen(path) < MAX_PATH) return CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
    return CreateFileW(WidePath(path).Get(), access, share, nullptr, disposition, flags, nullptr);
}

DWORD Attributes(const char* path) {
    if (std::strlen(path) < MAX_PATH) return GetFileAttributesA(path);
    return GetFileAttributesW(WidePath(path).Get());
}

bool MoveOver(const char* from, const char* to) {
    WidePath source(from), target(to);
    if (!source.IsLong() && !target.IsLong()) return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != FALSE;
    return MoveFileExW(source.Get(), target.Get(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool SetAttributes(const char* path, DWORD attributes) {
    if (std::strlen(path) < MAX_PATH) return SetFileAttributesA(path, attributes) != FALSE;
    return SetFileAttributesW(WidePath(path).Get(), attributes) != FALSE;
}

// True when nobody holds `path` open against its replacement.
bool MayReplace(const char* path) {
    HANDLE probe = OpenHandle(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, 0);
    if (probe == INVALID_HANDLE_VALUE) return false;
    CloseHandle(probe);
    return true;
}

// Keeps the replaced file's attributes, security and creation time. A
// target that is read-only or held open is refused before ReplaceFile
// runs, as a failing ReplaceFile may leave a backup file of its own.
bool ReplaceExisting(const char* from, const char* to, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) || !MayReplace(to)) return false;
    // ReplaceFile merges these itself; set them first for systems that do not.
    const DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & kept) SetAttributes(from, attributes & kept);
    // ReplaceFile is given whole paths: Wine's fails on a relative name or
    // a forward slash.
    WidePath source(from, true), target(to, true);
    // Wine's ReplaceFile makes a working file beside the target in a
    // MAX_PATH buffer, and writes past it when the folder nearly fills it:
    // there the plain move, with the attributes kept above.
    const std::wstring whole = target.Get();
    const size_t name = whole.find_last_of(L'\\');
    const size_t folder = (name == std::wstring::npos ? 0 : name + 1) - (whole.compare(0, 4, L"\\\\?\\") == 0 ? 4 : 0);
    if (folder + 16 >= MAX_PATH) return MoveOver(from, to);
    return ReplaceFileW(target.Get(), source.Get(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) !=
           FALSE;
}

FileHandle OpenForWrite(const char* path, DWORD disposition, DWORD share) {
    if (!path) return nullptr;
    return Wrap(OpenHandle(path, GENERIC_WRITE, share, disposition, FILE_ATTRIBUTE_NORMAL));
}

}  // namespace

FileHandle OpenFileForRead(const char* path, FileShare share) {
    if (!path) return nullptr;
    DWORD mode = share == FileShare::ReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    return Wrap(OpenHandle(path, GENERIC_READ, mode, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
}

FileHandle CreateFileForWrite(const char* path) { return OpenForWrite(path, CREATE_ALWAYS, 0); }

FileHandle CreateNewFileForWrite(const char* path) { return OpenForWrite(path, CREATE_NEW, FILE_SHARE_DELETE); }

bool SeekFile(FileHandle file, uint32_t offset) {
    if (!file || offset > 0x7FFFFFFFu) return false;
    return SetFilePointer(file->handle, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == offset;
}

bool ReadFileBytes(FileHandle file, void* buffer, uint32_t size, uint32_t* delivered) {
    *delivered = 0;
    if (!file) return false;
    DWORD got = 0;
    BOOL ok = ReadFile(file->handle, buffer, size, &got, nullptr);
    *delivered = got;
    return ok != FALSE;
}

bool WriteFileBytes(FileHandle file, const void* data, uint32_t size) {
    if (!file) return false;
    DWORD put = 0;
    return WriteFile(file->handle, data, size, &put, nullptr) && put == size;
}

bool GetFileLength(FileHandle file, uint64_t* length) {
    LARGE_INTEGER size;
    if (!file || GetFileType(file->handle) != FILE_TYPE_DISK || !GetFileSizeEx(file->handle, &size)) return false;
    *length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

void CloseFile(FileHandle file) {
    if (!file) return;
    CloseHandle(file->handle);
    delete file;
}

PathKind GetPathKind(const char* path) {
    DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return PathKind::Folder;
    // Devices such as NUL report attributes of their own, or none; only the
    // opened handle tells what they are.
    HANDLE handle = OpenHandle(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return attributes == INVALID_FILE_ATTRIBUTES ? PathKind::Missing : PathKind::RegularFile;
    DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_DISK ? PathKind::RegularFile : PathKind::Device;
}

std::string DescribeOpenFailure(const char* path) {
    if (GetPathKind(path) == PathKind::Folder) return "is a folder";
    HANDLE handle =
        OpenHandle(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return std::string();
    }
    DWORD error = GetLastError();
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "no such file";
    case ERROR_ACCESS_DENIED:
        return "permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "in use by another program";
    default:
        break;
    }
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.'))
        text[--length] = '\0';
    return length ? std::string(text) : "error " + std::to_string(error);
}

bool ReplaceFileWith(const char* from, const char* to) {
    DWORD attributes = Attributes(to);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return MoveOver(from, to);
    if (ReplaceExisting(from, to, attributes)) return true;
    // The old file is gone and the new one still has its temporary name:
    // finish the move rather than leave the target missing.
    return GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT && MoveOver(from, to);
}

bool DeleteFileAt(const char* path) {
    if (std::strlen(path) < MAX_PATH) return DeleteFileA(path) != FALSE;
    return DeleteFileW(WidePath(path).Get()) != FALSE;
}

bool CreateFolders(const char* path) {
    // Each parent in turn, from the first separator after a drive or the
    // server and share of a UNC name; one that exists is fine, the end decides.
    std::string folder = path;
    size_t start = folder.size() > 1 && folder[1] == ':' ? 3 : 1;
    if (folder.compare(0, 2, "\\\\") == 0 || folder.compare(0, 2, "//") == 0) {
        size_t server = folder.find_first_of("\\/", 2);
        start = server == std::string::npos ? folder.size() : server + 1;
    }
    for (size_t at = start; at < folder.size(); ++at) {
        unsigned char c = static_cast<unsigned char>(folder[at]);
        if (IsLeadByte(c)) {
            ++at;
        } else if (c == '\\' || c == '/') {
            std::string parent = folder.substr(0, at);
            if (parent.size() < MAX_PATH) {
                CreateDirectoryA(parent.c_str(), nullptr);
            } else {
                CreateDirectoryW(WidePath(parent.c_str()).Get(), nullptr);
            }
        }
    }
    if (folder.size() < MAX_PATH) {
        CreateDirectoryA(path, nullptr);
    } else {
        CreateDirectoryW(WidePath(path).Get(), nullptr);
    }
    return GetPathKind(path) == PathKind::Folder;
}

std::string FollowLinks(const char* path) { return path; }

namespace {

std::mutex interruptLock;
char* interruptVictim = nullptr;

// Runs on a thread of its own. The lock stays taken: the process is ending,
// and the main thread must not go on to commit the file just removed. The
// file is open with delete sharing, so it goes when the process closes it.
BOOL WINAPI RemoveAndEnd(DWORD) {
    interruptLock.lock();
    if (interruptVictim) DeleteFileAt(interruptVictim);
    return FALSE;  // the next handler, in the end the system's, ends the process
}

}  // namespace

void RemoveOnInterrupt(const char* path) {
    char* copy = DuplicatePath(path);
    char* old;
    {
        std::lock_guard<std::mutex> hold(interruptLock);
        old = interruptVictim;
        interruptVictim = copy;
    }
    delete[] old;
}

void InstallInterruptCleanup() { SetConsoleCtrlHandler(RemoveAndEnd, TRUE); }

void AdviseScatteredReads(void*, size_t) {}  // large pages need a privilege on Windows

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

bool IsTerminal(FILE* stream) {
    const int descriptor = _fileno(stream);
    return descriptor >= 0 && _isatty(descriptor) != 0;
}

bool IsEscapeTerminal(FILE* stream) {
    const int descriptor = _fileno(stream);
    if (descriptor < 0 || !_isatty(descriptor)) return false;
    HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    DWORD mode = 0;
    return GetConsoleMode(console, &mode) &&
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING | ENABLE_PROCESSED_OUTPUT);
}
