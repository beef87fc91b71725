// An animation's frames through the run: each framed and toned in turn,
// steady where the picture stands still, into the forms that take every
// frame or into one that takes one.
#pragma once

#include "cli/run.h"

// The frames of the input's animation into the job's output, or with
// --out-dir one file a frame.
Outcome ConvertFrames(Run& run, const InputImage& input, const Job& job);

// --info or --preview of the input's animation: its frames and delays, or
// the picture of the frame --frames names.
Outcome ShowFrames(const Run& run, const InputImage& input, const char* name, bool* shown);
