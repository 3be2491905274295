// The memory-bound exports against the C library's own copy and fill of the
// same bytes: the physical limit of the machine.
#include <cstring>

#include "comparison.h"

namespace bench {

void add_memory_comparisons()
{
    add({"Render_BitBlt24to24", "memcpy", 0.8, Unit::kBytes, sweep_sizes(), [](Size s) {
             ImagePtr src = random_image(s, 24, 1), dst = random_image(s, 24, 2);
             Work w;
             w.pixmill = [=] {
                 Render_BitBlt24to24(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0);
             };
             // The sizes have unpadded 24-bit rows, so the picture is one block.
             w.peer = [=] { std::memcpy(dst->data(), src->data(), static_cast<size_t>(src->buffer_bytes())); };
             w.amount = int64_t{dst->row_bytes()} * s.height;
             w.out = dst.get();
             w.same_bytes = true;
             return w;
         }});

    // Equal sizes make the stretch a copy. The source is one pixel wider,
    // because a source rectangle reaching the source's right edge loses its
    // last column; so its rows are copied one by one.
    add({"Render_StretchBlt32to32F 1:1", "memcpy, row by row", 0.9, Unit::kBytes, {kFullHd}, [](Size s) {
             ImagePtr src = random_image({s.width + 1, s.height}, 32, 3), dst = random_image(s, 32, 4);
             Work w;
             w.pixmill = [=] {
                 Render_StretchBlt32to32F(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0,
                                          s.width, s.height);
             };
             w.peer = [=] {
                 for (int32_t r = 0; r < s.height; ++r)
                     std::memcpy(dst->memory_row(r), src->memory_row(r), static_cast<size_t>(dst->row_bytes()));
             };
             w.amount = int64_t{dst->row_bytes()} * s.height;
             w.out = dst.get();
             w.same_bytes = true;
             return w;
         }});

    add({"Render_DrawBar24", "memset", 0.9, Unit::kBytes, {kFullHd}, [](Size s) {
             ImagePtr dst = random_image(s, 24, 5);
             Work w;
             w.pixmill = [=] { Render_DrawBar24(dst->surface(), 0, 0, s.width, s.height, 200, 100, 50); };
             w.peer = [=] { std::memset(dst->data(), 50, static_cast<size_t>(dst->buffer_bytes())); };
             w.amount = int64_t{dst->row_bytes()} * s.height;
             return w;
         }});

    add({"Render_DrawBar32", "memset", 0.9, Unit::kBytes, sweep_sizes(), [](Size s) {
             ImagePtr dst = random_image(s, 32, 6);
             Work w;
             w.pixmill = [=] { Render_DrawBar32(dst->surface(), 0, 0, s.width, s.height, 200, 100, 50); };
             w.peer = [=] { std::memset(dst->data(), 50, static_cast<size_t>(dst->buffer_bytes())); };
             w.amount = int64_t{dst->row_bytes()} * s.height;
             return w;
         }});
}

}  // namespace bench
