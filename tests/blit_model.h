// Randomised checks of block transfers against a slow model: the clipped
// rectangle walked one pixel at a time in the library's order (rows top-down,
// pixels left to right) over a copy of the destination's bytes, reading the
// source and mask from wherever they live at that moment, so a same-surface
// call sees its own earlier writes.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <vector>

#include "frame/clip.h"
#include "test_surface.h"

namespace pixmill_test {

// Per-call arguments beyond the block: a key as red, green, blue, and an alpha.
struct Extra {
    int red, green, blue, alpha;
    bool is_key(const uint8_t* s) const
    {
        return s[0] == uint8_t(blue) && s[1] == uint8_t(green) && s[2] == uint8_t(red);
    }
};

struct ExportCase {
    const char* name;
    int sbits, dbits;
    bool masked;
    std::function<void(Surface* d, const pixmill::Block& b, Surface* s, Surface* m, const Extra& e)> call;
    // One pixel: destination d, source s, mask pixel m (null without a mask).
    std::function<void(uint8_t* d, const uint8_t* s, const uint8_t* m, const Extra& e)> step;
    bool same_surface = true;  // whether to try source (and mask) as the destination
};

// Expected destination bytes; src or mask may be dst itself. A mask pixel
// outside the mask's array leaves its destination pixel alone.
inline std::vector<uint8_t> model_blit(const ExportCase& c, TestSurface& dst, TestSurface& src, TestSurface* mask,
                                       pixmill::Block b, const Extra& e)
{
    std::vector<uint8_t> out = dst.bytes();
    if (!pixmill::clip_block(b, dst.width(), dst.height(), src.width(), src.height())) return out;
    const uint8_t* sbase = &src == &dst ? out.data() : src.bytes().data();
    const uint8_t* mbase = mask == &dst ? out.data() : mask != nullptr ? mask->bytes().data() : nullptr;
    for (int j = 0; j < b.h; ++j)
        for (int i = 0; i < b.w; ++i) {
            uint8_t* d = out.data() + (dst.height() - 1 - b.dy - j) * dst.pitch() + (b.dx + i) * c.dbits / 8;
            const int row = src.height() - 1 - b.sy - j;  // array row, shared by source and mask
            const uint8_t* m = nullptr;
            if (mask != nullptr) {
                if (row >= mask->height() || 3 * (b.sx + i) + 3 > mask->pitch()) continue;
                m = mbase + row * mask->pitch() + 3 * (b.sx + i);
            }
            c.step(d, sbase + row * src.pitch() + (b.sx + i) * c.sbits / 8, m, e);
        }
    return out;
}

// Random padded surfaces, rectangles, masks smaller and larger than the area
// read, same-surface calls where the formats allow, keys drawn from the few
// byte values the sources are made of: the whole destination array, row
// padding included, must equal the model's.
inline void check_random_calls(const ExportCase& c, uint32_t seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int bytes[] = {0, 128, 255}, alphas[] = {0, 1, 128, 254, 255, -7, 300};
    for (int iter = 0; iter < 400; ++iter) {
        TestSurface src(pick(1, 15), pick(1, 7), c.sbits, pick(0, 4));
        TestSurface dst(pick(1, 15), pick(1, 7), c.dbits, pick(0, 3));
        TestSurface mask(pick(0, 17), pick(0, 9), 24, pick(0, 4));
        for (auto& v : src.bytes()) v = uint8_t(c.sbits == 24 ? bytes[pick(0, 2)] : rng());
        for (auto& v : mask.bytes()) v = uint8_t(bytes[pick(0, 2)] + pick(0, 1));
        dst.fill_random(rng);
        const bool same = c.same_surface && c.sbits == c.dbits && pick(0, 2) == 0;
        TestSurface& s = same ? dst : src;
        TestSurface& m = same && pick(0, 1) == 0 ? dst : mask;
        const Extra e{bytes[pick(0, 2)] | (pick(0, 1) << 8), bytes[pick(0, 2)], bytes[pick(0, 2)], alphas[pick(0, 6)]};
        pixmill::Block b{pick(-2, dst.width() - 1), pick(-2, dst.height() - 1), pick(-1, 17),
                         pick(-1, 9),               pick(-2, src.width() - 1), pick(-2, src.height() - 1)};
        // Now and then arguments at the int32 limits, whose sums must not wrap.
        const pixmill::Block extremes[] = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, 0},
                                           {0, 0, INT32_MAX, INT32_MAX, 0, 0},
                                           {-10, 0, INT32_MIN, 1, INT32_MIN, INT32_MIN}};
        if (iter % 25 == 24) b = extremes[iter / 25 % 3];
        const auto expect = model_blit(c, dst, s, c.masked ? &m : nullptr, b, e);
        c.call(dst.get(), b, s.get(), m.get(), e);
        ASSERT_EQ(dst.bytes(), expect) << c.name << " iteration " << iter << (same ? " same surface" : "");
    }
}

}  // namespace pixmill_test
