// The options between runs: a 16-byte copy of ConvertOptions in a file named
// after the program, with the extension ".dat".
#pragma once

#include <cstddef>

#include "core/convert_options.h"

// The options of the Windows program, between its settings file and its
// options dialog.
extern ConvertOptions g_options;

// The program's name as it was started (element 0 of the argument vector).
void SetProgramName(const char* name);

// The settings path for that name. False when there is none: no name, a
// name too long for the path buffer, or one that would name the program.
bool GetSettingsPath(char* path, size_t capacity);

enum class OptionsFileStatus { Read, CannotOpen, TooShort };

// Reads 16 bytes and normalises every non-zero field to 1; the carried bytes
// stay as read. Anything but Read leaves `options` untouched: the file could
// not be opened (it is opened unshared) or held fewer than 16 bytes.
OptionsFileStatus ReadOptionsFile(const char* path, ConvertOptions* options);

// Fills all of g_options from the settings file, or sets the defaults.
void LoadOptions();

// Writes g_options to the settings file; a failure is silent.
void SaveOptions();
