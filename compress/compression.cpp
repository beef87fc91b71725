#include "compress/compression.h"

#include <cstring>

namespace {

struct CompressionRow {
    Compression method;
    const char* name;
    uint32_t lvglMethod;  // LV_IMAGE_COMPRESS_*
};

const CompressionRow kCompressions[] = {
    {Compression::None, "none", 0},
    {Compression::Rle, "rle", 1},
    {Compression::Lz4, "lz4", 2},
};

const CompressionRow& RowOf(Compression method) {
    for (const CompressionRow& row : kCompressions)
        if (row.method == method) return row;
    return kCompressions[0];
}

}  // namespace

const char* CompressionName(Compression method) { return RowOf(method).name; }

bool CompressionNamed(const char* name, Compression* method) {
    for (const CompressionRow& row : kCompressions) {
        if (row.method != Compression::None && std::strcmp(row.name, name) == 0) {
            *method = row.method;
            return true;
        }
    }
    return false;
}

uint32_t LvglCompressionMethod(Compression method) { return RowOf(method).lvglMethod; }
