#include "io/file_io.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/path_name.h"

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

std::string DescribeOpenFailure(const char* path) {
    if (GetPathKind(path) == PathKind::Folder) return "is a folder";
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        close(fd);
        return std::string();
    }
    switch (errno) {
    case ENOENT:
    case ENOTDIR:
        return "no such file";
    case EACCES:
    case EPERM:
        return "permission denied";
    default:
        return std::strerror(errno);
    }
}

namespace {

// Owner and group where the process may set them, else the group alone,
// else neither: the new file then stays the process's own.
void KeepOwner(const char* path, const struct stat& old) {
    if (chown(path, old.st_uid, old.st_gid) == 0) return;
    if (chown(path, static_cast<uid_t>(-1), old.st_gid) == 0) return;
}

}  // namespace

bool ReplaceFileWith(const char* from, const char* to) {
    struct stat old;
    if (lstat(to, &old) == 0 && S_ISREG(old.st_mode)) {
        // Owner first: a change of owner clears the set-id bits that the mode restores.
        KeepOwner(from, old);
        if (chmod(from, old.st_mode & 07777) != 0) return false;
    }
    return std::rename(from, to) == 0;
}

std::string FollowLinks(const char* path) {
    std::string at = path;
    // As many links as the system itself follows before it gives up (ELOOP).
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
        std::string named(static_cast<size_t>(info.st_size) + 1, '\0');
        ssize_t length = readlink(at.c_str(), &named[0], named.size());
        if (length < 0 || static_cast<size_t>(length) >= named.size()) return at;
        named.resize(static_cast<size_t>(length));
        if (named.empty() || named[0] == '/') {
            at = named;
        } else {
            size_t slash = at.rfind('/');
            at = (slash == std::string::npos ? std::string() : at.substr(0, slash + 1)) + named;
        }
    }
    return at;
}

namespace {

// Published whole: the handler reads either the old path or the new one.
std::atomic<char*> interruptVictim{nullptr};

extern "C" void RemoveAndEnd(int signal) {
    char* path = interruptVictim.load();
    if (path) unlink(path);
    std::signal(signal, SIG_DFL);
    raise(signal);  // delivered when the handler returns, with the default action
}

}  // namespace

void RemoveOnInterrupt(const char* path) {
    char* copy = DuplicatePath(path);
    delete[] interruptVictim.exchange(copy);
}

void InstallInterruptCleanup() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action;
        // A signal the caller chose to ignore (nohup, a background job) stays ignored.
        if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) continue;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

bool DeleteFileAt(const char* path) { return unlink(path) == 0; }

bool CreateFolders(const char* path) {
    std::string folder = path;
    for (size_t at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1))
        mkdir(folder.substr(0, at).c_str(), 0777);  // a parent that exists is fine; the end decides
    mkdir(path, 0777);
    return GetPathKind(path) == PathKind::Folder;
}

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

bool IsTerminal(FILE* stream) {
    const int descriptor = fileno(stream);
    return descriptor >= 0 && isatty(descriptor) == 1;
}

bool IsEscapeTerminal(FILE* stream) {
    const int descriptor = fileno(stream);
    return descriptor >= 0 && isatty(descriptor) == 1;
}
