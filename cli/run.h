// One run of the converter: what every input shares, and the steps of one
// input from its file to its output, which the run's forms of output use.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/conversion.h"
#include "cli/input_file.h"

extern const char kName[];  // the program's, at the start of every message

enum class Outcome {
    Done,
    Refused,
    NotWritten,
    Frames,  // the input is an animation, decoded into the input's image
};

// Each output file written, with an input it was made from: --depfile's.
typedef std::vector<std::pair<std::string, std::string>> Written;

// What every input of one run shares: one run's own, never another's.
struct Run {
    const Conversion& conversion;
    FILE* in;
    FILE* out;
    FILE* err;
    ImageSource* images;  // null: files and standard input
    Written written = {};
};

// One input's conversion: where it goes and what it is called.
struct Job {
    const char* input;
    const std::string& output;  // empty: standard output
    const std::string& arrayName;
};

// How an input is named in messages and generated text.
std::string DisplayName(const char* input);

bool WriteToStream(void* context, const char* text, uint32_t size);
bool WriteText(const Run& run, const std::string& text);

// "quillgrid-cli: INPUT: WHY" on the error stream.
void Refuse(const Run& run, const char* input, const std::string& why);

// The image as the run's form takes it, named `name`.
FormImage ImageForForm(const Run& run, const InputImage& image, const char* input, const std::string& name);

// The image in the run's form, from its packed bytes.
bool Emit(const Run& run, const InputImage& image, const Job& job, ByteSink sink, void* context);
// That into the job's output file, replaced whole, or standard output.
bool WriteOutput(Run& run, const InputImage& image, const Job& job);

// Reads the input into `image` and packs it (Pack); says why not on the
// error stream. An animated GIF is decoded into its animation instead:
// Outcome::Frames.
Outcome Prepare(const Run& run, const char* input, InputImage* image);

// The picture already in `image`, inverted as asked and checked, packed.
Outcome Pack(const Run& run, const char* input, InputImage* image);
