#include "tests/fonts/font_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace test {

std::vector<FontFile> InstalledFonts(const std::string& scratch) {
    std::vector<FontFile> fonts = {
        {"a proportional TrueType font", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
        {"a CFF OpenType font", "/usr/share/fonts/opentype/freefont/FreeSans.otf"},
        {"a Japanese TrueType font", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"},
        {"a PCF bitmap font", "/usr/share/fonts/X11/misc/6x13.pcf.gz"},
        {"a CJK OpenType collection's first face", "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"},
    };
    const std::string bdf = scratch + "/6x13.bdf";
    if (std::filesystem::exists(fonts[3].path) &&
        std::system(("pcf2bdf -o '" + bdf + "' " + fonts[3].path + " 2>/dev/null").c_str()) == 0)
        fonts.push_back({"a BDF bitmap font", bdf});
    std::vector<FontFile> installed;
    for (const FontFile& font : fonts)
        if (std::filesystem::exists(font.path)) installed.push_back(font);
    return installed;
}

std::vector<FontAtSize> FontsAtSizes(const std::string& scratch, const std::vector<uint32_t>& sizes) {
    std::vector<FontAtSize> fonts;
    for (const FontFile& file : InstalledFonts(scratch)) {
        FontFace face;
        std::string error;
        if (!face.Open(ReadFontFile(file.path), 0, &error)) {
            ADD_FAILURE() << file.path << ": " << error;
            continue;
        }
        if (!face.Scalable()) fonts.push_back({file, 0, false});
        for (uint32_t size : sizes)
            if (face.Scalable()) fonts.push_back({file, size, true});
    }
    return fonts;
}

std::string TinyBdf() {
    return "STARTFONT 2.1\n"
           "FONT -test-tiny-medium-r-normal--8-80-75-75-c-60-iso10646-1\n"
           "SIZE 8 75 75\n"
           "FONTBOUNDINGBOX 5 8 0 -2\n"
           "STARTPROPERTIES 3\nFONT_ASCENT 6\nFONT_DESCENT 2\nPIXEL_SIZE 8\nENDPROPERTIES\n"
           "CHARS 2\n"
           "STARTCHAR A\nENCODING 65\nSWIDTH 750 0\nDWIDTH 6 0\nBBX 5 6 0 0\nBITMAP\n"
           "70\n88\n88\nF8\n88\n88\nENDCHAR\n"
           "STARTCHAR g\nENCODING 103\nSWIDTH 750 0\nDWIDTH 6 0\nBBX 4 6 0 -2\nBITMAP\n"
           "70\n90\n90\n70\n10\n60\nENDCHAR\n"
           "ENDFONT\n";
}

std::string TinyBdfByBdfconv() {
    return "/*\n"
           "  Fontname: -test-tiny-medium-r-normal--8-80-75-75-c-60-iso10646-1\n"
           "  Copyright: (null)\n"
           "  Glyphs: 2/2\n"
           "  BBX Build Mode: 0\n"
           "*/\n"
           "const uint8_t u8g2_font_tiny_tf[49] U8G2_FONT_SECTION(\"u8g2_font_tiny_tf\") = \n"
           "  "
           "\"\\2\\0\\2\\2\\3\\3\\1\\2\\4\\5\\10\\0\\376\\6\\376\\6\\376\\0\\0\\0\\0\\0\\24A\\11u\\275\\225\\365\\30Y\\"
           "7\"\n"
           "  \"g\\11t\\274\\21e\\332I\\1\\0\\0\\0\\4\\377\\377\\0\";\n";
}

std::vector<uint8_t> ReadFontFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool OpenFont(const std::string& path, uint32_t size, FontFace* face) {
    std::string error;
    if (!face->Open(ReadFontFile(path), 0, &error) || !face->SetSize(size, &error)) {
        ADD_FAILURE() << path << ": " << error;
        return false;
    }
    return true;
}

bool GatherFrom(const std::string& path, uint32_t size, const std::string& set, const GlyphRendering& rendering,
                FontGlyphs* glyphs) {
    FontFace face;
    CodePoints points;
    std::string error;
    if (!OpenFont(path, size, &face)) return false;
    if (!ParseGlyphSet(set, &points, &error) || !GatherGlyphs({&face}, points, rendering, glyphs, &error)) {
        ADD_FAILURE() << path << ": " << error;
        return false;
    }
    return true;
}

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

}  // namespace test
