// A run whose inputs are fonts: the glyphs of the set from the first font
// that has each, written in the font form named, or drawn as a sample
// (--preview, --png, --bmp), or described (--info).
#pragma once

#include "cli/run.h"

// The exit status, as RunCli's.
int RunFonts(Run& run);
