// The command-line converter: BMPs in, the array text (or the same bytes as
// a C declaration, or raw) out, through the same core as the Save command
// of the Windows program.
#pragma once

#include <cstdio>

enum CliExit {
    kExitDone = 0,
    kExitRefused = 1,   // an input was unsupported or had nothing to pack
    kExitUsage = 2,     // nothing was converted
    kExitOutput = 3,    // an output could not be written
};

int RunCli(int argc, const char* const* argv, FILE* out, FILE* err);
