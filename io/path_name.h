// Narrow-string path helpers for the program's fixed 260-byte path buffers.
#pragma once

#include <cstddef>

const size_t kPathBufferSize = 260;  // at most 259 characters and the NUL

// Replaces the extension of the last path component of `path` with `ext`
// (which starts with a dot), or appends `ext` when the component has none.
// Both '\' and '/' end a component; a dot followed later by a blank does
// not start an extension. False, with `path` unchanged, when the result
// would not fit in `capacity` bytes.
bool RenameExtension(char* path, size_t capacity, const char* ext);

// Copies `source` into `buffer` when it fits in `capacity` bytes with its
// NUL; false, with `buffer` unchanged, when it does not.
bool CopyPath(char* buffer, size_t capacity, const char* source);

// A copy of `path` on the heap, for delete[]; null for null, or when
// memory is short.
char* DuplicatePath(const char* path);
