// The names a C form declares: C identifiers that no keyword takes.
#pragma once

// True for a word that C or C++ reserves: such a name cannot be an array's.
bool IsCKeyword(const char* name);

// True for a C identifier: a letter or '_', then letters, digits and '_'.
bool IsCIdentifier(const char* name);
