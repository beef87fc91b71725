// Every output the converter gives, held to what it gave when the goldens
// were written: tests/cli/goldens.txt holds a command line a line, with a
// hash of what it wrote (its status, standard output and error, and every
// file it made). A change of any byte of any output fails here, naming the
// command lines it changed. Where a change is meant, the file is written
// anew (QG_WRITE_GOLDENS=1 with this test) and its diff shows each case
// that changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"
#include "tests/fonts/font_files.h"

namespace {

using test::Bytes;

// FNV-1a, 64 bits: enough to tell two outputs apart, the same everywhere.
struct Hash {
    uint64_t value = 14695981039346656037ull;
    void Add(const std::string& bytes) {
        for (unsigned char c : bytes) value = (value ^ c) * 1099511628211ull;
        value = (value ^ 0xFF) * 1099511628211ull;  // ends each part
    }
    std::string Text() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
        return text;
    }
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A picture with smooth colour, hard edges and transparency: every tone,
// dither and palette has work to do.
Bytes Photo() {
    std::vector<uint32_t> samples;
    for (uint32_t y = 0; y < 41; ++y) {
        for (uint32_t x = 0; x < 61; ++x) {
            const bool disc = (x - 30) * (x - 30) + (y - 20) * (y - 20) < 120;
            samples.push_back(disc ? 230 : x * 4);
            samples.push_back(disc ? 40 : y * 6);
            samples.push_back(disc ? 30 : (x * y) % 256);
            samples.push_back(x < 4 ? x * 60 : 255);
        }
    }
    return test::Png(61, 41, 6, 8, samples);
}

class GoldensTest : public test::CliTest {
protected:
    void SetUp() override {
        test::WriteBytes(dir.File("photo.png"), Photo());
        test::WriteBytes(dir.File("odd.bmp"), test::RandomMonoBmp(13, 11, 7));
        std::vector<uint32_t> grey;
        for (uint32_t i = 0; i < 29 * 31; ++i) grey.push_back((i * 2261) % 65536);
        test::WriteBytes(dir.File("grey16.png"), test::Png(29, 31, 0, 16, grey));
        std::string text;
        Bytes raw;
        for (uint32_t i = 0; i < 400; ++i) {
            const uint8_t value = static_cast<uint8_t>((i * 37 + i / 7) ^ (i >> 3));
            raw.push_back(value);
            char item[8];
            std::snprintf(item, sizeof item, ", 0x%02X", value);
            text += item;
            if (i % 16 == 15) text += "\n";
        }
        test::WriteBytes(dir.File("bytes.bin"), raw);
        test::WriteBytes(dir.File("bytes.txt"), Bytes(text.begin(), text.end()));
        test::WriteBytes(dir.File("options.dat"), Bytes{1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 7, 8, 9});
        std::filesystem::create_directories(outDir.Path("out"));
        // Fonts from Debian's packages (tools/bootstrap cli), under short
        // names, and a BDF whose bits are known.
        const std::pair<const char*, const char*> fonts[] = {
            {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "dejavu.ttf"},
            {"/usr/share/fonts/opentype/freefont/FreeSans.otf", "freesans.otf"},
            {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", "ipag.ttf"},
            {"/usr/share/fonts/X11/misc/6x13.pcf.gz", "6x13.pcf.gz"},
        };
        for (const auto& [from, to] : fonts)
            if (std::filesystem::exists(from)) std::filesystem::copy_file(from, dir.Path(to));
        std::ofstream(dir.File("tiny.bdf"), std::ios::binary) << test::TinyBdf();
        std::ofstream(dir.File("tiny_u8g2.h"), std::ios::binary) << test::TinyBdfByBdfconv();
        std::ofstream(dir.File("ui.txt"), std::ios::binary) << "Temp\xC3\xA9rature: 21\xC2\xB0"
                                                               "C\n";
    }

    // The hash of one command line's run: its words with {in}, {root} and
    // {out} standing for the inputs' folder, the source tree and an empty
    // folder for what it writes.
    std::string HashOf(const std::vector<std::string>& words) {
        const std::string in = dir.File(""), root = QG_SOURCE_DIR, made = outDir.File("out");
        std::vector<std::string> args;
        for (const std::string& word : words)
            args.push_back(Replaced(Replaced(Replaced(word, "{in}", in), "{root}", root), "{out}", made));
        const int status = Run(args);
        Hash hash;
        hash.Add(std::to_string(status));
        // Windows joins a folder and a name with a backslash: the same output.
        auto placed = [&](std::string text) {
            text = Replaced(Replaced(text, made + "\\", made + "/"), in + "\\", in + "/");
            return Replaced(Replaced(Replaced(text, made, "{out}"), in, "{in}"), root, "{root}");
        };
        hash.Add(placed(out));
        hash.Add(placed(err));
        std::vector<std::filesystem::path> written;
        for (auto& entry : std::filesystem::directory_iterator(outDir.Path("out"))) written.push_back(entry.path());
        std::sort(written.begin(), written.end());
        for (const std::filesystem::path& file : written) {
            hash.Add(file.filename().string());
            hash.Add(placed(test::ReadText(file.string())));
            std::filesystem::remove(file);
        }
        return hash.Text();
    }

    test::ScratchDir outDir;
};

TEST_F(GoldensTest, EveryOutputIsWhatItWas) {
    const std::string path = std::string(QG_SOURCE_DIR) + "/tests/cli/goldens.txt";
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    const bool write = std::getenv("QG_WRITE_GOLDENS") != nullptr;
    std::string line, rewritten;
    size_t cases = 0, changed = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            rewritten += line + "\n";
            continue;
        }
        std::vector<std::string> words;
        std::stringstream fields(line);
        for (std::string word; std::getline(fields, word, '\t');) words.push_back(word);
        ASSERT_GE(words.size(), 1u) << line;
        const std::string expected = words[0];
        words.erase(words.begin());
        const std::string got = HashOf(words);
        ++cases;
        if (got != expected) {
            ++changed;
            if (!write) ADD_FAILURE() << "changed: " << line.substr(expected.size() + 1);
        }
        rewritten += got + line.substr(expected.size()) + "\n";
    }
    if (write) std::ofstream(path, std::ios::binary) << rewritten;
    EXPECT_GT(cases, 500u);
    std::printf("%zu cases, %zu changed\n", cases, changed);
}

}  // namespace
