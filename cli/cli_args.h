// The converter's command line as typed: one row an option (kCliOptions,
// cli/cli_options.cpp), and what the rows record. Nothing here decides
// what the options come to; cli/conversion.h does, once.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/convert_options.h"
#include "forms/lvgl_form.h"
#include "forms/output_form.h"
#include "fonts/font_face.h"
#include "fonts/font_forms.h"
#include "image/frame.h"
#include "image/palette.h"
#include "image/presets.h"
#include "image/tone.h"

// --read-array and its company: the inputs are bytes already packed.
struct ArrayInput {
    bool given = false;
    uint32_t width = 0, height = 0;
    bool binary = false;                   // raw bytes (--binary), not text
    std::optional<ConvertOptions> layout;  // --read-layout; otherwise the packing options'
    bool guess = false;                    // --guess-layout: try every packing
};

// A font's options: the inputs are fonts, written in a font form.
struct FontArgs {
    const FontFormRow* form = nullptr;  // --gfx-font NAME
    const char* name = nullptr;
    std::optional<uint32_t> size;  // --font-size
    CodePoints glyphs;             // --glyphs, every one given
    bool glyphsGiven = false;
    const char* textFile = nullptr;  // --text FILE: its characters join the set
    const char* sample = nullptr;    // --sample TEXT
    std::optional<Hinting> hinting;  // --hinting
    std::optional<uint32_t> bits;    // --font-bits
    std::optional<uint32_t> face;    // --face N
    bool strict = false;             // --strict: a character no font has refuses the run
    bool compress = false;           // --font-compress
};

// What the options say, each as given, or nothing where it was not.
struct CliArgs {
    bool help = false;     // --help, or -h
    bool example = false;  // --example[=FILE]: a sketch beside the header
    const char* exampleFile = nullptr;
    bool briefHelp = false;  // -h: one screen
    bool version = false;
    bool info = false;                     // --info: describe the inputs instead of converting them
    std::optional<PreviewChoice> preview;  // --preview: show the images instead
    std::vector<const char*> inputs;
    const char* output = nullptr;          // -o
    const char* outDir = nullptr;          // --out-dir
    const char* settings = nullptr;        // --settings
    const char* depfile = nullptr;         // --depfile
    const Preset* preset = nullptr;        // --preset
    std::vector<OutputFormat> formsNamed;  // every form asked for, in order (--binary with --read-array too)
    const char* arrayName = nullptr;       // --c-array NAME, --lvgl NAME, --xbm=NAME
    std::optional<CStyle> style;           // --c-style
    std::optional<uint32_t> perLine;       // --per-line
    ArrayInput read;
    // The image steps.
    ToneOptions tone;  // --dither, --background, and --threshold's level
    bool thresholdGiven = false;
    FrameOptions frame;                                     // --size, --fit, --align, --rotate, --flip, --resample
    std::optional<uint32_t> depth;                          // --depth
    const LvglFormatRow* lvglFormat = nullptr;              // --lvgl-format
    Compression compression = Compression::None;            // --compress
    std::optional<uint32_t> lvglVersion;                    // --lvgl-version
    const char* paletteText = nullptr;                      // --palette, as typed
    Palette palette;                                        // and as it reads
    bool idealInks = false;                                 // --ideal-inks
    std::optional<PixelFormat> colour;                      // --color
    std::optional<bool> bigEndian;                          // --byte-order be (true), le (false)
    std::optional<bool> words;                              // --c-words (true), --c-bytes (false)
    bool planes = false;                                    // --planes
    bool noPlanes = false;                                  // --no-planes: not even a preset's
    std::optional<bool> setBitLight;                        // --set-bit light (or dark)
    std::optional<std::pair<uint32_t, uint32_t>> planeInk;  // --plane-ink BLACK,COLOUR
    // An animation's frames: --frames (ranges, first to last, from 0; empty:
    // all), --delay (every frame's, in milliseconds).
    std::vector<std::pair<uint32_t, uint32_t>> frames;
    std::optional<uint32_t> delay;
    // The single packing flags. They override the settings file or the
    // preset, wherever they stand.
    std::optional<bool> msbReverse;  // --lsb-first (true), --msb-first (false)
    std::optional<bool> bitHorizontal;
    std::optional<bool> byteHorizontal;
    std::optional<bool> fillOnes;
    std::optional<bool> invert;  // --invert, --no-invert
    FontArgs font;
    std::vector<std::string> given;  // the long name of every option given, in order

    bool Given(const char* longName) const;
};

// Whether an option is given alone, with a value (--name VALUE or
// --name=VALUE), or with a value only in the --name=VALUE form.
enum class Takes { Nothing, Value, OptionalValue };

// Where an option stands in the help.
enum class HelpSection { Presets, Input, Colour, Frame, Output, Fonts, ReadBack, Packing, Other };

// One option of the command line: one row of kCliOptions.
struct CliOption {
    const char* longName;   // "--size"
    const char* shortName;  // "-o", or null
    Takes takes;
    const char* valueName;  // the value in the help: "WxH"; null when it takes none
    const char* needs;      // what a missing value should have been: "a frame size, WxH"
    // Records what the option says; `value` is null when none was given.
    // False with `error` (one line, without the option's name) for a value
    // that is not valid.
    bool (*apply)(const char* value, CliArgs* args, std::string* error);
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

// The words of the command line into `args`. False with `error` set for an
// unknown option or a value that is not valid: "--size: '0x64' is not ...".
// `refused`, when given, receives the name of the option at fault.
bool ParseCliArgs(int argc, const char* const* argv, CliArgs* args, std::string* error, std::string* refused = nullptr);

// What the single flags set, over `layout`.
void ApplyOverrides(const CliArgs& args, ConvertOptions* layout);

// The words of a text, apart at spaces and line breaks.
std::vector<std::string> Words(const std::string& text);

// The full help, made from the option table, and the short reminder that
// follows a usage error.
std::string CliHelp();
extern const char kCliUsage[];
// -h: one screen, the options most used and an example by display.
std::string CliBriefHelp();
// The examples by display, as the help and the manual give them.
const char* HelpDisplayExamples();
// Its parts, for the manual: the opening words, what a section says before
// its options, the section's title, and the worked examples with the exit
// status.
const char* HelpIntroduction();
std::string HelpSectionWords(HelpSection section);
const char* HelpSectionTitle(HelpSection section);
const char* HelpExamples();
// The sections in the order of the help.
std::vector<HelpSection> HelpSections();

// The manual page quillgrid-cli(1), in roff, and bash's completion of the
// command: both made from the option table, as the help is.
std::string CliManPage(const std::string& version, const std::string& date);
std::string CliCompletion();
// The fixed values an option takes, its "{presets}" and "{palettes}" made
// the tables' names; empty for an option without a fixed set.
std::vector<std::string> OptionValues(const CliOption& option);
