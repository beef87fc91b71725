// Parsing of the converter's command line.
#pragma once

#include <string>

#include "settings/convert_options.h"

struct CliRequest {
    bool help = false;
    bool version = false;
    const char* input = nullptr;
    const char* output = nullptr;    // null: standard output
    const char* settings = nullptr;  // null: start from the defaults
    // Fields given on the command line, applied over the settings file.
    int msbReverse = -1;
    int bitHorizontal = -1;
    int byteHorizontal = -1;
    int fillOnes = -1;
};

// False with `error` set when the command line is not valid.
bool ParseCliArgs(int argc, const char* const* argv, CliRequest* request, std::string* error);

// Applies the fields that the command line names.
void ApplyOverrides(const CliRequest& request, ConvertOptions* options);

extern const char kCliUsage[];
