// One run of the converter: what every input shares, and the steps of one
// input from its file to its output, which the run's forms of output use.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_args.h"
#include "core/byte_scanner.h"
#include "core/packed_grid.h"
#include "forms/c_forms.h"
#include "image/image_decoder.h"
#include "image/image_input.h"

extern const char kName[];  // the program's, at the start of every message

enum class Outcome {
    Done,
    Refused,
    NotWritten,
    Frames,  // the input is an animation, decoded into the run's
};

// What every input of one run shares, and the image each input becomes in
// turn with its packed bytes: one run's own, never another's.
struct Run {
    const CliRequest& request;
    const ConvertOptions& options;
    bool invert;
    ByteScanner* scanner;  // this run's own, attached to a 1-bit image
    Picture* picture;
    std::unique_ptr<PackedGrid>* grid;  // the picture's packed bytes
    bool colour;                        // previews of levels in 24-bit colour
    FILE* in;
    FILE* out;
    FILE* err;
    ImageSource* images;   // null: files and standard input
    Animation* animation;  // an input's frames, when it is an animated GIF
    // Each output file written, with an input it was made from: --depfile's.
    std::vector<std::pair<std::string, std::string>>* written;
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

// What the comment above a C form says of the input's picture.
ArraySource SourceOf(const Run& run, const char* input);

// The run's picture in the request's form, from its packed bytes.
bool Emit(const Run& run, const Job& job, ByteSink sink, void* context);
// That into the job's output file, replaced whole, or standard output.
bool WriteOutput(const Run& run, const Job& job);

// The picture as text: half blocks or characters.
bool EmitPicturePreview(const Run& run, const Picture& picture);

// Reads the input into the run's picture and packs it (Pack); says why
// not on the error stream. An animated GIF is decoded into the run's
// animation instead: Outcome::Frames. `source` receives the input's size.
Outcome Prepare(const Run& run, const char* input, InputSize* source = nullptr);

// The picture already in the run, inverted as asked and checked, as the
// run's packed grid.
Outcome Pack(const Run& run, const char* input, const InputSize& size);
