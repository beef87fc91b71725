// The command-line converter: a BMP in, the array text out, through the
// same core as the Save command of the Windows program.
#pragma once

#include <cstdio>

enum CliExit {
    kExitDone = 0,
    kExitRefused = 1,   // unsupported input, or nothing to pack
    kExitUsage = 2,
    kExitOutput = 3,    // the output could not be written
};

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err);
