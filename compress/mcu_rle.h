// The run-length code of quillgrid_rle.h (firmware/), for microcontrollers
// whose libraries decode nothing: decodable a band of lines at a time into
// a small buffer, from flash. Runs copy units, repeat one unit, or repeat
// the line above; they run on from line to line. The stream's layout is
// described at the top of quillgrid_rle.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The stream of `lines` lines of `lineBytes` bytes each, in units of
// `unit` bytes (1 to 4; a line a whole number of them). False (and `out`
// empty) for sizes the header cannot hold: lines or their bytes past
// 65,535.
bool McuRleCompress(const uint8_t* data, uint32_t lineBytes, uint32_t lines, uint32_t unit, std::vector<uint8_t>* out);
