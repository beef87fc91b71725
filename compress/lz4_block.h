// An LZ4 block (no frame, no size before it), as LZ4_decompress_safe()
// reads it: LVGL's LZ4 images, internal or through the system's liblz4.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The smaller of LZ4's default and highest high-compression modes' blocks
// of `size` bytes. False (and `out` empty) past LZ4's largest input.
bool Lz4Compress(const uint8_t* data, size_t size, std::vector<uint8_t>* out);
