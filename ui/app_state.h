// State shared by the main window's handlers for the whole run.
#pragma once

#include <windows.h>

#include "io/path_name.h"

extern SIZE g_viewSize;                     // wanted client size: the bitmap's, or 300 x 200
extern char g_bitmapPath[kPathBufferSize];  // the current bitmap; empty before one is accepted
extern char g_modulePath[kPathBufferSize];  // the executable; initial folder of both file dialogs
extern char g_dropPath[kPathBufferSize];    // the name of a dropped file
extern char g_savePath[kPathBufferSize];    // the proposed, then chosen, output file

const LONG kEmptyViewWidth = 300;
const LONG kEmptyViewHeight = 200;

// The program's command-line arguments as the runtime split them. Tests
// put their own in place.
int CommandArgCount();
const char* CommandArg(int index);
void SetCommandArgs(int count, char** args);
