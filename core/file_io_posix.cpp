#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileObject {
    int fd;
};

namespace {

FileHandle Wrap(int fd) {
    if (fd < 0) return nullptr;
    FileObject* file = new (std::nothrow) FileObject{fd};
    if (!file) close(fd);
    return file;
}

FileHandle OpenForWrite(const char* path, int extraFlags) {
    if (!path) return nullptr;
    return Wrap(open(path, O_WRONLY | O_CREAT | O_CLOEXEC | extraFlags, 0666));
}

}  // namespace

FileHandle OpenFileForRead(const char* path, FileShare) {
    // POSIX has no mandatory sharing modes; the Win32 layer enforces them.
    if (!path) return nullptr;
    return Wrap(open(path, O_RDONLY | O_CLOEXEC));
}

FileHandle CreateFileForWrite(const char* path) { return OpenForWrite(path, O_TRUNC); }

FileHandle CreateNewFileForWrite(const char* path) { return OpenForWrite(path, O_EXCL); }

bool SeekFile(FileHandle file, uint32_t offset) {
    if (!file || offset > 0x7FFFFFFFu) return false;
    return lseek(file->fd, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

bool ReadFileBytes(FileHandle file, void* buffer, uint32_t size, uint32_t* delivered) {
    *delivered = 0;
    if (!file) return false;
    char* at = static_cast<char*>(buffer);
    while (*delivered < size) {
        ssize_t got = read(file->fd, at + *delivered, size - *delivered);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        *delivered += static_cast<uint32_t>(got);
    }
    return true;
}

bool WriteFileBytes(FileHandle file, const void* data, uint32_t size) {
    if (!file) return false;
    const char* at = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < size) {
        ssize_t put = write(file->fd, at + done, size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (put == 0) return false;
        done += static_cast<uint32_t>(put);
    }
    return true;
}

bool GetFileLength(FileHandle file, uint64_t* length) {
    struct stat info;
    if (!file || fstat(file->fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    *length = static_cast<uint64_t>(info.st_size);
    return true;
}

void CloseFile(FileHandle file) {
    if (!file) return;
    close(file->fd);
    delete file;
}

PathKind GetPathKind(const char* path) {
    struct stat info;
    if (stat(path, &info) != 0) return PathKind::Missing;
    if (S_ISREG(info.st_mode)) return PathKind::RegularFile;
    if (S_ISDIR(info.st_mode)) return PathKind::Folder;
    return PathKind::Device;
}

bool ReplaceFileWith(const char* from, const char* to) { return std::rename(from, to) == 0; }

bool DeleteFileAt(const char* path) { return unlink(path) == 0; }

void AdviseScatteredReads(void* block, size_t size) {
#ifdef MADV_HUGEPAGE
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    uintptr_t start = (reinterpret_cast<uintptr_t>(block) + page - 1) & ~(page - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size) & ~(page - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)block;
    (void)size;
#endif
}

bool IsLeadByte(unsigned char) { return false; }  // UTF-8 never hides ASCII inside a character
