// Writes a file so that its target changes only once every byte is in
// place: the text goes to a fresh file in the same folder, which is then
// moved over the target. A target that cannot be replaced (held open,
// read-only) is left exactly as it was. A device or pipe (/dev/null, NUL)
// is written directly: it holds nothing to protect and must stay in place.
#pragma once

#include "core/file_io.h"
#include "core/path_name.h"

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile() { Abandon(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside `target`. False when it cannot be.
    bool Open(const char* target);
    FileHandle Handle() const { return file; }

    // Closes the temporary file and moves it over the target. On failure the
    // temporary file is removed and the target is untouched.
    bool Commit();

    // Closes and removes the temporary file, if one is open.
    void Abandon();

private:
    FileHandle file = nullptr;
    bool direct = false;
    char target[kPathBufferSize] = {};
    char temporary[kPathBufferSize] = {};
};
