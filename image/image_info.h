// What --info prints about an image and the layout chosen for it.
#pragma once

#include <string>

#include "core/convert_options.h"
#include "image/image_input.h"

class PackedGrid;

// "key: value" lines: file, the source's size where the frame changed it,
// how a camera's picture was stood upright, width, height; how the values are held (PixelImage::DescribeValues); the
// layout, and the preset that gives this layout if one does; then, when
// `grid` is there (the image has pixels), items per line, line count,
// bytes and text length.
std::string DescribeImage(const char* path, const InputSize& source, const PixelImage& image,
                          const ConvertOptions& options, bool invert, const PackedGrid* grid, bool fillWhite = false);
