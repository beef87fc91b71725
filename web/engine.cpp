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
#include "cli/input_file.h"
#include "core/mono_bitmap.h"
#include "core/level_bmp_writer.h"
#include "core/mono_bmp_writer.h"
#include "forms/c_forms.h"
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
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "|%u|%u|%d|%d|%d|%u|%d|%d|%d|%d|%d", f.width, f.height,
                  static_cast<int>(f.fit), f.alignX, f.alignY, f.rotate, f.flipH, f.flipV, static_cast<int>(f.resample),
                  options.tone.blackBackground, static_cast<int>(options.from) + 2 * options.InColour());
    return input + std::string(numbers);
}

class KeptImages : public ImageSource {
public:
    bool Read(const char* input, const ImageOptions& options, FILE* in, Picture* picture, std::string* why,
              InputSize* source, Animation* animation) override {
        const std::string key = KeyOf(input, options);
        if (key != kept) {
            std::vector<uint8_t> bytes;
            FileHandle file = std::strcmp(input, "-") == 0 ? nullptr : OpenFileForRead(input, FileShare::ReadWrite);
            const bool read = file && ReadWholeFile(file, &bytes, kLargestInput) && bytes.size() <= kLargestInput;
            CloseFile(file);
            if (!read) return ReadInputImage(input, options, in, picture, why, source, animation);  // and its reason
            kept.clear();
            picture->Release();
            // A GIF, still or animated, is read afresh each run: nothing kept.
            if (FileKindOf(bytes.data(), bytes.size()) == FileKind::Gif)
                return ImageOfBytes(&bytes, options, picture, why, source, animation);
            if (!PrepareImage(bytes.data(), bytes.size(), options, &prepared, &picture->mono, why, &size)) return false;
            if (source) *source = size;
            // A 1-bit BMP as it is: nothing to keep.
            if (prepared.Empty()) return ToneImage(prepared, options, picture, why);
            kept = key;
        }
        if (source) *source = size;
        return ToneImage(prepared, options, picture, why);
    }

    // The images the last run packed, each as a BMP (an animation's frames
    // in order), and what --info says of the first.
    void Packed(const Picture& picture, const std::string& info) override {
        std::string packedBmp;
        if (picture.InDirect()) {
            EmitDirectBmp(picture.direct, AppendTo, &packedBmp);
        } else if (picture.InColour()) {
            EmitLevelBmp(picture.levels, AppendTo, &packedBmp, false, BufferSizes(), &picture.palette);
        } else if (picture.InLevels()) {
            EmitLevelBmp(picture.levels, AppendTo, &packedBmp, picture.coverage);
        } else {
            EmitMonoBmp(picture.mono, AppendTo, &packedBmp);
        }
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
    InputSize size;
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
    std::vector<std::string> words = {"quillgrid-cli"};
    for (const char* at = args; *at;) {
        const char* end = std::strchr(at, '\n');
        words.emplace_back(at, end ? end - at : std::strlen(at));
        at = end ? end + 1 : at + std::strlen(at);
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
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
// "ink"}], "palettes": [{"name", "colours", "help"}], "styles":
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
    auto text = [](const char* words) {
        std::string quoted = "\"";
        for (const char* c = words; *c; ++c) {
            if (*c == '"' || *c == '\\') quoted += '\\';
            quoted += *c == '\n' ? ' ' : *c;
        }
        return quoted + "\"";
    };
    ConvertOptions defaults = {};
    SetDefaultOptions(&defaults);
    json = "{\"defaults\": " + layout(defaults) + ", \"presets\": [";
    for (const Preset* preset = PresetsBegin(); preset != PresetsEnd(); ++preset)
        json += std::string(preset == PresetsBegin() ? "" : ", ") + "{\"name\": " + text(preset->name) +
                ", \"what\": " + text(preset->what) + ", \"layout\": " + layout(preset->options) +
                ", \"invert\": " + (preset->invert ? "true" : "false") +
                ", \"depth\": " + std::to_string(preset->depth) +
                ", \"palette\": " + text(preset->palette ? preset->palette : "") +
                ", \"colour\": " + text(preset->colour == DirectFormat::None ? "" : DirectFormatName(preset->colour)) +
                ", \"byteOrder\": " + text(preset->bigEndian ? "be" : "le") +
                ", \"words\": " + (preset->words ? "true" : "false") + ", \"ink\": \"" +
                std::to_string(preset->blackInk) + "," + std::to_string(preset->colourInk) + "\"}";
    json += "], \"palettes\": [";
    for (const NamedPalette* named = NamedPalettesBegin(); named != NamedPalettesEnd(); ++named)
        json += std::string(named == NamedPalettesBegin() ? "" : ", ") + "{\"name\": " + text(named->name) +
                ", \"colours\": " + text(named->colours) + ", \"help\": " + text(named->help) + "}";
    json += "], \"styles\": {";
    const struct {
        const char* name;
        CStyle style;
    } styles[] = {{"plain", CStyle::Plain},
                  {"arduino", CStyle::Arduino},
                  {"u8g2", CStyle::U8g2},
                  {"xbm", CStyle::Xbm},
                  {"lvgl", CStyle::Lvgl}};
    for (const auto& style : styles) {
        const ConvertOptions* start = StartingLayoutOfStyle(style.style);
        json += std::string(style.style == CStyle::Plain ? "" : ", ") + text(style.name) +
                ": {\"layout\": " + layout(start ? *start : defaults) +
                ", \"fixed\": " + (LayoutOfStyle(style.style) ? "true" : "false") + "}";
    }
    json += "}}";
    return json.c_str();
}

// "Quillgrid 0.4.0 (commit 1a2b3c4d5e6f)": the page's about line, as
// quillgrid-cli --version says it.
EMSCRIPTEN_KEEPALIVE const char* qg_version() { return "Quillgrid " QG_VERSION " (" QG_COMMIT ")"; }

EMSCRIPTEN_KEEPALIVE const char* qg_output() { return output.data(); }
EMSCRIPTEN_KEEPALIVE size_t qg_output_size() { return output.size(); }
EMSCRIPTEN_KEEPALIVE const char* qg_errors() { return errors.c_str(); }

// A file the page holds has new bytes: what was kept of it is stale.
EMSCRIPTEN_KEEPALIVE void qg_forget() { images.Forget(); }

}  // extern "C"
