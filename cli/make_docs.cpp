// Writes the manual page and the bash completion of quillgrid-cli, made
// from its option table, for the release's package.
//   usage: qg-make-docs MANPAGE COMPLETION
#include <cstdio>
#include <fstream>

#include "cli/cli_args.h"
#include "version.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qg-make-docs MANPAGE COMPLETION\n");
        return 2;
    }
    std::ofstream(argv[1], std::ios::binary) << CliManPage(QG_VERSION, QG_COMMIT_DATE);
    std::ofstream(argv[2], std::ios::binary) << CliCompletion();
    return 0;
}
