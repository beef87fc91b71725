// The program's only door to the file system. One implementation calls the
// Win32 file API, the other POSIX; nothing else in core/ or settings/ knows
// which platform it runs on. Paths are narrow strings of any length: on
// Windows, in the ANSI code page, and those of MAX_PATH characters or more
// are opened through their long (\\?\) form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

struct FileObject;
typedef FileObject* FileHandle;  // null when a file could not be opened

enum class FileShare {
    None,       // nobody else may open the file while it is open here
    ReadWrite,  // others may read and write it meanwhile
};

// Opens an existing file for reading; never creates one.
FileHandle OpenFileForRead(const char* path, FileShare share);

// Creates the file for writing, unshared; an existing file is emptied.
FileHandle CreateFileForWrite(const char* path);

// Creates the file for writing, only if no file of that name exists. Others
// may not open it, but it may be deleted while open (see RemoveOnInterrupt).
FileHandle CreateNewFileForWrite(const char* path);

// Positions the file absolutely; offsets of 2^31 and above are refused.
bool SeekFile(FileHandle file, uint32_t offset);

// Reads up to `size` bytes at the current position. False when the read
// failed; `delivered` says how many bytes arrived (fewer at the end).
bool ReadFileBytes(FileHandle file, void* buffer, uint32_t size, uint32_t* delivered);

// True only when every byte was written.
bool WriteFileBytes(FileHandle file, const void* data, uint32_t size);

// The file's length, or false when it cannot be told (a pipe, a device).
bool GetFileLength(FileHandle file, uint64_t* length);

void CloseFile(FileHandle file);

enum class PathKind { Missing, RegularFile, Folder, Device };

// What stands at `path` now. Device covers everything that is neither a
// plain file nor a folder: character devices, pipes, sockets.
PathKind GetPathKind(const char* path);

// Why `path` cannot be opened for reading, in a few lower-case words: "no
// such file", "permission denied", "is a folder", "in use by another
// program", or the system's own text. Empty when it can be opened now.
std::string DescribeOpenFailure(const char* path);

// Moves `from` over `to`, replacing `to`. An existing `to` keeps what
// belongs to the file rather than to its content: mode, owner and group on
// POSIX (owner and group where the process may set them); attributes,
// security and creation time on Windows. False leaves both as they were.
bool ReplaceFileWith(const char* from, const char* to);

// The path of the file that `path` names at the end of a chain of symbolic
// links, or `path` itself when it is not a link. A link to a file that does
// not exist yet gives that file's path. On Windows, `path` itself.
std::string FollowLinks(const char* path);

// While a path is set, that file is removed when the process is ended by
// an interruption: SIGINT, SIGTERM or SIGHUP, or a console's Ctrl+C,
// Ctrl+Break or close. Null forgets it. Takes effect once a program has
// called InstallInterruptCleanup; the process then ends as it would have.
void RemoveOnInterrupt(const char* path);
void InstallInterruptCleanup();

bool DeleteFileAt(const char* path);

// Makes `path` a folder, with any of its parents that are missing. True
// when it is a folder afterwards.
bool CreateFolders(const char* path);

// Tells the system that a large block will be read in scattered order
// (down columns), so that it backs it with large pages where it can.
void AdviseScatteredReads(void* block, size_t size);

// True when `c` starts a two-byte character in the system's narrow code
// page, so the byte after it is never a separator or a dot.
bool IsLeadByte(unsigned char c);

// True when `stream` is a terminal (a console on Windows).
bool IsTerminal(FILE* stream);

// True when `stream` is a terminal that takes ANSI escapes (on Windows, a
// console that turned on virtual terminal processing when asked).
bool IsEscapeTerminal(FILE* stream);
