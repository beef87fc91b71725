#include "settings/option_buttons.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionButtons, DefaultsCheckOneButtonOfEachPair) {
    ConvertOptions options = {};
    SetDefaultOptions(&options);
    bool checked[kOptionButtonCount];
    OptionsToChecks(options, checked);
    const bool expected[kOptionButtonCount] = {true, false, false, true, true, false, true, false};
    for (int i = 0; i < kOptionButtonCount; ++i) EXPECT_EQ(checked[i], expected[i]) << i;
}

TEST(OptionButtons, EveryCombinationRoundTrips) {
    for (int bits = 0; bits < 16; ++bits) {
        ConvertOptions options = {};
        options.msbReverse = bits & 1;
        options.bitHorizontal = (bits >> 1) & 1;
        options.byteHorizontal = (bits >> 2) & 1;
        options.fillOnes = static_cast<uint8_t>((bits >> 3) & 1);
        options.fillSlotRest[0] = 7;
        bool checked[kOptionButtonCount];
        OptionsToChecks(options, checked);
        for (int pair = 0; pair < 4; ++pair)
            EXPECT_NE(checked[2 * pair], checked[2 * pair + 1]) << bits << " pair " << pair;
        ConvertOptions back = {};
        back.fillSlotRest[0] = 9;
        ChecksToOptions(checked, &back);
        EXPECT_EQ(back.msbReverse, options.msbReverse);
        EXPECT_EQ(back.bitHorizontal, options.bitHorizontal);
        EXPECT_EQ(back.byteHorizontal, options.byteHorizontal);
        EXPECT_EQ(back.fillOnes, options.fillOnes);
        EXPECT_EQ(back.fillSlotRest[0], 9);  // carried bytes untouched
    }
}

TEST(OptionButtons, OnlyTheButtonsForOneAreRead) {
    bool none[kOptionButtonCount] = {};
    ConvertOptions options = {1, 1, 1, 1, {}};
    ChecksToOptions(none, &options);
    EXPECT_EQ(options.msbReverse + options.bitHorizontal + options.byteHorizontal + options.fillOnes, 0u);
    bool onlyZeros[kOptionButtonCount] = {true, false, false, true, false, true, true, false};
    ChecksToOptions(onlyZeros, &options);
    EXPECT_EQ(options.byteHorizontal, 0u);
}

}  // namespace
