// Runs the converter in-process, with its output and messages in files.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/test_support.h"

namespace test {

class CliTest : public ::testing::Test {
protected:
    // Runs the converter with `args`; its output and messages land in `out`
    // and `err`.
    int Run(std::vector<std::string> args) { return RunWithInput(args, stdin); }

    // The same, with `in` as standard input.
    int RunWithInput(std::vector<std::string> args, FILE* in) {
        args.insert(args.begin(), "quillgrid-cli");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        FILE* outFile = std::fopen(io.File("stdout").c_str(), "wb");
        FILE* errFile = std::fopen(io.File("stderr").c_str(), "wb");
        int status = RunCli(static_cast<int>(argv.size()), argv.data(), in, outFile, errFile);
        std::fclose(outFile);
        std::fclose(errFile);
        out = ReadText(io.File("stdout"));
        err = ReadText(io.File("stderr"));
        return status;
    }

    std::string Image(const Bytes& bytes, const char* name = "in.bmp") {
        std::string path = dir.File(name);
        WriteBytes(path, bytes);
        return path;
    }

    // The names of the files in the scratch folder.
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (auto& entry : std::filesystem::directory_iterator(dir.Path("")))
            names.insert(entry.path().filename().string());
        return names;
    }

    ScratchDir dir;
    ScratchDir io;  // kept apart, so that `dir` holds only what a test made
    std::string out, err;
};

// A CliTest with models: a C program of the reading loops of the drivers
// and libraries a test holds the bytes to, built once a test with the
// native C compiler, and run on the bytes.
class ModelTest : public CliTest {
protected:
    bool BuildModels(const char* source) {
        std::ofstream(dir.File("models.c")) << source;
        const std::string build = std::string(QG_C_COMPILER) + " -std=c99 -Wall -Wextra -Werror -o '" +
                                  dir.File("models") + "' '" + dir.File("models.c") + "' 2>'" + dir.File("cc.log") +
                                  "'";
        if (std::system(build.c_str()) != 0) {
            ADD_FAILURE() << ReadText(dir.File("cc.log"));
            return false;
        }
        return true;
    }
    // What the models print for `args`: the model's name and its arguments.
    std::string Model(const std::string& args) {
        const std::string command = "'" + dir.File("models") + "' " + args + " > '" + dir.File("model.out") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << args;
        return ReadText(dir.File("model.out"));
    }
};

// The sixteen layouts, as flags.
inline std::vector<std::vector<std::string>> AllLayouts() {
    std::vector<std::vector<std::string>> layouts;
    for (int i = 0; i < 16; ++i) {
        layouts.push_back({i & 1 ? "--lsb-first" : "--msb-first", i & 2 ? "--bits-horizontal" : "--bits-vertical",
                           i & 4 ? "--bytes-horizontal" : "--bytes-vertical", i & 8 ? "--fill-one" : "--fill-zero"});
    }
    return layouts;
}

// The bytes that array text stands for: every ", 0xHH" in order.
inline Bytes ValuesOf(const std::string& text) {
    Bytes values;
    for (size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2))
        values.push_back(static_cast<uint8_t>(std::stoul(text.substr(at + 2, 2), nullptr, 16)));
    return values;
}

}  // namespace test
