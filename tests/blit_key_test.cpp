// Colour-keyed, constant-alpha and alpha-stamping block transfers.
#include <gtest/gtest.h>

#include "blit_model.h"
#include "frame/arith.h"

using pixmill::Block;
using pixmill_test::Extra;
using pixmill_test::TestSurface;

namespace {

// The four exports, called with the block and extra arguments of a test.
void tcolor(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to24TColor(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue), 0);
}
void alpha(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to24Alpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.alpha), 0);
}
void tcolor_alpha(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to24TColorAlpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue, e.alpha),
              0);
}
void stamp(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to32Alpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.alpha), 0);
}

}  // namespace

TEST(KeyedBlit, WorkedPixels)
{
    using Call = void (*)(Surface*, const Block&, Surface*, Surface*, const Extra&);
    struct Case {
        const char* what;
        Call call;
        Extra e;
        std::vector<int> src, dst, result;
    };
    const Case cases[] = {
        {"key pixel skipped", tcolor, {255, 0, 255, 0}, {255, 0, 255}, {1, 2, 3}, {1, 2, 3}},
        {"red byte off the key by one: copied", tcolor, {255, 0, 255, 0}, {255, 0, 254}, {1, 2, 3}, {255, 0, 254}},
        {"only the low byte of a key argument counts", tcolor, {0x1FF, 0x300, 0xFF, 0}, {255, 0, 255}, {1, 2, 3},
         {1, 2, 3}},
        {"blue key matches bytes (255, 0, 0)", tcolor, {0, 0, 255, 0}, {255, 0, 0}, {1, 2, 3}, {1, 2, 3}},
        {"key compared with the source, not the destination", tcolor, {3, 2, 1, 0}, {7, 8, 9}, {1, 2, 3}, {7, 8, 9}},
        {"alpha 255 copies", alpha, {0, 0, 0, 255}, {10, 20, 30}, {200, 100, 0}, {10, 20, 30}},
        {"alpha 0 keeps the destination", alpha, {0, 0, 0, 0}, {10, 20, 30}, {200, 100, 0}, {200, 100, 0}},
        {"alpha 128", alpha, {0, 0, 0, 128}, {255, 0, 100}, {0, 255, 200}, {128, 127, 149}},
        {"alpha 100", alpha, {0, 0, 0, 100}, {100, 0, 0}, {200, 0, 0}, {160, 0, 0}},
        // Out of range the whole alpha enters the products; the quotient
        // truncates toward zero and its low byte is stored.
        {"alpha 300 used whole", alpha, {0, 0, 0, 300}, {200, 0, 0}, {100, 0, 0}, {217, 0, 0}},
        {"alpha -100 truncates toward zero", alpha, {0, 0, 0, -100}, {200, 0, 0}, {0, 0, 0}, {178, 0, 0}},
        {"keyed alpha skips the key", tcolor_alpha, {30, 20, 10, 128}, {10, 20, 30}, {0, 0, 0}, {0, 0, 0}},
        {"keyed alpha blends the rest", tcolor_alpha, {30, 20, 10, 128}, {255, 20, 30}, {0, 0, 0}, {128, 10, 15}},
        {"keyed alpha 255 copies", tcolor_alpha, {30, 20, 10, 255}, {255, 20, 30}, {0, 0, 0}, {255, 20, 30}},
        {"24to32Alpha stamps the low byte", stamp, {0, 0, 0, 0x1C0}, {1, 2, 3}, {9, 9, 9, 9}, {1, 2, 3, 0xC0}},
    };
    for (const Case& c : cases) {
        TestSurface src(1, 1, 24), dst(1, 1, 8 * static_cast<int>(c.dst.size()));
        src.set(0, 0, c.src);
        dst.set(0, 0, c.dst);
        c.call(dst.get(), {0, 0, 1, 1, 0, 0}, src.get(), nullptr, c.e);
        EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end())) << c.what;
    }
}

TEST(KeyedBlit, RandomCallsMatchThePixelModel)
{
    using pixmill::blend255;
    const pixmill_test::ExportCase cases[] = {
        {"24to24TColor", 24, 24, false, tcolor,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             if (!e.is_key(s)) d[0] = s[0], d[1] = s[1], d[2] = s[2];
         }},
        {"24to24Alpha", 24, 24, false, alpha,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             for (int k = 0; k < 3; ++k) d[k] = blend255(s[k], d[k], e.alpha);
         }},
        {"24to24TColorAlpha", 24, 24, false, tcolor_alpha,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             for (int k = 0; k < 3 && !e.is_key(s); ++k) d[k] = blend255(s[k], d[k], e.alpha);
         }},
        {"24to32Alpha", 24, 32, false, stamp,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = uint8_t(e.alpha);
         }},
    };
    for (const auto& c : cases) pixmill_test::check_random_calls(c, 7);
}
