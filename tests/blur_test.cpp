// The in-place five-point blur.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

using BlurFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t);

struct Format {
    BlurFn fn;
    int bits;
};
const Format kFormats[] = {{Render_Blur24, 24}, {Render_Blur32, 32}};

// Channel c of a one-channel example holds the value plus 60 c (the mean moves
// by the same 60 c), and byte 3 a value no blur may change.
void load(TestSurface& s, const std::vector<int>& values)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const int v = values[y * s.width() + x];
            std::vector<int> px = {v, v + 60, v + 120, 200 + x + y};
            px.resize(s.pixel(x, y).size());
            s.set(x, y, px);
        }
}

void expect_values(TestSurface& s, const std::vector<int>& values, int bits, const char* what)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const int v = values[y * s.width() + x];
            std::vector<uint8_t> expect = {uint8_t(v), uint8_t(v + 60), uint8_t(v + 120)};
            if (bits == 32) expect.push_back(uint8_t(200 + x + y));
            EXPECT_EQ(s.pixel(x, y), expect) << what << " at " << x << "," << y << " bits " << bits;
        }
}

}  // namespace

TEST(Blur, WorkedExamples)
{
    struct Case {
        const char* what;
        int w, h;
        std::vector<int> before;
        int rx, ry, rw, rh;
        std::vector<int> after;
    };
    const Case cases[] = {
        // The bottom row is the surface's last row, so it stands in for its
        // own lower neighbours.
        {"3x2 whole", 3, 2, {10, 20, 30, 40, 50, 60}, 0, 0, 3, 2, {18, 27, 35, 37, 44, 51}},
        // The second row reads the third (never written) as its lower neighbours.
        {"3x3 top two rows", 3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}, 0, 0, 3, 2,
         {18, 27, 35, 43, 52, 59, 70, 80, 90}},
        // A single pixel above the bottom row: (4 self + down) / 5.
        {"1x1 above the bottom", 1, 2, {100, 7}, 0, 0, 1, 1, {81, 7}},
        {"1x1 on the bottom row", 1, 2, {100, 7}, 0, 1, 1, 1, {100, 7}},
        // A uniform rectangle stays, except that its last row takes in the row below.
        {"uniform over a different row", 2, 3, {50, 50, 50, 50, 0, 100}, 0, 0, 2, 2, {50, 50, 40, 58, 0, 100}},
        // Left and right edges use the pixel itself even where the surface goes on.
        {"middle column", 3, 1, {0, 100, 0}, 1, 0, 1, 1, {0, 100, 0}},
        // The clip: negative origins shorten the rectangle by the overhang.
        {"negative origin", 3, 2, {10, 20, 30, 40, 50, 60}, -1, -1, 2, 2, {16, 20, 30, 40, 50, 60}},
        // One bright pixel: the sweep carries it right and down through
        // already-blurred neighbours; the row above only sees the original.
        {"one bright pixel", 4, 4, {0, 0, 0, 0, 0, 125, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 4, 4,
         {0, 25, 5, 1, 25, 35, 8, 1, 5, 8, 3, 0, 1, 1, 0, 0}},
    };
    for (const Format& f : kFormats)
        for (const Case& c : cases) {
            TestSurface s(c.w, c.h, f.bits);
            load(s, c.before);
            EXPECT_EQ(f.fn(s.get(), c.rx, c.ry, c.rw, c.rh), 0);
            expect_values(s, c.after, f.bits, c.what);
        }
}

TEST(Blur, RectanglesThatClipToNothingTouchNothing)
{
    for (const Format& f : kFormats) {
        TestSurface s(5, 4, f.bits, 2);
        std::mt19937 rng(3);
        s.fill_random(rng);
        const auto before = s.bytes();
        const int32_t rects[][4] = {{5, 0, 3, 3},   {0, 4, 3, 3},  {0, 0, 0, 4},  {0, 0, 5, -1},
                                    {-5, 0, 5, 4},  {0, -4, 5, 4}, {6, 0, 1, 1},  {INT32_MAX, 0, 1, 1},
                                    {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, INT32_MIN, INT32_MIN}};
        for (const auto& r : rects) EXPECT_EQ(f.fn(s.get(), r[0], r[1], r[2], r[3]), 0);
        Surface no_array{5, 0, nullptr};
        EXPECT_EQ(f.fn(&no_array, 0, 0, 5, 4), 0);
        EXPECT_EQ(f.fn(nullptr, 0, 0, 5, 4), 0);
        EXPECT_EQ(s.bytes(), before) << f.bits;
    }
}

// Random surfaces (padded rows) and rectangles: the call equals blurring the
// clipped rectangle; no byte outside the rectangle changes, the row below it
// and every byte 3 and padding byte included; the 24- and 32-bit exports agree
// on the colour bytes.
TEST(Blur, RandomRectangles)
{
    std::mt19937 rng(11);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int iter = 0; iter < 400; ++iter) {
        const int w = pick(1, 12), h = pick(1, 8);
        TestSurface s24(w, h, 24, pick(0, 3)), s32(w, h, 32, pick(0, 2));
        s24.fill_random(rng);
        s32.fill_random(rng);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) std::copy(s24.px(x, y), s24.px(x, y) + 3, s32.px(x, y));
        const auto before24 = s24.bytes(), before32 = s32.bytes();

        pixmill::Rect r{pick(-4, w + 1), pick(-3, h + 1), pick(-2, w + 4), pick(-2, h + 3)};
        Render_Blur24(s24.get(), r.x, r.y, r.w, r.h);
        Render_Blur32(s32.get(), r.x, r.y, r.w, r.h);
        const bool draws = pixmill::clip_rect(r, w, h);

        if (draws) {
            // The same rectangle given already clipped.
            TestSurface again(w, h, 24, 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const size_t at = static_cast<size_t>(h - 1 - y) * s24.pitch() + 3 * x;
                    std::copy(before24.begin() + at, before24.begin() + at + 3, again.px(x, y));
                }
            Render_Blur24(again.get(), r.x, r.y, r.w, r.h);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) ASSERT_EQ(again.pixel(x, y), s24.pixel(x, y)) << iter;
            }
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool inside = draws && x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                const size_t at24 = static_cast<size_t>(h - 1 - y) * s24.pitch() + 3 * x;
                const size_t at32 = static_cast<size_t>(h - 1 - y) * s32.pitch() + 4 * x;
                for (int k = 0; k < 3; ++k) {
                    ASSERT_EQ(s24.px(x, y)[k], s32.px(x, y)[k]) << iter;
                    if (!inside) {
                        ASSERT_EQ(s24.px(x, y)[k], before24[at24 + k]) << iter << " outside changed";
                    }
                }
                ASSERT_EQ(s32.px(x, y)[3], before32[at32 + 3]) << "byte 3 changed";
            }
        for (int y = 0; y < h; ++y) {  // padding
            const size_t row24 = static_cast<size_t>(h - 1 - y) * s24.pitch();
            const size_t row32 = static_cast<size_t>(h - 1 - y) * s32.pitch();
            for (size_t k = 3 * w; k < static_cast<size_t>(s24.pitch()); ++k)
                ASSERT_EQ(s24.bytes()[row24 + k], before24[row24 + k]);
            for (size_t k = 4 * w; k < static_cast<size_t>(s32.pitch()); ++k)
                ASSERT_EQ(s32.bytes()[row32 + k], before32[row32 + k]);
        }
    }
}
