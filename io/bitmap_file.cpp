// MonoBitmap::Load: the reader takes its bytes from a file, reading each
// part where the headers say it is.
#include "core/mono_bitmap.h"
#include "io/file_io.h"

namespace {

class FileSource : public BmpSource {
public:
    explicit FileSource(FileHandle file) : file(file) {}
    bool Read(uint32_t offset, void* into, uint32_t count) const override {
        uint32_t delivered = 0;
        return SeekFile(file, offset) && ReadFileBytes(file, into, count, &delivered) && delivered == count;
    }
    bool Length(uint64_t* length) const override { return GetFileLength(file, length); }
    // Column packing walks the rows a stride apart, a page or more each.
    void RowsAllocated(void* block, size_t size) const override {
        if (size >= 4u << 20) AdviseScatteredReads(block, size);
    }

private:
    FileHandle file;
};

}  // namespace

bool MonoBitmap::Load(const char* path) {
    Unload();
    loaded = false;
    FileHandle file = OpenFileForRead(path, FileShare::ReadWrite);
    if (!file) return false;
    bool ok = LoadFrom(FileSource(file));
    CloseFile(file);
    return ok;
}
