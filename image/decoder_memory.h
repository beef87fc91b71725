// The decoders' memory: every block carries its size in front, so that the
// live total is known, and a request past the limit fails like a full heap.
// The decoded pixels of every kind of file come from here, so one free
// releases any of them.
#pragma once

#include <cstddef>

// All the decoders' allocations together stay within this many bytes; an
// input that needs more is refused.
const size_t kDecoderMemoryLimit = size_t(1) << 30;

void* DecoderMalloc(size_t size);
void* DecoderRealloc(void* pointer, size_t size);
void DecoderFree(void* pointer);

// What is left of the limit.
size_t DecoderMemoryLeft();
