// Per-pixel alpha blending and nearest-neighbour scaling against pixman, the
// compositing library under X and cairo. pixman takes premultiplied colour, so
// the sources are made premultiplied (valid input for both sides).
#include <utility>

#include "comparison.h"

namespace bench {

namespace {

void over(pixman_image_t* src, pixman_image_t* dst, Size s)
{
    pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, s.width, s.height);
}

// A 32-bit source blended onto a destination of the given format.
Work blend(Size s, int dst_bits, pixman_format_code_t dst_format, int pixmill_dst_bits)
{
    ImagePtr src = std::make_shared<Image>(s, 32);
    src->fill_premultiplied(11);
    ImagePtr dst = random_image(s, pixmill_dst_bits, 12);
    ImagePtr peer_dst = dst_bits == pixmill_dst_bits ? dst : random_image(s, dst_bits, 12);
    pixman_image_t* psrc = src->pixman(PIXMAN_a8r8g8b8);
    pixman_image_t* pdst = peer_dst->pixman(dst_format);
    Work w;
    if (pixmill_dst_bits == 32)
        w.pixmill = [=] { Render_BitBlt32to32(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0); };
    else
        w.pixmill = [=] { Render_BitBlt32to24(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0); };
    w.peer = [=, keep = std::make_pair(src, peer_dst)] { over(psrc, pdst, s); };
    w.amount = s.pixels();
    return w;
}

// Render_StretchBlt32to32F from a source of src_size (one column wider than
// the rectangle it scales, so that the rectangle keeps its last column) onto
// s, against pixman's nearest filter through a scale transform.
Work scale(Size s, Size src_rect)
{
    ImagePtr src = random_image({src_rect.width + 1, src_rect.height}, 32, 13), dst = random_image(s, 32, 14);
    pixman_image_t* psrc = src->pixman(PIXMAN_a8r8g8b8);
    pixman_image_t* pdst = dst->pixman(PIXMAN_a8r8g8b8);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(double(src_rect.width) / s.width),
                                pixman_double_to_fixed(double(src_rect.height) / s.height));
    pixman_image_set_transform(psrc, &transform);
    pixman_image_set_filter(psrc, PIXMAN_FILTER_NEAREST, nullptr, 0);
    Work w;
    w.pixmill = [=] {
        Render_StretchBlt32to32F(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0, src_rect.width,
                                 src_rect.height);
    };
    w.peer = [=, keep = std::make_pair(src, dst)] {
        pixman_image_composite32(PIXMAN_OP_SRC, psrc, nullptr, pdst, 0, 0, 0, 0, 0, 0, s.width, s.height);
    };
    w.amount = s.pixels();
    w.out = dst.get();
    return w;
}

}  // namespace

void add_pixman_comparisons()
{
    add({"Render_BitBlt32to32", "pixman OVER a8r8g8b8 onto a8r8g8b8", 2.5, Unit::kPixels, sweep_sizes(),
         [](Size s) { return blend(s, 32, PIXMAN_a8r8g8b8, 32); }});
    add({"Render_BitBlt32to24", "pixman OVER a8r8g8b8 onto r8g8b8 (3 bytes)", 1.0, Unit::kPixels, {kFullHd},
         [](Size s) { return blend(s, 24, PIXMAN_r8g8b8, 24); }});
    add({"Render_BitBlt32to24", "pixman OVER a8r8g8b8 onto x8r8g8b8 (4 bytes)", 1.0, Unit::kPixels, {kFullHd},
         [](Size s) { return blend(s, 32, PIXMAN_x8r8g8b8, 24); }});
    add({"Render_StretchBlt32to32F 2x up", "pixman SRC, nearest filter", 1.0, Unit::kPixels, {kFullHd},
         [](Size s) {
             Work w = scale(s, {s.width / 2, s.height / 2});
             w.same_bytes = true;
             return w;
         }});
    add({"Render_StretchBlt32to32F 0.5x down", "pixman SRC, nearest filter", 2.0, Unit::kPixels, {kFullHd},
         [](Size s) { return scale(s, {s.width * 2, s.height * 2}); }});
}

}  // namespace bench
