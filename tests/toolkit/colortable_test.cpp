// The toolkit's sixteen colour words, as its dialogs paint them.
#include <gtest/gtest.h>

#include "korrel/wobject.h"

namespace {

TEST(ColourTable, HoldsTheSixteenWords)
{
    struct Word {
        int red, green, blue;
    };
    const Word words[kKorrelColorCount] = {
        {0, 0, 0},        // black
        {192, 192, 192},  // light grey
        {224, 224, 224},  // lighter grey
        {255, 0, 0},      // red
        {255, 255, 0},    // yellow
        {255, 0, 255},    // magenta
        {0, 255, 0},      // green
        {0, 0, 255},      // blue
        {0, 255, 255},    // cyan
        {255, 255, 255},  // white
        {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
    };
    for (int k = 0; k < kKorrelColorCount; ++k) {
        const COLORREF expected = static_cast<COLORREF>(words[k].red | (words[k].green << 8) | (words[k].blue << 16));
        EXPECT_EQ(KorrelColor(k), expected) << k;
    }
    EXPECT_EQ(KorrelColor(-1), 0u);  // outside the table: black, nothing read
    EXPECT_EQ(KorrelColor(kKorrelColorCount), 0u);
}

}  // namespace
