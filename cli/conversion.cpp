#include "cli/conversion.h"

#include <cstring>

#include <algorithm>

#include "cli/cli_rules.h"
#include "core/scanner_table.h"
#include "forms/lvgl_form.h"
#include "settings/settings_file.h"

namespace {

// The output form and the forms named: with --read-array, --binary says how
// the inputs are written, and is not a form.
void ResolveForm(const CliArgs& args, Conversion* c) {
    c->formsNamed = args.formsNamed;
    if (args.read.given) {
        auto& named = c->formsNamed;
        const size_t before = named.size();
        named.erase(std::remove(named.begin(), named.end(), OutputFormat::Binary), named.end());
        c->read.binary = named.size() != before;
        c->form = named.empty() ? OutputFormat::ArrayText : named.front();
    } else if (!c->formsNamed.empty()) {
        c->form = c->formsNamed.back();
    } else if (args.info && args.compression != Compression::None) {
        // --info --compress: the LVGL image's sizes, packed as LVGL reads it.
        c->form = OutputFormat::LvglBin;
    }
    c->mode = args.info         ? RunMode::Info
              : args.preview    ? RunMode::Preview
              : args.read.guess ? RunMode::Guess
                                : RunMode::Convert;
    c->formOptions.style = args.style.value_or(CStyle::Plain);
    c->formOptions.perLine = args.perLine.value_or(16);
    c->formOptions.preview = args.preview.value_or(PreviewChoice::Blocks);
}

// Bits a pixel when no palette or colour says: --depth, else the LVGL
// format's, else the preset's, else 1.
// A C form's output is a header unless it is named as a source file (or,
// written to standard output, its form's file is not a header).
bool WritesHeader(const Conversion& c) {
    std::string name = c.output ? c.output : FormRow(c.form).extension;
    const size_t dot = name.rfind('.');
    name = dot == std::string::npos ? "" : name.substr(dot);
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const char* source : {".c", ".cc", ".cpp", ".cxx", ".c++", ".ino"})
        if (name == source) return false;
    return true;
}

uint32_t DepthOf(const CliArgs& args) {
    if (args.depth) return *args.depth;
    if (args.lvglFormat) return BitsOf(args.lvglFormat->format);
    if (!args.preset || IsDirect(args.preset->format)) return 1;
    return BitsOf(args.preset->format);
}

// What a pixel becomes: the colour named (by --color, an LVGL format or the
// preset), a palette's values, coverage for LVGL's alpha formats, or grey.
// The value a white pixel packs as, for the spare pixels of an e-paper
// row: a clear bit (a set one inverted), the top grey, the palette's
// lightest colour. None for colours, whose values fill whole bytes.
std::optional<uint32_t> WhiteValue(const Conversion& c) {
    const PixelFormat format = c.image.format;
    switch (KindOf(format)) {
    case PixelKind::Mono:
        return c.invert ? 1u : 0u;
    case PixelKind::Grey:
        return c.invert ? 0u : (1u << BitsOf(format)) - 1;
    case PixelKind::Index: {
        const Palette& palette = c.image.palette;
        uint32_t lightest = 0, best = 0;
        for (uint32_t v = 0; v < palette.Size(); ++v) {
            const Rgb colour = palette.colours[v];
            const uint32_t light = 2u * colour.r + 5u * colour.g + colour.b;
            if (!palette.unused[v] && light > best) best = light, lightest = v;
        }
        return lightest;
    }
    default:
        return std::nullopt;
    }
}

void ResolvePixels(const CliArgs& args, Conversion* c) {
    const Preset* preset = args.preset;
    const std::optional<PixelFormat> lvglColour = args.lvglFormat && IsDirect(args.lvglFormat->format)
                                                      ? std::optional<PixelFormat>(args.lvglFormat->format)
                                                      : std::nullopt;
    const bool colourNamed = args.colour || lvglColour;
    Palette& palette = c->image.palette;
    palette = args.palette;
    if (!args.paletteText && !colourNamed && preset && preset->palette) {
        std::string unused;
        ParsePalette(preset->palette, &palette, &unused);
    }
    if (args.idealInks) palette.UseIdealInks();
    std::optional<PixelFormat> direct = args.colour ? args.colour : lvglColour;
    if (!direct && !args.paletteText && preset && IsDirect(preset->format)) direct = preset->format;

    const uint32_t depth = !palette.Empty() ? palette.Depth() : direct ? 1 : DepthOf(args);
    const bool coverage = IsLvglImage(c->form) && args.lvglFormat && IsAlphaOnly(args.lvglFormat->format);
    c->image.format = direct             ? *direct
                      : !palette.Empty() ? FormatOf(PixelKind::Index, depth)
                      : coverage         ? FormatOf(PixelKind::Alpha, depth)
                                         : FormatOf(PixelKind::Grey, depth);
    c->image.tone = args.tone;
    if (preset && preset->blackBlank && !args.Given("--background")) c->image.tone.blackBackground = true;
    c->formOptions.setBitLight = args.setBitLight ? *args.setBitLight : preset && preset->setBitLight;
    c->image.frame = args.frame;
    c->invert = args.invert ? *args.invert : preset && preset->invert;

    const bool lvgl = IsLvglImage(c->form);
    c->pack.bigEndian = args.bigEndian ? *args.bigEndian
                        : lvgl         ? args.lvglFormat && args.lvglFormat->swapped
                                       : preset && preset->bigEndian;
    // A preset's planes go where planes can: a three-colour palette in a
    // form of packed bytes.
    c->pack.planes = args.planes || (!args.noPlanes && preset && preset->planes && palette.Size() == 3 && !direct &&
                                     FormRow(c->form).planes && !args.read.given);
    if (preset && preset->fillWhite && !args.fillOnes) c->pack.fillValue = WhiteValue(*c);
    if (c->pack.planes && palette.Size() == 3)
        c->formOptions.colourPlane = palette.name == "bwr" ? "red" : palette.name == "bwy" ? "yellow" : "colour";
    c->pack.blackInk = args.planeInk ? args.planeInk->first : preset ? preset->blackInk : 1;
    c->pack.colourInk = args.planeInk ? args.planeInk->second : preset ? preset->colourInk : 1;
    const PixelFormat format = c->image.format;
    const bool wordsFit = format == PixelFormat::Rgb565 || format == PixelFormat::Argb8888;
    const bool words = args.words
                           ? *args.words
                           : wordsFit && c->form == OutputFormat::CArray && c->formOptions.style != CStyle::U8g2 &&
                                 preset && preset->words && args.compression == Compression::None;
    c->formOptions.wordBytes = words ? BytesOfValue(format) : 1;
    c->formOptions.lvgl = args.lvglFormat ? args.lvglFormat : LvglFormatOf(format);
    c->formOptions.compression = args.compression;
    c->formOptions.lvglVersion = args.lvglVersion.value_or(9);
}

// The layout: the defaults, the one the form starts from, the preset's or
// the settings file's, then the single flags.
bool ResolveLayout(const CliArgs& args, Conversion* c, std::string* error) {
    ConvertOptions& layout = c->pack.layout;
    layout = ConvertOptions();
    SetDefaultOptions(&layout);
    if (const ConvertOptions* start = FormRow(c->form).form.StartingLayout(c->formOptions)) layout = *start;
    if (args.preset) layout = args.preset->layout;
    if (args.settings) {
        switch (ReadOptionsFile(args.settings, &layout)) {
        case OptionsFileStatus::Read:
            break;
        case OptionsFileStatus::CannotOpen:
            *error = std::string("cannot open settings file '") + args.settings + "'";
            return false;
        case OptionsFileStatus::TooShort:
            *error = std::string("settings file '") + args.settings + "' is shorter than 16 bytes or cannot be read";
            return false;
        }
    }
    ApplyOverrides(args, &layout);
    c->read.layout = args.read.layout ? *args.read.layout : layout;
    return true;
}

bool Refused(const CliArgs& args, const Conversion& c, bool afterLayout, std::string* error,
             const CliRule** refusedBy) {
    const CliRule* rule = FirstRefusal(args, c, afterLayout);
    if (!rule) return false;
    *error = rule->message(args, c);
    if (refusedBy) *refusedBy = rule;
    return true;
}

// The sketch whose library reads these bytes as they are: by the form, its
// style, the planes, the colour format and, at 1 bit, the layout.
Sketch SketchOf(const Conversion& c) {
    if (c.form == OutputFormat::Lvgl) return Sketch::Lvgl;
    if (c.form != OutputFormat::CArray) return Sketch::None;
    if (c.formOptions.style == CStyle::U8g2) return Sketch::U8g2;
    if (!c.formOptions.colourPlane.empty()) return Sketch::Gxepd2ThreeColour;
    if (c.image.format == PixelFormat::Rgb565 && c.formOptions.wordBytes == 2) return Sketch::TftEspi;
    const ConvertOptions& l = c.pack.layout;
    if (IsMono(c.image.format) && !l.msbReverse && l.bitHorizontal && l.byteHorizontal) return Sketch::AdafruitSsd1306;
    if (IsMono(c.image.format) && l.msbReverse && !l.bitHorizontal && l.byteHorizontal) return Sketch::Ssd1306Buffer;
    return Sketch::None;
}

}  // namespace

const OutputFormRow& Conversion::Form() const {
    return FormRow(mode == RunMode::Preview || mode == RunMode::Guess ? OutputFormat::Preview : form);
}

namespace {

// A font's run, when a font form is named.
void ResolveFont(const CliArgs& args, FontConversion* font) {
    const FontArgs& a = args.font;
    font->form = a.form;
    if (!a.form) return;
    font->name = a.name ? a.name : "";
    font->size = a.size.value_or(0);
    font->face = a.face.value_or(0);
    font->rendering.bits = a.bits.value_or(a.form->bits);
    font->rendering.hinting = a.hinting.value_or(Hinting::Font);
    font->rendering.kerning = a.form->kerns;
    font->rendering.references = a.form->measures;
    font->glyphs = a.glyphs;
    font->textFile = a.textFile;
    font->glyphsAsked = a.glyphsGiven || a.textFile;
    if (!a.glyphsGiven && !a.textFile) ParseGlyphSet("ascii", &font->glyphs, nullptr);
    if (a.sample) {
        // "\n" typed in a shell's quotes breaks the line.
        std::string text = a.sample;
        for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
        font->sample = DecodeUtf8(text);
    }
    font->strict = a.strict;
    font->write.compress = a.compress;
}

}  // namespace

bool ResolveConversion(const CliArgs& args, Conversion* conversion, std::string* error, const CliRule** refusedBy) {
    Conversion& c = *conversion;
    c = Conversion();
    c.read.given = args.read.given;
    c.read.width = args.read.width;
    c.read.height = args.read.height;
    c.read.guess = args.read.guess;
    c.arrayName = args.arrayName;
    c.inputs = args.inputs;
    // "-o -" is standard output, as in every Unix tool.
    c.toStream = args.output && std::strcmp(args.output, "-") == 0;
    c.output = c.toStream ? nullptr : args.output;
    c.outDir = args.outDir;
    c.depfile = args.depfile;
    c.settings = args.settings;
    c.frames = args.frames;
    c.delay = args.delay;
    ResolveForm(args, &c);
    ResolveFont(args, &c.font);
    c.formOptions.header = WritesHeader(c);
    ResolvePixels(args, &c);
    if (Refused(args, c, false, error, refusedBy) || !ResolveLayout(args, &c, error)) return false;
    if (args.example) {
        c.sketch = SketchOf(c);
        if (c.output) c.exampleFile = args.exampleFile ? args.exampleFile : SketchFileName(c.sketch, c.output);
    }
    if (Refused(args, c, true, error, refusedBy)) return false;
    for (const char* frameOption : {"--fit", "--align", "--resample"})
        if (args.Given(frameOption) && !args.Given("--size") && !args.read.given)
            c.notices.push_back(std::string(frameOption) +
                                " does nothing without --size: the image keeps its own size");
    if (!SelectScanner(c.pack.layout)) {
        *error = "these options select no packing";
        return false;
    }
    return true;
}

bool TakesOneFrame(const Conversion& conversion) { return !conversion.Form().manyFrames; }

bool PickFrames(const Conversion& conversion, uint32_t count, std::vector<uint32_t>* picked, std::string* problem) {
    picked->clear();
    if (conversion.frames.empty()) {
        for (uint32_t i = 0; i < count; ++i) picked->push_back(i);
        return true;
    }
    for (const auto& range : conversion.frames) {
        for (uint32_t i = range.first; i <= range.second; ++i) {
            if (i >= count) {
                *problem = "--frames names frame " + std::to_string(i) + ", and the animation has " +
                           std::to_string(count) + (count == 1 ? " frame" : " frames") + " (0 to " +
                           std::to_string(count - 1) + ")";
                return false;
            }
            picked->push_back(i);
        }
    }
    return true;
}

bool OneHeader(const Conversion& conversion) {
    return (conversion.output || conversion.toStream) && conversion.inputs.size() > 1 &&
           FormRow(conversion.form).collects;
}
