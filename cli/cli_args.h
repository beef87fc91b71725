// Parsing of the converter's command line.
#pragma once

#include <string>
#include <vector>

#include "cli/preview.h"
#include "cli/tone.h"
#include "settings/convert_options.h"

enum class OutputFormat {
    ArrayText,  // the array text, as the Save command writes it
    CArray,     // the same values as a compilable C declaration
    Binary,     // the packed bytes themselves
    Bmp,        // the 1-bit image as a BMP the Windows program opens
};

struct CliRequest {
    bool help = false;
    bool version = false;
    bool info = false;     // describe the inputs instead of converting them
    bool preview = false;  // show the 1-bit images instead of converting them
    PreviewStyle previewStyle = PreviewStyle::HalfBlocks;
    ToneOptions tone;      // how images that are not 1-bit become 1-bit
    std::vector<const char*> inputs;
    const char* output = nullptr;    // -o: the one input's output file
    const char* outDir = nullptr;    // the folder that receives every output
    const char* settings = nullptr;  // null: start from the defaults
    OutputFormat format = OutputFormat::ArrayText;
    std::vector<OutputFormat> formatsNamed;  // every form asked for, in order
    const char* arrayName = nullptr;  // with OutputFormat::CArray
    // Fields given on the command line, applied over the settings file; a
    // preset sets all five where it stands, and later flags override it.
    int msbReverse = -1;
    int bitHorizontal = -1;
    int byteHorizontal = -1;
    int fillOnes = -1;
    int invert = -1;  // 1: dark and light swap after the image became 1-bit
};

// False with `error` set when the command line is not valid, including
// combinations of options that contradict each other.
bool ParseCliArgs(int argc, const char* const* argv, CliRequest* request, std::string* error);

// Applies the fields that the command line names.
void ApplyOverrides(const CliRequest& request, ConvertOptions* options);

// True for a C identifier: a letter or '_', then letters, digits and '_'.
bool IsCIdentifier(const char* name);

// The full help, and the short reminder that follows a usage error.
extern const char kCliHelp[];
extern const char kCliUsage[];

// Every option the parser knows, for checking the help against it.
std::vector<std::string> CliOptionNames();
