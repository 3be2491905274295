// A keyed 24- to 32-bit copy that stamps a constant alpha, followed by passes
// of the edge-softening alpha filter over the rectangle just written.
#include "blit/alpha_soften.h"
#include "blit/key_rows.h"
#include "frame/walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_BitBlt24to32TColorAlphaPostProcess(Surface* dest, int32_t dx, int32_t dy, int32_t w,
                                                               int32_t h, Surface* src, int32_t sx, int32_t sy,
                                                               int32_t red, int32_t green, int32_t blue,
                                                               int32_t alpha, int32_t passes)
{
    const SurfaceView d = read_surface(dest, kBgra32);
    BlockRows r;
    if (!prepare_block(d, read_surface(src, kBgr24), {dx, dy, w, h, sx, sy}, r)) return 0;
    const ColorKey key = make_key(red, green, blue);
    const uint8_t a = static_cast<uint8_t>(alpha);
    walk_rows(r, [key, a](const Kernels& k, uint8_t* dr, const uint8_t* sr, int32_t n) {
        k.key_stamp_24to32(dr, sr, n, key, a);
    });
    // The filter works on the rectangle the copy wrote, not on the corner of
    // the array: softening a sprite drawn elsewhere must neither touch alphas
    // it never wrote nor leave its own edges hard. Its bottom array row is the
    // rectangle's bottom picture row.
    const Block& b = r.clipped;
    soften_alpha(pixel_at(d, b.dx, b.dy + b.h - 1), d.stride_bytes, b.w, b.h, passes);
    return 0;
}

}  // extern "C"
