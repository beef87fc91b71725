// The packed bytes themselves, for firmware that loads them from flash or a
// file system.
#pragma once

#include <cstdint>
#include <vector>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class PackedGrid;
struct FormImage;

// The packed bytes, line after line, with nothing between them.
bool EmitPackedBytes(PackedGrid& grid, ByteSink sink, void* context, const BufferSizes& sizes = BufferSizes());

// The packed bytes, line after line, added to the end of `out`.
void AppendPackedBytes(PackedGrid& grid, std::vector<uint8_t>* out);

// The packed bytes as quillgrid_rle.h decodes them (--compress rle for the
// C arrays and --binary): a line of the grid a line of the stream, a unit
// a colour value's bytes (a byte for packed pixels and planes of alpha).
// False for lines or bytes a line past 65,535.
bool McuRlePackedBytes(const FormImage& image, std::vector<uint8_t>* out);

// The unit McuRlePackedBytes() takes for the image.
uint32_t McuRleUnit(const FormImage& image);
