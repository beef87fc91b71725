// The record that the Open and Save As dialogs share.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "io/path_name.h"

// An OPENFILENAMEA in its pre-Windows 2000 size, all members zero except
// these; the dialog edits `path` (kPathBufferSize bytes) in place and starts
// in the executable's folder.
OPENFILENAMEA FileDialogRecord(HWND owner, const char* filter, char* path, const char* title, DWORD flags,
                               const char* defaultExtension);
