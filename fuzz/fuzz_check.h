// The one way a fuzz target says that an input broke a promise. Under
// libFuzzer it aborts, which records the input as a finding; replayed as a
// test, it names the condition and the input first.
#pragma once

#include <cstdio>
#include <cstdlib>

// Set by the replay test to the input being run; null under libFuzzer.
inline const char* fuzzInputName = nullptr;

#define FUZZ_CHECK(condition)                                                                             \
    do {                                                                                                  \
        if (!(condition)) {                                                                               \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d) on %s\n", #condition, __FILE__, __LINE__, \
                         fuzzInputName ? fuzzInputName : "input");                                        \
            std::abort();                                                                                 \
        }                                                                                                 \
    } while (0)
