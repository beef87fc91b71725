// What a command line comes to, decided once from what was typed (cli/
// cli_args.h), the preset and the settings file: the pixel format, the
// tone and the frame, the layout, the output form and its options, where
// the outputs go. Every step after it reads this, never the options.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_args.h"
#include "core/packed_image.h"
#include "forms/example_sketch.h"
#include "forms/output_form.h"
#include "image/image_options.h"

struct CliRule;

enum class RunMode {
    Convert,  // write each input's output
    Info,     // describe each input
    Preview,  // show each input on the terminal
    Guess,    // read packed bytes in every layout, the most picture-like first
};

// A font's run: the inputs are fonts, in order of preference.
struct FontConversion {
    const FontFormRow* form = nullptr;  // null: the inputs are images
    std::string name;                   // the C name of the font
    uint32_t size = 0;                  // the em in pixels; 0: a bitmap font's own
    uint32_t face = 0;
    GlyphRendering rendering;
    CodePoints glyphs;               // the set named, before --text's characters join
    bool glyphsAsked = false;        // --glyphs, --chars or --text given: else a font in C keeps all its glyphs
    const char* textFile = nullptr;  // whose characters join the set
    CodePoints sample;               // empty: the set's first glyphs
    bool strict = false;
    FontWriteOptions write;  // --font-compress
};

struct Conversion {
    RunMode mode = RunMode::Convert;
    FontConversion font;
    ImageOptions image;   // what each input's pixels become: the format, the tone, the frame
    PackOptions pack;     // the layout (the defaults, a preset's or a settings file's, then the flags)
    bool invert = false;  // dark and light swap once the image is toned
    // The output form named (array text by default), and its options.
    OutputFormat form = OutputFormat::ArrayText;
    FormOptions formOptions;
    std::vector<OutputFormat> formsNamed;  // every form asked for (with --read-array, --binary is the input's)
    const char* arrayName = nullptr;
    // Reading packed bytes back: the inputs' size, whether they are raw,
    // the layout to read them in.
    struct ReadBack {
        bool given = false;
        uint32_t width = 0, height = 0;
        bool binary = false;
        ConvertOptions layout = {};
        bool guess = false;
    } read;
    std::vector<const char*> inputs;
    // What was given but does nothing in this run, a line each, said on
    // standard error before the run: "--fit does nothing without --size".
    std::vector<std::string> notices;
    const char* output = nullptr;  // null for standard output
    bool toStream = false;         // -o -: standard output, whatever the inputs
    const char* outDir = nullptr;
    const char* depfile = nullptr;
    const char* settings = nullptr;                     // a dependency of every output
    std::vector<std::pair<uint32_t, uint32_t>> frames;  // ranges, first to last; empty: every frame
    std::optional<uint32_t> delay;
    // --example: the sketch for the display's library, and its file.
    Sketch sketch = Sketch::None;
    std::string exampleFile;

    // The row of the form each input goes to: the preview's when showing.
    const OutputFormRow& Form() const;
};

// What `args` come to. False with `error` (one line) for a combination
// that cannot mean anything (`refusedBy`, when given, receives the rule),
// a settings file that cannot be read, or a layout the form's reader does
// not take.
bool ResolveConversion(const CliArgs& args, Conversion* conversion, std::string* error,
                       const CliRule** refusedBy = nullptr);

// True when the form writes one image, not every frame of an animation.
bool TakesOneFrame(const Conversion& conversion);

// The frames the conversion picks from `count`, in order; all when it
// names none. False with `problem` naming the first past the last frame.
bool PickFrames(const Conversion& conversion, uint32_t count, std::vector<uint32_t>* picked, std::string* problem);

// True when several inputs go into one file: -o with a form that collects.
bool OneHeader(const Conversion& conversion);
