// The output forms behind one seam. Each form is one file (forms/*_form.cpp)
// with one object of this interface, and one row of the table of forms
// (forms/output_forms.cpp): its flag, its file extension, whether it takes
// every frame of an animation, whether several images go into one file of
// it. A file of a form is its opening, one image or several, then for
// several a collection (the tables that name them) and its closing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"
#include "core/convert_options.h"
#include "compress/compression.h"
#include "core/pixel_format.h"

class PackedGrid;
class PixelImage;
struct LvglFormatRow;

enum class OutputFormat {
    ArrayText,  // the array text, as the Save command writes it
    CArray,     // the same values as a compilable C declaration (in a style)
    Binary,     // the packed bytes themselves
    Bmp,        // the image as a BMP (the 1-bit image as the Windows program opens it)
    Xbm,        // an XBM file
    Lvgl,       // an LVGL v9 image descriptor
    LvglBin,    // an LVGL v9 image file (.bin): its header, then the data
    Png,        // the image as the display shows it, as a PNG
    Preview,    // the image as text on the terminal
};

// --c-array's flavours.
enum class CStyle {
    Plain,    // const unsigned char NAME[N], NAME_width and NAME_height as enum constants
    Arduino,  // const unsigned char NAME[] PROGMEM, <avr/pgmspace.h> on AVR, <pgmspace.h> on ESP
    U8g2,     // static const unsigned char NAME_bits[] U8X8_PROGMEM, #define NAME_width, u8g2's drawXBMP
};

// How --preview draws an image.
enum class PreviewChoice {
    Blocks,  // half blocks: in colour for levels where the terminal takes it
    Ascii,   // one character a pixel
    Colour,  // half blocks in 24-bit colour, whatever the terminal
};

// What a form is asked for, resolved from the options.
struct FormOptions {
    CStyle style = CStyle::Plain;
    uint32_t perLine = 16;                // values a line in the C forms
    uint32_t wordBytes = 1;               // 2 or 4: the packed bytes as uint16_t or uint32_t values, little-endian
    const LvglFormatRow* lvgl = nullptr;  // --lvgl's colour format
    Compression compression = Compression::None;  // how the LVGL forms compress their data
    uint32_t lvglVersion = 9;                     // the LVGL --lvgl writes for: 8 or 9
    PreviewChoice preview = PreviewChoice::Blocks;
    bool terminalColour = false;  // the output is a terminal that takes colour escapes
    // The C text is a header, which any number of source files may include:
    // its data is static there (each file that draws it holds it; the
    // compiler leaves it out of those that do not). False for a file that
    // is compiled itself (.c, .cpp), whose data others declare extern.
    bool header = true;
    // A three-colour palette's planes, which a C form writes as two arrays,
    // NAME_black and NAME_<colourPlane> ("red", "yellow" or "colour"); empty
    // where the values are one array.
    std::string colourPlane;
    // What the display shows a 1-bit image's set bit as: dark (ink on an
    // LCD, the default) or light (a lit OLED pixel, white e-paper). The
    // forms that show the picture (PNG, BMP, the preview) show it so.
    bool setBitLight = false;
};

// What the comment above a C image tells about its source.
struct ArraySource {
    std::string fileName;  // shown as given, without control characters
    uint32_t width = 0;
    uint32_t height = 0;
    ConvertOptions options = {};
    bool invert = false;
    PixelFormat format = PixelFormat::Mono;
    std::string palette;  // the palette's name or colours, for a palette's values
    bool planes = false;  // the values written as 1-bit planes
    bool bigEndian = false;
    bool fillWhite = false;  // a row's spare pixels are white, not the layout's fill
};

// One image for a form: the picture, its packed bytes, and what a C form
// says and names it.
struct FormImage {
    const PixelImage& image;
    PackedGrid* grid;  // null for a form of the picture alone (BMP, PNG, the preview)
    ArraySource source;
    std::string name;  // a C identifier
};

// The images of one file, named in its tables: several inputs, or the
// frames of an animation (with each one's delay, sharing one size).
struct FormCollection {
    enum Kind { Images, Frames } kind = Images;
    std::string name;  // the tables' name
    struct Entry {
        std::string name;
        uint32_t width, height;
    };
    std::vector<Entry> entries;
    std::vector<uint32_t> delays;  // milliseconds, for frames
};

class OutputForm {
public:
    virtual ~OutputForm() = default;
    // What comes before the images: the includes a form needs and, for a
    // file of several images (a collection named `collection`; empty for
    // one image), the include guard.
    virtual bool Opening(const FormOptions&, const std::string& /*collection*/, ByteSink, void*) const { return true; }
    // One image.
    virtual bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
                       const BufferSizes& sizes = BufferSizes()) const = 0;
    // After several images: the tables of them.
    virtual bool Collection(const FormCollection&, const FormOptions&, ByteSink, void*) const { return true; }
    // The end of a file of several images: the end of the include guard.
    virtual bool Closing(const FormOptions&, ByteSink, void*) const { return true; }

    // The layout its reader takes, which no option may change; null for
    // any layout.
    virtual const ConvertOptions* FixedLayout(const FormOptions&) const { return nullptr; }
    // The layout it starts from when no option sets one: its fixed one,
    // one its reader takes, or null for the defaults.
    virtual const ConvertOptions* StartingLayout(const FormOptions& options) const { return FixedLayout(options); }
    // The names an image of that name declares, the array first; and those
    // a collection's tables declare. None for a form that is not C.
    virtual std::vector<std::string> NamesOfImage(const FormOptions&, const std::string&) const { return {}; }
    virtual std::vector<std::string> NamesOfCollection(const std::string&) const { return {}; }
};

struct OutputFormRow {
    OutputFormat format;
    const char* flag;       // "--c-array"; empty for array text, the form without a flag
    const char* extension;  // of an output file: ".h"
    const OutputForm& form;
    bool manyFrames;  // takes every frame of an animation; else the first, or the one --frames names
    bool collects;    // several images (or frames) go into one file, with tables that name them
    bool planes;      // can write levels as 1-bit planes
    bool cSource;     // C source: the images are named (NAME, NAME_width ...)
    bool text;        // its output is text, to read on a screen
    bool writes;      // writes an output (the preview shows the image instead)
};

// The LVGL image forms: the C descriptor and the file, of one colour format.
inline bool IsLvglImage(OutputFormat format) { return format == OutputFormat::Lvgl || format == OutputFormat::LvglBin; }

// The table, in the order the help names the forms.
const std::vector<OutputFormRow>& OutputForms();
const OutputFormRow& FormRow(OutputFormat format);

// Each form's one object, in its own file.
const OutputForm& ArrayTextForm();
const OutputForm& BinaryForm();
const OutputForm& CArrayForm();
const OutputForm& XbmForm();
const OutputForm& LvglForm();
const OutputForm& LvglBinForm();
const OutputForm& BmpForm();
const OutputForm& PngForm();
const OutputForm& PreviewForm();
