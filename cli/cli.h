// The command-line converter: images in, the array text (or the same bytes
// as a C declaration, or raw, or the 1-bit image as a BMP) out, through the
// same core as the Save command of the Windows program.
#pragma once

#include <cstdio>
#include <string>

#include "cli/input_file.h"
#include "image/image_input.h"

enum CliExit {
    kExitDone = 0,
    kExitRefused = 1,  // an input was unsupported or had nothing to pack
    kExitUsage = 2,    // nothing was converted
    kExitOutput = 3,   // an output could not be written
};

// Where the images named on the command line come from: by default files
// and standard input (ReadInputImage). Another source must give what
// ReadInputImage gives, or refuse as it does: an animated GIF's frames
// into the animation too.
class ImageSource {
public:
    virtual bool Read(const char* input, const ImageOptions& options, FILE* in, InputImage* into, std::string* why) = 0;
    // Told of each input's image as it is packed, with what --info would
    // say of it: for a face that shows the image beside the output, as the
    // display shows it (`setBitLight`: a 1-bit image's set bits light up).
    virtual void Packed(const PixelImage& image, bool setBitLight, const std::string& info) {
        (void)image;
        (void)setBitLight;
        (void)info;
    }

protected:
    ~ImageSource() = default;
};

// One run of the converter, with its own images and scanners: runs may go
// on at once. "-" as an input reads `in`; the shorter form reads standard
// input.
int RunCli(int argc, const char* const* argv, FILE* in, FILE* out, FILE* err, ImageSource* images = nullptr);
int RunCli(int argc, const char* const* argv, FILE* out, FILE* err);
