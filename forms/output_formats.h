// The packed bytes themselves, for firmware that loads them from flash or a
// file system.
#pragma once

#include <cstdint>

#include "core/block_writer.h"
#include "core/budget.h"

class ByteScanner;

// The packed bytes, line after line, with nothing between them.
bool EmitPackedBytes(const ByteScanner& scanner, TextSink sink, void* context,
                     const Budget& budget = Budget());
