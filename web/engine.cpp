// The page's engine: the converter's own command line, run on files the
// page holds in memory (in the engine's in-memory file system), with the
// framed grey levels of the last image kept between runs, so that a new
// threshold, dither or layout redraws at once.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_rules.h"
#include "cli/conversion.h"
#include "cli/input_file.h"
#include "core/pixel_bmp.h"
#include "forms/output_form.h"
#include "image/file_kind.h"
#include "image/image_input.h"
#include "image/palette.h"
#include "image/presets.h"
#include "io/file_io.h"
#include "io/read_whole.h"
#include "version.h"

namespace {

// Everything before the tone that makes the grey levels of a frame.
std::string KeyOf(const char* input, const ImageOptions& options) {
    const FrameOptions& f = options.frame;
    char numbers[200];
    std::snprintf(numbers, sizeof numbers, "|%u|%u|%d|%d|%d|%u|%d|%d|%d|%d|%d|%d|%d|%d|%.17g", f.width, f.height,
                  static_cast<int>(f.fit), f.alignX, f.alignY, f.rotate, f.flipH, f.flipV, static_cast<int>(f.resample),
                  options.tone.blackBackground,
                  static_cast<int>(GreyFromOf(options.format)) + 2 * KeepsColour(options.format), f.adjust.brightness,
                  f.adjust.contrast, f.adjust.saturation, f.adjust.gamma);
    return input + std::string(numbers);
}

class KeptImages : public ImageSource {
public:
    bool Read(const char* input, const ImageOptions& options, FILE* in, InputImage* into, std::string* why) override {
        const std::string key = KeyOf(input, options);
        if (key != kept) {
            std::vector<uint8_t> bytes;
            FileHandle file = std::strcmp(input, "-") == 0 ? nullptr : OpenFileForRead(input, FileShare::ReadWrite);
            const bool read = file && ReadWholeFile(file, &bytes, kLargestInput) && bytes.size() <= kLargestInput;
            CloseFile(file);
            if (!read) return ReadInputImage(input, options, in, into, why);  // and its reason
            kept.clear();
            into->Release();
            // A GIF, still or animated, and an animated WebP are read afresh
            // each run: nothing kept.
            const FileKind kind = FileKindOf(bytes.data(), bytes.size());
            if (kind == FileKind::Gif || (kind == FileKind::Webp && WebpFrameCount(bytes.data(), bytes.size()) > 1))
                return ImageOfBytes(&bytes, options, into, why);
            const bool ready = PrepareImage(bytes.data(), bytes.size(), options, &prepared, &into->picture, why);
            into->source = prepared.Original();
            if (!ready) return false;
            // A 1-bit BMP as it is: nothing to keep.
            if (prepared.KeepsBitmap()) return ToneImage(prepared, options, &into->picture, why);
            kept = key;
        }
        into->source = prepared.Original();
        return ToneImage(prepared, options, &into->picture, why);
    }

    // The images the last run packed, each as a BMP (an animation's frames
    // in order), and what --info says of the first.
    void Packed(const PixelImage& image, bool setBitLight, const std::string& info) override {
        std::string packedBmp;
        EmitPixelBmp(image, AppendTo, &packedBmp, setBitLight, BufferSizes(), true);  // the panel's look
        if (packed.empty()) packedInfo = info;
        packed.push_back(packedBmp);
    }

    void Forget() { kept.clear(); }
    void StartRun() { packed.clear(); }

    std::vector<std::string> packed;
    std::string packedInfo;

private:
    static bool AppendTo(void* context, const char* bytes, uint32_t size) {
        static_cast<std::string*>(context)->append(bytes, size);
        return true;
    }

    std::string kept;  // the key of `prepared`; empty: nothing kept
    PreparedImage prepared;
};

// A text as a JSON string, its line breaks as spaces.
std::string Quoted(const char* words) {
    std::string quoted = "\"";
    for (const char* c = words; *c; ++c) {
        if (*c == '"' || *c == '\\') quoted += '\\';
        quoted += *c == '\n' ? ' ' : *c;
    }
    return quoted + "\"";
}

// A command line given one argument a line, as the program's argv.
struct CommandLine {
    explicit CommandLine(const char* args) {
        words.push_back("quillgrid-cli");
        for (const char* at = args; *at;) {
            const char* end = std::strchr(at, '\n');
            words.emplace_back(at, end ? end - at : std::strlen(at));
            at = end ? end + 1 : at + std::strlen(at);
        }
        for (const std::string& word : words) argv.push_back(word.c_str());
    }
    std::vector<std::string> words;
    std::vector<const char*> argv;
};

KeptImages images;
std::string output, errors;

// The bytes a stream opened by open_memstream holds once it is closed.
std::string Take(FILE* stream, char** buffer, size_t* size) {
    std::fclose(stream);
    std::string text(*buffer, *size);
    std::free(*buffer);
    return text;
}

}  // namespace

extern "C" {

// Runs the command line `args` (the arguments after the program's name,
// one a line) and keeps what it wrote; returns its exit status.
EMSCRIPTEN_KEEPALIVE int qg_run(const char* args) {
    const CommandLine line(args);
    const std::vector<const char*>& argv = line.argv;
    char *outBuffer = nullptr, *errBuffer = nullptr;
    size_t outSize = 0, errSize = 0;
    FILE* out = open_memstream(&outBuffer, &outSize);
    FILE* err = open_memstream(&errBuffer, &errSize);
    images.StartRun();
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), stdin, out, err, &images);
    output = Take(out, &outBuffer, &outSize);
    errors = Take(err, &errBuffer, &errSize);
    return status;
}

// The images the last run packed (one, or an animation's frames), each as
// a BMP, and what --info says of the first: the page shows them beside
// the output without another run.
EMSCRIPTEN_KEEPALIVE size_t qg_packed_count() { return images.packed.size(); }
EMSCRIPTEN_KEEPALIVE const char* qg_packed_bmp(size_t index) {
    return index < images.packed.size() ? images.packed[index].data() : "";
}
EMSCRIPTEN_KEEPALIVE size_t qg_packed_bmp_size(size_t index) {
    return index < images.packed.size() ? images.packed[index].size() : 0;
}
EMSCRIPTEN_KEEPALIVE const char* qg_packed_info() { return images.packedInfo.c_str(); }

// The presets and the layouts the C styles start from, as JSON, for the
// page's controls: {"defaults": LAYOUT, "presets": [{"name", "what",
// "layout", "invert", "depth", "palette", "colour", "byteOrder", "words",
// "planes", "setBit", "ink"}], "palettes": [{"name", "colours", "help"}], "styles":
// {"arduino": {"layout", "fixed"}, ...}},
// a LAYOUT being the four packing flags by group, as the page's radio
// buttons name them.
EMSCRIPTEN_KEEPALIVE const char* qg_presets() {
    static std::string json;
    if (!json.empty()) return json.c_str();
    auto layout = [](const ConvertOptions& o) {
        return std::string("{\"order\": \"") + (o.msbReverse ? "lsb-first" : "msb-first") + "\", \"bits\": \"" +
               (o.bitHorizontal ? "bits-horizontal" : "bits-vertical") + "\", \"bytes\": \"" +
               (o.byteHorizontal ? "bytes-horizontal" : "bytes-vertical") + "\", \"fill\": \"" +
               (o.fillOnes ? "fill-one" : "fill-zero") + "\"}";
    };
    auto text = [](const char* words) { return Quoted(words); };
    ConvertOptions defaults = {};
    SetDefaultOptions(&defaults);
    json = "{\"defaults\": " + layout(defaults) + ", \"presets\": [";
    for (const Preset* preset = PresetsBegin(); preset != PresetsEnd(); ++preset)
        json += std::string(preset == PresetsBegin() ? "" : ", ") + "{\"name\": " + text(preset->name) +
                ", \"what\": " + text(preset->what) + ", \"layout\": " + layout(preset->layout) +
                ", \"invert\": " + (preset->invert ? "true" : "false") +
                ", \"depth\": " + std::to_string(IsDirect(preset->format) ? 1 : BitsOf(preset->format)) +
                ", \"palette\": " + text(preset->palette ? preset->palette : "") +
                ", \"colour\": " + text(IsDirect(preset->format) ? PixelFormatName(preset->format) : "") +
                ", \"byteOrder\": " + text(preset->bigEndian ? "be" : "le") +
                ", \"words\": " + (preset->words ? "true" : "false") +
                ", \"planes\": " + (preset->planes ? "true" : "false") +
                ", \"setBit\": " + (preset->setBitLight ? "\"light\"" : "\"dark\"") + ", \"ink\": \"" +
                std::to_string(preset->blackInk) + "," + std::to_string(preset->colourInk) + "\"}";
    json += "], \"palettes\": [";
    for (const NamedPalette* named = NamedPalettesBegin(); named != NamedPalettesEnd(); ++named)
        json += std::string(named == NamedPalettesBegin() ? "" : ", ") + "{\"name\": " + text(named->name) +
                ", \"colours\": " + text(named->colours) + ", \"help\": " + text(named->help) + "}";
    json += "], \"styles\": {";
    // Each C style of --c-array, and the forms of their own: the layout each
    // starts from and whether its reader takes only that one.
    const struct {
        const char* name;
        OutputFormat form;
        CStyle style;
    } styles[] = {{"plain", OutputFormat::CArray, CStyle::Plain},
                  {"arduino", OutputFormat::CArray, CStyle::Arduino},
                  {"u8g2", OutputFormat::CArray, CStyle::U8g2},
                  {"xbm", OutputFormat::Xbm, CStyle::Plain},
                  {"lvgl", OutputFormat::Lvgl, CStyle::Plain}};
    for (const auto& style : styles) {
        FormOptions options;
        options.style = style.style;
        const OutputForm& form = FormRow(style.form).form;
        const ConvertOptions* start = form.StartingLayout(options);
        json += std::string(style.style == CStyle::Plain && style.form == OutputFormat::CArray ? "" : ", ") +
                text(style.name) + ": {\"layout\": " + layout(start ? *start : defaults) +
                ", \"fixed\": " + (form.FixedLayout(options) ? "true" : "false") + "}";
    }
    json += "}, \"forms\": [";
    bool first = true;
    for (const OutputFormRow& row : OutputForms()) {
        if (!row.writes) continue;
        json += std::string(first ? "" : ", ") + "{\"flag\": " + text(row.flag) +
                ", \"extension\": " + text(row.extension) + ", \"text\": " + (row.text ? "true" : "false") +
                ", \"named\": " + (row.cSource ? "true" : "false") + "}";
        first = false;
    }
    json += "]";
    json += "}";
    return json.c_str();
}

// "Quillgrid 0.4.0 (commit 1a2b3c4d5e6f). MIT licence ...": the page's
// about line, as quillgrid-cli --version says it.
EMSCRIPTEN_KEEPALIVE const char* qg_version() {
    return "Quillgrid " QG_VERSION " (" QG_COMMIT
           "). MIT licence. It holds stb, libjpeg-turbo (based in part on the "
           "work of the Independent JPEG Group) and libwebp, each under its own licence. It draws fonts with "
           "FreeType: portions of this software are copyright (C) 2022 The FreeType Project (www.freetype.org). "
           "All rights reserved. It compresses with LZ4, copyright (C) 2011-2020 Yann Collet (BSD 2-clause "
           "licence).";
}

EMSCRIPTEN_KEEPALIVE const char* qg_output() { return output.data(); }
EMSCRIPTEN_KEEPALIVE size_t qg_output_size() { return output.size(); }
EMSCRIPTEN_KEEPALIVE const char* qg_errors() { return errors.c_str(); }

// What the command line `args` (one a line) would be refused for, before
// any file is read: "" when nothing, else {"rule": true when a rule of the
// table refuses it (false for a value that is not valid, or a settings
// file), "options": the options it names, "message": its line}. The page
// asks this of each control before it offers it; it keeps no rule itself.
EMSCRIPTEN_KEEPALIVE const char* qg_refusal(const char* args) {
    static std::string json;
    const CommandLine line(args);
    const std::vector<const char*>& argv = line.argv;
    CliArgs parsed;
    Conversion conversion;
    std::string message, option;
    const CliRule* rule = nullptr;
    bool refused = !ParseCliArgs(static_cast<int>(argv.size()), argv.data(), &parsed, &message, &option);
    if (!refused && !parsed.help && !parsed.version) {
        refused = !ResolveConversion(parsed, &conversion, &message, &rule);
        option = rule ? rule->options : "";
    }
    json.clear();
    if (refused)
        json = std::string("{\"rule\": ") + (rule ? "true" : "false") + ", \"options\": " + Quoted(option.c_str()) +
               ", \"message\": " + Quoted(message.c_str()) + "}";
    return json.c_str();
}

// The rules, in the order they are checked: [{"options", "example"}].
EMSCRIPTEN_KEEPALIVE const char* qg_rules() {
    static std::string json;
    if (!json.empty()) return json.c_str();
    json = "[";
    for (size_t i = 0; i < kCliRuleCount; ++i)
        json += std::string(i ? ", " : "") + "{\"options\": " + Quoted(kCliRules[i].options) +
                ", \"example\": " + Quoted(kCliRules[i].example) + "}";
    json += "]";
    return json.c_str();
}

// A file the page holds has new bytes: what was kept of it is stale.
EMSCRIPTEN_KEEPALIVE void qg_forget() { images.Forget(); }

}  // extern "C"
