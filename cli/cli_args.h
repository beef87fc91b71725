// The converter's command line: what a command asks for, and its parser.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/convert_options.h"
#include "forms/c_forms.h"
#include "image/image_input.h"
#include "image/presets.h"
#include "image/preview.h"

enum class OutputFormat {
    ArrayText,  // the array text, as the Save command writes it
    CArray,     // the same values as a compilable C declaration (in a style)
    Binary,     // the packed bytes themselves
    Bmp,        // the 1-bit image as a BMP the Windows program opens
    Xbm,        // an XBM file
    Lvgl,       // an LVGL v9 image descriptor
    Png,        // the image as the display shows it, as a PNG
};

// How --preview draws an image.
enum class PreviewChoice {
    Blocks,  // half blocks: in colour for levels where the terminal takes it
    Ascii,   // one character a pixel
    Colour,  // half blocks in 24-bit colour, whatever the terminal
};

// --read-array: the inputs are bytes already packed, to be read back.
struct ArrayInput {
    bool given = false;
    uint32_t width = 0, height = 0;
    bool binary = false;       // raw bytes (--binary), not text
    bool layoutGiven = false;  // --read-layout; otherwise the packing options
    ConvertOptions layout = {};
    bool guess = false;  // --guess-layout: try every packing
};

struct CliRequest {
    bool help = false;
    bool version = false;
    bool info = false;     // describe the inputs instead of converting them
    bool preview = false;  // show the images instead of converting them
    PreviewChoice previewChoice = PreviewChoice::Blocks;
    ImageOptions image;  // how an image becomes the 1-bit image: tone and frame
    std::vector<const char*> inputs;
    const char* output = nullptr;    // -o: the one input's output file
    const char* outDir = nullptr;    // the folder that receives every output
    const char* settings = nullptr;  // null: start from the defaults or the preset
    const Preset* preset = nullptr;  // null: none named
    OutputFormat format = OutputFormat::ArrayText;
    std::vector<OutputFormat> formatsNamed;  // every form asked for, in order
    const char* arrayName = nullptr;         // with CArray, Lvgl and (optionally) Xbm
    CForm cForm;                             // the C style and values a line
    bool styleGiven = false;                 // --c-style
    bool perLineGiven = false;               // --per-line
    ArrayInput read;
    std::optional<uint32_t> depth;         // --depth: bits a pixel
    std::optional<LvglFormat> lvglFormat;  // --lvgl-format
    bool planes = false;                   // --planes: the bits of each value as 1-bit planes
    bool thresholdGiven = false;           // --threshold
    // An animation's frames: --frames (ranges, first to last, from 0; empty:
    // all), --delay (every frame's, in milliseconds).
    std::vector<std::pair<uint32_t, uint32_t>> frames;
    std::optional<uint32_t> delay;
    const char* depfile = nullptr;  // --depfile: the outputs' dependencies, for make and ninja
    // Colour: what the options say, and what they and the preset come to.
    const char* paletteText = nullptr;                      // --palette
    std::optional<DirectFormat> colour;                     // --color
    std::optional<bool> bigEndian;                          // --byte-order be (true), le (false)
    std::optional<bool> words;                              // --c-words
    std::optional<std::pair<uint32_t, uint32_t>> planeInk;  // --plane-ink BLACK,COLOUR
    bool byteOrderBig = false;                              // a direct value's bytes, most significant first
    bool cWords = false;                                    // the C forms write values, not bytes
    uint32_t blackInk = 1, colourInk = 1;                   // the planes' ink bits
    // What single flags set. They override the settings file or the
    // preset, wherever they stand.
    std::optional<bool> msbReverse;  // --lsb-first (true), --msb-first (false)
    std::optional<bool> bitHorizontal;
    std::optional<bool> byteHorizontal;
    std::optional<bool> fillOnes;
    std::optional<bool> invert;  // dark and light swap after the image became 1-bit
};

// Whether an option is given alone, with a value (--name VALUE or
// --name=VALUE), or with a value only in the --name=VALUE form.
enum class Takes { Nothing, Value, OptionalValue };

// Where an option stands in the help.
enum class HelpSection { Input, Colour, Frame, Output, ReadBack, Packing, Other };

// One option of the command line: one row of kCliOptions.
struct CliOption {
    const char* longName;   // "--size"
    const char* shortName;  // "-o", or null
    Takes takes;
    const char* valueName;  // the value in the help: "WxH"; null when it takes none
    const char* needs;      // what a missing value should have been: "a frame size, WxH"
    // Sets what the option says; `value` is null when none was given. False
    // with `error` (one line, without the option's name) for a value that
    // is not valid.
    bool (*apply)(const char* value, CliRequest* request, std::string* error);
    HelpSection section;
    // The help's words for it: lines apart by '\n', each shown below the
    // one before, beside the option's names.
    const char* help;
    // The values it takes when they are a fixed set, by spaces, for the
    // shell's completion and the manual; "{presets}" and "{palettes}" stand
    // for the names of those tables. Null: any value, or none.
    const char* values = nullptr;
};

extern const CliOption kCliOptions[];
extern const size_t kCliOptionCount;

// The row of an option by its long or short name; null when none has it.
const CliOption* FindCliOption(const char* name);

// False with `error` set when the command line is not valid, including
// combinations of options that contradict each other. An error about a
// value starts with the option's name: "--size: '0x64' is not ...".
bool ParseCliArgs(int argc, const char* const* argv, CliRequest* request, std::string* error);

// Applies what the single flags set over `options`, which start as the
// defaults, the settings file or the preset.
void ApplyOverrides(const CliRequest& request, ConvertOptions* options);

// Whether dark and light swap: a flag, else the preset's own choice.
bool Inverts(const CliRequest& request);

// Bits a pixel: --depth, else the LVGL format's, else the preset's, else 1.
uint32_t DepthOf(const CliRequest& request);

// True when the forms write one image, not every frame of an animation.
bool IsSingleFrameForm(const CliRequest& request);

// The frames `request` picks from `count`, in order; all when it names
// none. False with `problem` naming the first past the last frame.
bool PickFrames(const CliRequest& request, uint32_t count, std::vector<uint32_t>* picked, std::string* problem);

// True when some option sets the layout: a flag, --preset or --settings.
bool LayoutGiven(const CliRequest& request);

// The forms written as C source.
bool IsCForm(OutputFormat format);

// True for a word that C or C++ reserves: such a name cannot be an array's.
bool IsCKeyword(const char* name);

// True for a C identifier: a letter or '_', then letters, digits and '_'.
bool IsCIdentifier(const char* name);

// The full help, made from the option table, and the short reminder that
// follows a usage error.
std::string CliHelp();
extern const char kCliUsage[];
// Its parts, for the manual: the opening words, what a section says before
// its options, and the worked examples with the exit status.
const char* HelpIntroduction();
const char* HelpSectionWords(HelpSection section);
const char* HelpExamples();

// The manual page quillgrid-cli(1), in roff, and bash's completion of the
// command: both made from the option table, as the help is.
std::string CliManPage(const std::string& version, const std::string& date);
std::string CliCompletion();
// The fixed values an option takes, its "{presets}" and "{palettes}" made
// the tables' names; empty for an option without a fixed set.
std::vector<std::string> OptionValues(const CliOption& option);
