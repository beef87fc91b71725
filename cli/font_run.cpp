#include "cli/font_run.h"

#include <memory>

#include "cli/depfile.h"
#include "cli/output_paths.h"
#include "fonts/c_font_reader.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"

namespace {

// A font file is read whole; FreeType reads the face from memory.
const size_t kLargestFont = size_t(256) << 20;

struct OpenFonts {
    std::vector<std::unique_ptr<FontFace>> faces;
    std::vector<const FontFace*> order;
    std::unique_ptr<CFont> inC;  // a font read back from its C text, the only input
};

// A GFXfont header or a u8g2 font array given as the input: its glyphs as
// it holds them, at its own size.
bool ReadBack(const Run& run, const char* input, const std::vector<uint8_t>& bytes, OpenFonts* fonts) {
    const Conversion& c = run.conversion;
    std::string why;
    fonts->inC = std::make_unique<CFont>();
    if (c.inputs.size() > 1)
        why = "a font in C is read alone: give it as the only input";
    else if (c.font.size)
        why = "a font in C has its own size: give no --font-size";
    else
        ReadCFont(std::string(bytes.begin(), bytes.end()), fonts->inC.get(), &why);
    if (why.empty()) return true;
    Refuse(run, input, why);
    return false;
}

bool OpenEach(const Run& run, OpenFonts* fonts) {
    const FontConversion& f = run.conversion.font;
    for (const char* input : run.conversion.inputs) {
        std::vector<uint8_t> bytes;
        std::string why;
        auto face = std::make_unique<FontFace>();
        const bool read = ReadInputBytes(input, run.in, kLargestFont, &bytes, &why);
        if (read && bytes.size() > kLargestFont) why = "a font of more than 256 MiB";
        if (read && bytes.size() <= kLargestFont && !LooksLikeFont(bytes.data(), bytes.size()) &&
            LooksLikeCFont(std::string(bytes.begin(), bytes.end())))
            return ReadBack(run, input, bytes, fonts);
        if (!read || bytes.size() > kLargestFont || !face->Open(std::move(bytes), f.face, &why) ||
            !face->SetSize(f.size, &why)) {
            Refuse(run, input, why);
            return false;
        }
        fonts->order.push_back(face.get());
        fonts->faces.push_back(std::move(face));
    }
    return true;
}

// The set asked for: the glyphs named and the characters of --text's file.
bool GlyphSetOf(const Run& run, CodePoints* set) {
    const FontConversion& f = run.conversion.font;
    *set = f.glyphs;
    if (!f.textFile) return true;
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadInputBytes(f.textFile, run.in, kLargestFont, &bytes, &why) ||
        !AddTextCharacters(std::string(bytes.begin(), bytes.end()), set, &why)) {
        Refuse(run, f.textFile, why);
        return false;
    }
    return true;
}

// "U+3042 'あ', U+3044 'い' and 12 more".
std::string FewCodePoints(const CodePoints& points) {
    std::string text;
    const size_t shown = std::min<size_t>(points.size(), 8);
    for (size_t i = 0; i < shown; ++i) text += (i ? ", " : "") + CodePointText(points[i]);
    if (points.size() > shown) text += " and " + std::to_string(points.size() - shown) + " more";
    return text;
}

// "0x20-0x7E,0xB0": a set as its runs, the first twelve of them.
std::string Runs(const FontGlyphs& font) {
    std::string text;
    char part[40];
    size_t runs = 0;
    for (size_t i = 0; i < font.glyphs.size(); ++runs) {
        size_t j = i;
        while (j + 1 < font.glyphs.size() && font.glyphs[j + 1].codePoint == font.glyphs[j].codePoint + 1) ++j;
        const uint32_t a = font.glyphs[i].codePoint, b = font.glyphs[j].codePoint;
        if (a == b)
            std::snprintf(part, sizeof part, "%s0x%02X", text.empty() ? "" : ",", a);
        else
            std::snprintf(part, sizeof part, "%s0x%02X-0x%02X", text.empty() ? "" : ",", a, b);
        if (runs < 12) text += part;
        i = j + 1;
    }
    if (runs > 12) text += " and " + std::to_string(runs - 12) + " more runs";
    return text;
}

const char* KindName(CFontKind kind) {
    return kind == CFontKind::AdafruitGfx ? "an Adafruit GFX font"
           : kind == CFontKind::Lvgl      ? "an LVGL font"
                                          : "a u8g2 font";
}

// The glyphs of a font read back: all of them, or those of the set asked
// for, the rest missing.
void TakeGlyphs(const FontConversion& f, const CodePoints& set, const FontGlyphs& all, FontGlyphs* glyphs) {
    *glyphs = all;
    if (!f.glyphsAsked) return;
    glyphs->glyphs.clear();
    for (uint32_t c : set)
        if (const Glyph* g = FindGlyph(all, c))
            glyphs->glyphs.push_back(*g);
        else
            glyphs->missing.push_back(c);
    glyphs->fromFont.assign(glyphs->glyphs.size(), 0);
}

std::string About(const Run& run, const OpenFonts& fonts, const FontGlyphs& glyphs) {
    const FontMetrics& m = glyphs.metrics;
    if (fonts.inC)
        return fonts.inC->name + ", " + KindName(fonts.inC->kind) + " (lines " + std::to_string(m.lineHeight) +
               " apart, ascent " + std::to_string(m.ascent) + ", descent " + std::to_string(m.descent) +
               "), read back from " + BaseName(DisplayName(run.conversion.inputs[0]));
    std::string about = fonts.order[0]->Name() + ", " + std::to_string(m.pixelSize) + " pixels to the em (line " +
                        std::to_string(m.lineHeight) + ", ascent " + std::to_string(m.ascent) + ", descent " +
                        std::to_string(m.descent) + "), from ";
    for (size_t i = 0; i < run.conversion.inputs.size(); ++i)
        about += (i ? " then " : "") + BaseName(DisplayName(run.conversion.inputs[i]));
    return about;
}

std::string Describe(const Run& run, const OpenFonts& fonts, const FontGlyphs& glyphs) {
    const Conversion& c = run.conversion;
    std::string text;
    if (fonts.inC)
        text += DisplayName(c.inputs[0]) + ": " + fonts.inC->name + ", " + KindName(fonts.inC->kind) + " in C, of " +
                std::to_string(fonts.inC->glyphs.glyphs.size()) + " glyphs\n  lines " +
                std::to_string(glyphs.metrics.lineHeight) + " apart: ascent " + std::to_string(glyphs.metrics.ascent) +
                ", descent " + std::to_string(glyphs.metrics.descent) + "\n";
    for (size_t i = 0; i < fonts.order.size(); ++i) {
        const FontFace& face = *fonts.order[i];
        text += DisplayName(c.inputs[i]) + ": " + face.Name();
        if (face.Scalable()) {
            text += ", scalable";
        } else {
            text += ", bitmap font of";
            for (uint32_t size : face.BitmapSizes()) text += " " + std::to_string(size);
            text += " pixels";
        }
        if (face.FaceCount() > 1)
            text += ", face " + std::to_string(c.font.face) + " of " + std::to_string(face.FaceCount());
        const FontMetrics m = face.Metrics();
        text += "\n  " + std::to_string(m.pixelSize) + " pixels to the em: ascent " + std::to_string(m.ascent) +
                ", descent " + std::to_string(m.descent) + ", line height " + std::to_string(m.lineHeight) + "\n";
    }
    text += "glyphs: " + std::to_string(glyphs.glyphs.size()) + " (" + Runs(glyphs) + ")";
    if (!glyphs.missing.empty()) text += "; in no font: " + FewCodePoints(glyphs.missing);
    text += "\n";
    std::string form, why;
    text += c.font.form->describe(glyphs, c.font.write, &form, &why)
                ? form
                : c.font.form->library + std::string(": ") + why + "\n";
    return text;
}

// The sample drawn as the form's library draws it, in the picture's form.
bool WriteSample(Run& run, const FontGlyphs& glyphs, const std::string& output) {
    const Conversion& c = run.conversion;
    PixelImage picture;
    SamplePen pen;
    const CodePoints text = c.font.sample.empty() ? DefaultSample(glyphs) : c.font.sample;
    if (!DrawSample(glyphs, c.font.form->layout(glyphs, text), &picture, &pen)) {
        std::fprintf(run.err, "%s: not enough memory for the sample\n", kName);
        return false;
    }
    ArraySource source;
    source.fileName = BaseName(DisplayName(c.inputs[0]));
    source.width = picture.Width();
    source.height = picture.Height();
    source.format = picture.Format();
    const FormImage image = {picture, nullptr, source, c.font.name};
    const OutputForm& form = c.Form().form;
    if (output.empty()) return form.Image(image, c.formOptions, WriteToStream, run.out) && std::fflush(run.out) == 0;
    ReplacingFile file;
    if (!file.Open(output.c_str()) || !form.Image(image, c.formOptions, WriteToFile, file.Handle()) || !file.Commit())
        return false;
    for (const char* input : c.inputs) run.written.emplace_back(output, input);
    return true;
}

bool WriteFont(Run& run, const std::string& text, const std::string& output) {
    if (output.empty()) return WriteText(run, text) && std::fflush(run.out) == 0;
    ReplacingFile file;
    if (!file.Open(output.c_str()) || !WriteToFile(file.Handle(), text.data(), static_cast<uint32_t>(text.size())) ||
        !file.Commit())
        return false;
    for (const char* input : run.conversion.inputs) run.written.emplace_back(output, input);
    if (run.conversion.font.textFile) run.written.emplace_back(output, run.conversion.font.textFile);
    return true;
}

// Where the font goes: -o, --out-dir's NAME.EXT, or standard output.
std::string OutputOf(const Conversion& c) {
    if (c.output) return c.output;
    if (!c.outDir) return "";
    const char* extension = c.form == OutputFormat::ArrayText ? c.font.form->extension : FormRow(c.form).extension;
    // A file form has no C name: it is named after the first font.
    const std::string name = c.font.name.empty() ? IdentifierFromName(BaseName(DisplayName(c.inputs[0]))) : c.font.name;
    return InFolder(c.outDir, name + extension);
}

}  // namespace

int RunFonts(Run& run) {
    const Conversion& c = run.conversion;
    const FontConversion& f = c.font;
    OpenFonts fonts;
    CodePoints set;
    if (!OpenEach(run, &fonts) || !GlyphSetOf(run, &set)) return kExitRefused;
    const char* first = c.inputs[0];
    if (set.empty()) {
        Refuse(run, f.textFile ? f.textFile : first, "the glyph set is empty");
        return kExitRefused;
    }
    FontGlyphs glyphs;
    std::string why;
    if (fonts.inC) {
        TakeGlyphs(f, set, fonts.inC->glyphs, &glyphs);
    } else if (!GatherGlyphs(fonts.order, set, f.rendering, &glyphs, &why)) {
        Refuse(run, first, why);
        return kExitRefused;
    }
    if (!glyphs.missing.empty()) {
        if (glyphs.glyphs.empty()) {
            Refuse(run, first,
                   "none of the characters asked for is in the fonts given: " + FewCodePoints(glyphs.missing));
            return kExitRefused;
        }
        const std::string missing = std::to_string(glyphs.missing.size()) + " of the " + std::to_string(set.size()) +
                                    " characters asked for " + (glyphs.missing.size() == 1 ? "is" : "are") +
                                    " in no font given: " + FewCodePoints(glyphs.missing);
        // Without --strict the font is made without them, and says so.
        Refuse(run, first, f.strict ? missing + " (--strict)" : missing);
        if (f.strict) return kExitRefused;
    }
    if (c.mode == RunMode::Info) {
        const bool written = WriteText(run, Describe(run, fonts, glyphs)) && std::fflush(run.out) == 0;
        if (!written) std::fprintf(run.err, "%s: cannot write to standard output\n", kName);
        return written ? kExitDone : kExitOutput;
    }
    const std::string output = OutputOf(c);
    bool written;
    if (c.mode == RunMode::Preview || c.form != OutputFormat::ArrayText) {
        written = WriteSample(run, glyphs, c.mode == RunMode::Preview ? "" : output);
    } else {
        std::string text, note;
        if (!f.form->write(glyphs, f.name, About(run, fonts, glyphs), f.write, &text, &note, &why)) {
            Refuse(run, first, why);
            return kExitRefused;
        }
        if (!note.empty()) Refuse(run, first, note);
        written = WriteFont(run, text, output);
    }
    if (!written) {
        std::fputs(CannotWriteLine(output).c_str(), run.err);
        return kExitOutput;
    }
    if (c.depfile && !WriteDepfile(c, run.written, run.err)) return kExitOutput;
    return kExitDone;
}
