#include "settings/option_buttons.h"

void OptionsToChecks(const ConvertOptions& options, bool checked[kOptionButtonCount]) {
    for (int i = 0; i < kOptionButtonCount; ++i) checked[i] = false;
    checked[options.msbReverse == 1 ? kMsbReverse : kMsbForward] = true;
    checked[options.bitHorizontal == 1 ? kBitHorz : kBitVert] = true;
    checked[options.byteHorizontal == 1 ? kByteHorz : kByteVert] = true;
    checked[options.fillOnes == 1 ? kFillOne : kFillZero] = true;
}

void ChecksToOptions(const bool checked[kOptionButtonCount], ConvertOptions* options) {
    options->msbReverse = checked[kMsbReverse] ? 1 : 0;
    options->bitHorizontal = checked[kBitHorz] ? 1 : 0;
    options->byteHorizontal = checked[kByteHorz] ? 1 : 0;
    options->fillOnes = checked[kFillOne] ? 1 : 0;
}
