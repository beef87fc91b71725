#include <windows.h>

#include <cstdlib>

#include "settings/settings_file.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    SetProgramName(__argc > 0 ? __argv[0] : nullptr);
    return RunQuillgrid(instance, showCommand);
}
