// The one EXIF fact a converter needs: which way up a camera's picture is.
#pragma once

#include <cstddef>
#include <cstdint>

// The orientation tag (0x0112) of the first image directory of EXIF data
// (a TIFF header and what follows it, as a JPEG's APP1 segment holds it
// after "Exif\0\0"): 1 (as stored) to 8. 1 when there is none or the data
// cannot be read.
int ExifOrientation(const uint8_t* data, size_t size);
