// --depfile: what each written output was made from, in the Makefile form
// that make, ninja and CMake's DEPFILE read, so that a build reruns the
// converter when an input changes.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/conversion.h"

// "OUTPUT: INPUT SETTINGS" for each written output (an output, then the
// input it was made from, once for each input it holds), into the file
// conversion.depfile, replaced whole. False, said on `err`, when it cannot be
// written.
bool WriteDepfile(const Conversion& conversion, const std::vector<std::pair<std::string, std::string>>& written,
                  FILE* err);

// A path as a Makefile rule names it: spaces, '#' and '\' before them
// escaped with '\', a colon escaped with '\' (but a Windows drive's), '$'
// doubled. GNU make and ninja read each back as the path.
std::string MakeEscaped(const std::string& path);
