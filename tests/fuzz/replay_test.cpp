// Every fuzz target replays every stored input as an ordinary test: the
// starting inputs, the regression files, the samples and, when they are
// beside the project, the shared BMP and PNG test files. The same inputs
// every run, so a failure here is the same on every machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tests/test_support.h"

extern "C" int QgFuzzBmp(const uint8_t* data, size_t size);
extern "C" int QgFuzzDecode(const uint8_t* data, size_t size);
extern "C" int QgFuzzArray(const uint8_t* data, size_t size);
extern "C" int QgFuzzFont(const uint8_t* data, size_t size);
extern "C" int QgFuzzCompress(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    int (*run)(const uint8_t* data, size_t size);
};

const Target kTargets[] = {
    {"bmp", QgFuzzBmp}, {"decode", QgFuzzDecode}, {"array", QgFuzzArray}, {"font", QgFuzzFont}, {"compress", QgFuzzCompress}};

fs::path Source(const char* folder) { return fs::path(QG_SOURCE_DIR) / folder; }

// The leads of `target` from fuzz/leads.txt, which tools/fuzz reads too;
// one empty lead for a target without any.
std::vector<test::Bytes> LeadsOf(const char* target) {
    std::vector<test::Bytes> leads;
    std::istringstream lines(test::ReadText(Source("fuzz/leads.txt").string()));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first, hex;
        if (!(words >> first) || first != target) continue;
        test::Bytes lead;
        while (words >> hex) lead.push_back(static_cast<uint8_t>(std::stoul(hex, nullptr, 16)));
        leads.push_back(lead);
    }
    if (leads.empty()) leads.push_back({});
    return leads;
}

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
    for (const fs::path& root :
         {Source("fuzz/inputs"), Source("samples"), test::SharedBmpDir(), test::SharedPngDir()}) {
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
        const std::vector<test::Bytes> leads = LeadsOf(target.name);
        if (std::string(target.name) != "bmp") {
            EXPECT_GT(leads.size(), 1u) << target.name;
        }
        for (const fs::path& image : images) {
            for (const test::Bytes& lead : leads) Replay(target, image, lead), ++runs;
        }
        for (const fs::path& file : raw) {
            if (file.parent_path().filename() == target.name) Replay(target, file, {}), ++runs;
        }
    }
    std::printf("%zu images, %zu raw inputs, %zu runs\n", images.size(), raw.size(), runs);
    EXPECT_GT(runs, 20u);
}

}  // namespace
