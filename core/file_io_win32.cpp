#include "core/file_io.h"

#include <new>
#include <windows.h>

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

FileHandle OpenForWrite(const char* path, DWORD disposition) {
    if (!path) return nullptr;
    return Wrap(CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
}

}  // namespace

FileHandle OpenFileForRead(const char* path, FileShare share) {
    if (!path) return nullptr;
    DWORD mode = share == FileShare::ReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    return Wrap(CreateFileA(path, GENERIC_READ, mode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
}

FileHandle CreateFileForWrite(const char* path) { return OpenForWrite(path, CREATE_ALWAYS); }

FileHandle CreateNewFileForWrite(const char* path) { return OpenForWrite(path, CREATE_NEW); }

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
    if (!file || GetFileType(file->handle) != FILE_TYPE_DISK || !GetFileSizeEx(file->handle, &size))
        return false;
    *length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

void CloseFile(FileHandle file) {
    if (!file) return;
    CloseHandle(file->handle);
    delete file;
}

PathKind GetPathKind(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return PathKind::Folder;
    // Devices such as NUL report attributes of their own, or none; only the
    // opened handle tells what they are.
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return attributes == INVALID_FILE_ATTRIBUTES ? PathKind::Missing : PathKind::RegularFile;
    DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_DISK ? PathKind::RegularFile : PathKind::Device;
}

bool ReplaceFileWith(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool DeleteFileAt(const char* path) { return DeleteFileA(path) != FALSE; }

void AdviseScatteredReads(void*, size_t) {}  // large pages need a privilege on Windows

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }
