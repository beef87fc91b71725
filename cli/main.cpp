#include <cstdio>

#include "cli/cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The text's line ends are single line feeds, on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return RunCli(argc, argv, stdout, stderr);
}
