// Where each input's output goes, and the names derived from input names.
#pragma once

#include <string>
#include <vector>

#include "cli/conversion.h"

// The last component of `path`: what follows its last separator ('/', and
// on Windows also '\' and a drive's ':', never the trail byte of a
// two-byte character).
std::string BaseName(const std::string& path);

// The line that says an output was not written, with why where it can
// tell: "cannot write 'build': it is a folder". Empty `path`: standard
// output.
std::string CannotWriteLine(const std::string& path);

// `name` inside `folder`, with a separator between them where needed.
std::string InFolder(const std::string& folder, const std::string& name);

// A C identifier made from a file name without its extension: characters
// that cannot be part of one become '_'.
std::string IdentifierFromName(const std::string& fileName);

// One output file per input, in order; an empty name means standard
// output. False with `problem` set when two inputs would write the same
// file, or an output would replace an input.
bool PlanOutputs(const Conversion& conversion, std::vector<std::string>* outputs, std::string* problem);

// The array name for each input: the given name for one input, the name
// followed by '_' and the input's name for several; without a given name
// (an XBM file), the input's name. False with `problem` set when two
// inputs would give the same name, or a header would declare one twice.
bool PlanArrayNames(const Conversion& conversion, std::vector<std::string>* names, std::string* problem);
