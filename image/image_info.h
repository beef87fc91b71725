// What --info prints about a loaded bitmap and the layout chosen for it.
#pragma once

#include <string>

#include "core/convert_options.h"
#include "image/image_input.h"

class ByteScanner;
class MonoBitmap;

// "key: value" lines: file, the source's size where the frame changed it,
// width, height, stride, palette, dark palette entry, layout, and the
// preset that gives this layout if one does; then, when `scanner` is
// attached (not null), items per line, line count, bytes and text length.
std::string DescribeImage(const char* path, const InputSize& source, const MonoBitmap& bitmap,
                          const ConvertOptions& options, bool invert, const ByteScanner* scanner);
