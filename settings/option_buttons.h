// The options dialog's eight radio buttons, in the order of their control
// ids, and the two mappings between them and ConvertOptions.
#pragma once

#include "core/convert_options.h"

enum OptionButton {
    kMsbForward,  // msbReverse 0
    kMsbReverse,  // msbReverse 1
    kBitHorz,     // bitHorizontal 1
    kBitVert,     // bitHorizontal 0
    kByteHorz,    // byteHorizontal 1
    kByteVert,    // byteHorizontal 0
    kFillZero,    // fillOnes 0
    kFillOne,     // fillOnes 1
    kOptionButtonCount
};

// One button of each pair checked: the one for 1 where the field equals 1,
// otherwise the one for 0.
void OptionsToChecks(const ConvertOptions& options, bool checked[kOptionButtonCount]);

// Each field becomes 1 exactly when its button for 1 is checked; only those
// four buttons are read, and the carried bytes are left alone.
void ChecksToOptions(const bool checked[kOptionButtonCount], ConvertOptions* options);
