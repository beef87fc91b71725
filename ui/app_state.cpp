#include "ui/app_state.h"

#include <cstdlib>

SIZE g_viewSize;
char g_bitmapPath[kPathBufferSize];
char g_modulePath[kPathBufferSize];
char g_dropPath[kPathBufferSize];
char g_savePath[kPathBufferSize];

namespace {
int argCount = -1;
char** argValues = nullptr;
}  // namespace

void SetCommandArgs(int count, char** args) {
    argCount = count;
    argValues = args;
}

int CommandArgCount() { return argCount >= 0 ? argCount : __argc; }

const char* CommandArg(int index) {
    char** args = argCount >= 0 ? argValues : __argv;
    return index < CommandArgCount() ? args[index] : nullptr;
}
