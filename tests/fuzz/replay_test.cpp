// Every fuzz target replays every stored input as an ordinary test: the
// starting inputs, the regression files, the samples and, when they are
// beside the project, the shared BMP and PNG test files. The same inputs
// every run, so a failure here is the same on every machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tests/test_support.h"

extern "C" int QgFuzzBmp(const uint8_t* data, size_t size);
extern "C" int QgFuzzDecode(const uint8_t* data, size_t size);
extern "C" int QgFuzzArray(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    int (*run)(const uint8_t* data, size_t size);
    // What an image is put behind to make one input of this target: the
    // options a target takes from its first bytes. Empty: the image as it is.
    std::vector<test::Bytes> leads;
};

const Target kTargets[] = {
    {"bmp", QgFuzzBmp, {{}}},
    // Tone, frame, frame size less one, alignment and filter (see the
    // target): the image as it comes at 0 %, 50 % and 100 %, each dither;
    // contained, covered and stretched in small frames, turned and flipped.
    {"decode", QgFuzzDecode,
     {{0x00, 0, 0, 0, 0}, {0x80, 0, 0, 0, 0}, {0xF8, 0, 0, 0, 0}, {0x81, 0, 0, 0, 0}, {0x86, 0, 0, 0, 0},
      {0x83, 0, 0, 0, 0}, {0x82, 0x01, 15, 7, 4}, {0x81, 0x0B, 6, 4, 0}, {0x87, 0x35, 2, 1, 8},
      {0x80, 0x5D, 63, 31, 14}, {0x80, 0x21, 0, 0, 4}, {0x84, 0x07, 9, 9, 22}}},
    // Width and height less one, then the layout (and, in bit 4, a guess).
    {"array", QgFuzzArray, {{7, 7, 0x00}, {127, 63, 0x11}, {16, 2, 0x0E}, {0, 0, 0x07}, {9, 20, 0x1B}}},
};

fs::path Source(const char* folder) { return fs::path(QG_SOURCE_DIR) / folder; }

// The files below `root`, in a fixed order.
std::vector<fs::path> FilesBelow(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code error;
    if (root.empty() || !fs::is_directory(root, error)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Replays `file` through `target` behind each of its leads; an input that
// breaks a promise aborts the run, naming the file.
void Replay(const Target& target, const fs::path& file, const test::Bytes& lead) {
    test::Bytes input = lead;
    test::Bytes body = test::ReadBytes(file.string());
    input.insert(input.end(), body.begin(), body.end());
    std::string name = std::string(target.name) + " <- " + file.string();
    fuzzInputName = name.c_str();
    target.run(input.data(), input.size());
    fuzzInputName = nullptr;
}

TEST(FuzzReplay, EveryStoredInputThroughEveryTarget) {
    std::vector<fs::path> images;
    for (const fs::path& root : {Source("fuzz/inputs"), Source("samples"), test::SharedBmpDir(),
                                 test::SharedPngDir()}) {
        std::vector<fs::path> found = FilesBelow(root);
        images.insert(images.end(), found.begin(), found.end());
    }
    // Regression files: images for every target, and the raw inputs of one
    // target (its own first bytes included) in a folder of its name.
    std::vector<fs::path> raw;
    for (const fs::path& file : FilesBelow(Source("tests/regressions"))) {
        bool ofOneTarget = file.parent_path() != Source("tests/regressions");
        (ofOneTarget ? raw : images).push_back(file);
    }
    size_t runs = 0;
    for (const Target& target : kTargets) {
        for (const fs::path& image : images) {
            for (const test::Bytes& lead : target.leads) Replay(target, image, lead), ++runs;
        }
        for (const fs::path& file : raw) {
            if (file.parent_path().filename() == target.name) Replay(target, file, {}), ++runs;
        }
    }
    std::printf("%zu images, %zu raw inputs, %zu runs\n", images.size(), raw.size(), runs);
    EXPECT_GT(runs, 20u);
}

}  // namespace
