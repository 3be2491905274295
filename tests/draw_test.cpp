// Filled bars and rectangle outlines: worked pixels. Where each call draws
// (its clipped rectangle, an outline's four lines) is checked with the block
// transfers' placement in blit_test.cpp.
#include <gtest/gtest.h>

#include "blit_model.h"

using pixmill_test::Worked;

TEST(Draw, WorkedPixels)
{
    const Worked cases[] = {
        {"Bar24", 0x130, 0x220, -1, 0, {}, {9, 9, 9}, {255, 0x20, 0x30}, "colour arguments' low bytes only"},
        {"Bar32", 1, 2, 3, 0, {}, {9, 9, 9, 77}, {3, 2, 1, 77}, "keeps the alpha byte"},
        {"Bar32AlphaT", 1, 2, 3, 0x1234, {}, {9, 9, 9, 77}, {3, 2, 1, 0x34}, "sets alpha's low byte"},
        {"Bar24Alpha", 255, 255, 255, 128, {}, {0, 0, 0}, {128, 128, 128}, "colour 255 over 0"},
        {"Bar24Alpha", 0, 0, 0, 128, {}, {255, 255, 255}, {127, 127, 127}, "colour 0 over 255"},
        {"Bar24Alpha", 255, 255, 255, 0, {}, {10, 20, 30}, {10, 20, 30}, "alpha 0 leaves the pixel"},
        {"Bar24Alpha", 1, 2, 3, 255, {}, {200, 200, 200}, {3, 2, 1}, "alpha 255 writes the colour"},
        {"Bar32Alpha", 50, 0, 255, 128, {}, {0, 255, 50, 77}, {128, 127, 50, 77}, "keeps the alpha byte"},
        // Alpha used whole: the 32-bit sum wraps, the quotient truncates
        // toward zero and its low byte is stored.
        {"Bar24Alpha", 0, 255, 255, 256, {}, {0, 10, 100}, {0, 255, 0}, "alpha 256"},
        {"Bar32Alpha", 255, 0, 255, -1, {}, {0, 100, 200, 5}, {255, 100, 199, 5}, "alpha -1"},
        {"Bar24Mask24", 9, 9, 9, 0, {255, 255, 0}, {1, 2, 3}, {1, 2, 3}, "mask byte 2 alone counts: 0 skips"},
        {"Bar24Mask24", 9, 8, 7, 0, {0, 0, 255}, {1, 2, 3}, {7, 8, 9}, "mask 255 writes the colour"},
        {"Bar24Mask24", 255, 255, 255, 0, {0, 0, 128}, {0, 0, 0}, {128, 128, 128}, "mask 128 blends"},
        // A one-pixel outline lies on all four lines: 128, 191, 223, 239.
        {"Rect24Alpha", 255, 255, 255, 128, {}, {0, 0, 0}, {239, 239, 239}, "one pixel blended four times"},
        {"Rect32Alpha", 1, 2, 3, 0, {}, {10, 20, 30, 77}, {10, 20, 30, 77}, "alpha 0, corners included"},
        {"Rect32", 1, 2, 3, 0, {}, {9, 9, 9, 77}, {3, 2, 1, 77}, "keeps the alpha byte"},
        {"Rect32AlphaT", 1, 2, 3, 0x1C0, {}, {9, 9, 9, 9}, {3, 2, 1, 0xC0}, "sets alpha's low byte"},
    };
    for (const Worked& c : cases) pixmill_test::check_worked(c);
}
