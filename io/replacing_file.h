// Writes a file so that its target changes only once every byte is in
// place: the text goes to a fresh file in the same folder, which is then
// moved over the target. A target that cannot be replaced (held open,
// read-only) is left exactly as it was; one that is replaced keeps its
// permissions or attributes. A symbolic link stays a link: the file it
// names is the one replaced. A device or pipe (/dev/null, NUL) is written
// directly: it holds nothing to protect and must stay in place.
//
// Paths have no length limit of their own. While the temporary file
// exists, an interruption removes it (see RemoveOnInterrupt).
#pragma once

#include <string>

#include "io/file_io.h"

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
    std::string target;
    std::string temporary;
};
