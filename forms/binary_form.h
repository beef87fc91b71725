// The packed bytes themselves, for firmware that loads them from flash or a
// file system.
#pragma once

#include <cstdint>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class PackedGrid;

// The packed bytes, line after line, with nothing between them.
bool EmitPackedBytes(PackedGrid& grid, ByteSink sink, void* context, const BufferSizes& sizes = BufferSizes());
