#include <cstdio>

#include "cli/cli.h"
#include "io/file_io.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The text's line ends are single line feeds, on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);  // an image read with "-"
#endif
    InstallInterruptCleanup();  // an interrupted run leaves no temporary file
    return RunCli(argc, argv, stdout, stderr);
}
