// The demo's steps. Each family of operations owns a panel of the canvas (see
// demo.h) and a section below: its step functions, and its entries in the list
// at the end of the file.
#include <cmath>

#include "demo.h"
#include "pictures.h"
#include "pixmill.h"

namespace pixmill_tool {

namespace {

constexpr int32_t kGem = 48;  // gems, sprites and masks are kGem square

// ---- the picture and the plain block transfers (panel 0; the picture in most panels)

void generate(Scene& s)
{
    s.canvas = Image(kCanvasWidth, kCanvasHeight, 24);
    for (int32_t y = 0; y < kCanvasHeight; ++y)
        for (int32_t x = 0; x < kCanvasWidth; ++x) set_bgr(s.canvas.pixel(x, y), 48 + y / 10, 36 + y / 12, 30);
    s.picture = landscape(kPanelSize, kPanelSize);
    s.sprite = soft_sprite(kGem);
    s.keyed = keyed_gem(kGem);
    s.gem = gem_sprite(kGem);
    s.mask = round_mask(kGem);
    s.layer = Image(kPanelSize, kPanelSize, 32);
    for (int32_t y = 0; y < kPanelSize; ++y)
        for (int32_t x = 0; x < kPanelSize; ++x) {
            const double r = std::hypot(x + 0.5 - kPanelSize / 2.0, y + 0.5 - kPanelSize / 2.0) / (kPanelSize / 2.0);
            s.layer.pixel(x, y)[3] = r < 0.7 ? 255 : clamp_byte(255.0 * (1.0 - r) / 0.3);
        }
}

// Every panel but the layered one, the scaled one and the rotated one starts
// from the picture.
void picture_into_panels(Scene& s)
{
    for (int i : {kPanelBars, kPanelFilters, kPanelEffects, kPanelMasks}) {
        const Panel p = panel(i);
        Render_BitBlt24to24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, s.picture.surface(), 0, 0);
    }
}

// The layer's alpha (set when the scene is generated) is a round vignette;
// copying a 24-bit picture into the layer leaves that alpha in place.
void picture_into_layer(Scene& s)
{
    Render_BitBlt24to32(s.layer.surface(), 0, 0, kPanelSize, kPanelSize, s.picture.surface(), 0, 0);
}

// Three glowing sprites in a row across the field; the outer two straddle the
// layer's edges and are cut there.
void sprites_into_layer(Scene& s)
{
    for (int32_t i = 0; i < 3; ++i)
        Render_BitBlt32to32(s.layer.surface(), -kGem / 2 + i * kPanelSize / 2, 100, kGem, kGem, s.sprite.surface(), 0,
                            0);
}

void layer_onto_canvas(Scene& s)
{
    const Panel p = panel(kPanelPlain);
    Render_BitBlt32to24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, s.layer.surface(), 0, 0);
}

// ---- keyed and translucent sprites (panel 1)

// The picture laid translucently over the dark background, then two rows of
// three gems: opaque above, fading in below.
void dimmed_picture(Scene& s)
{
    const Panel p = panel(kPanelKeyed);
    Render_BitBlt24to24Alpha(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, s.picture.surface(), 0, 0, 110);
}

int32_t gem_column(int32_t i) { return 4 + i * (kGem + 4); }

void keyed_sprites(Scene& s)
{
    const Panel p = panel(kPanelKeyed);
    for (int32_t i = 0; i < 3; ++i)
        Render_BitBlt24to24TColor(s.canvas.surface(), p.x + gem_column(i), p.y + 22, kGem, kGem, s.keyed.surface(), 0,
                                  0, kKeyRed, kKeyGreen, kKeyBlue);
}

void translucent_sprites(Scene& s)
{
    const Panel p = panel(kPanelKeyed);
    for (int32_t i = 0; i < 3; ++i)
        Render_BitBlt24to24TColorAlpha(s.canvas.surface(), p.x + gem_column(i), p.y + 90, kGem, kGem,
                                       s.keyed.surface(), 0, 0, kKeyRed, kKeyGreen, kKeyBlue, 70 + 70 * i);
}

// ---- masks and soft-edged sprites (panel 7)

// Above: the gem keyed with hard edges beside the gem made soft-edged in a
// clear 32-bit layer and blended by that alpha. Below: a round lens that
// inverts what lies under it, beside the soft gem's alpha as grey.
constexpr int32_t kLeft = 24, kRight = kPanelSize - 24 - kGem, kTop = 22, kBottom = 90;

void hard_and_soft_gems(Scene& s)
{
    const Panel p = panel(kPanelMasks);
    Render_BitBlt24to24TColor(s.canvas.surface(), p.x + kLeft, p.y + kTop, kGem, kGem, s.keyed.surface(), 0, 0,
                              kKeyRed, kKeyGreen, kKeyBlue);
    Image soft(kGem, kGem, 32);
    Render_BitBlt24to32(soft.surface(), 0, 0, kGem, kGem, s.canvas.surface(), p.x + kRight, p.y + kTop);
    Render_Set32Alpha(soft.surface(), 0);
    Render_BitBlt24to32TColorAlphaPostProcess(soft.surface(), 0, 0, kGem, kGem, s.keyed.surface(), 0, 0, kKeyRed,
                                              kKeyGreen, kKeyBlue, 255, 5);
    Render_BitBlt32to24(s.canvas.surface(), p.x + kRight, p.y + kTop, kGem, kGem, soft.surface(), 0, 0);
    s.layer = std::move(soft);  // kept for the alpha shown below
}

// A round lens: the spot under it inverted, laid back through the mask.
void masked_copy(Scene& s)
{
    const Panel p = panel(kPanelMasks);
    Image piece(kGem, kGem, 24);
    Render_BitBlt24to24(piece.surface(), 0, 0, kGem, kGem, s.canvas.surface(), p.x + kLeft, p.y + kBottom);
    Render_Invert24(piece.surface(), 0, 0, kGem, kGem);
    Render_BitBlt24to24Mask24(s.canvas.surface(), p.x + kLeft, p.y + kBottom, kGem, kGem, piece.surface(), 0, 0,
                              s.mask.surface());
}

void alpha_as_grey(Scene& s)
{
    const Panel p = panel(kPanelMasks);
    Render_BitBlt32Maskto24(s.canvas.surface(), p.x + kRight, p.y + kBottom, kGem, kGem, s.layer.surface(), 0, 0);
}

// ---- scaling (panel 2)

// Four quarters: above, the sun's corner of the picture enlarged about twice;
// below, the whole picture shrunk to half; nearest samples on the left,
// five-point averages on the right.
void scaled_copies(Scene& s)
{
    const Panel p = panel(kPanelScaled);
    const int32_t q = kPanelSize / 2 - 3, far = kPanelSize / 2 + 1;
    Render_StretchBlt24to24(s.canvas.surface(), p.x + 2, p.y + 2, q, q, s.picture.surface(), 96, 16, 40, 40);
    Render_StretchBltBillinear24to24(s.canvas.surface(), p.x + far, p.y + 2, q, q, s.picture.surface(), 96, 16, 40,
                                     40);
    Render_StretchBlt24to24(s.canvas.surface(), p.x + 2, p.y + far, q, q, s.picture.surface(), 0, 0, kPanelSize,
                            kPanelSize);
    Render_StretchBltBillinear24to24(s.canvas.surface(), p.x + far, p.y + far, q, q, s.picture.surface(), 0, 0,
                                     kPanelSize, kPanelSize);
}

// ---- bars and outlines (panel 3)

// Three translucent squares overlapping in a triangle, a row of opaque colour
// swatches beneath, and the panel framed by outlines fading inwards.
constexpr int32_t kSquare = 64;
struct Square {
    int32_t x, y, red, green, blue;
};
constexpr Square kSquares[] = {{22, 20, 230, 40, 40}, {74, 20, 40, 210, 60}, {48, 58, 50, 90, 240}};

void translucent_bars(Scene& s)
{
    const Panel p = panel(kPanelBars);
    for (const Square& q : kSquares)
        Render_DrawBar24Alpha(s.canvas.surface(), p.x + q.x, p.y + q.y, kSquare, kSquare, q.red, q.green, q.blue, 120);
    for (int32_t i = 0; i < 5; ++i)
        Render_DrawBar24(s.canvas.surface(), p.x + 22 + 24 * i, p.y + 134, 20, 12, 255 - 40 * i, 120 + 25 * i,
                         60 + 45 * i);
}

void outlines(Scene& s)
{
    const Panel p = panel(kPanelBars);
    for (const Square& q : kSquares)
        Render_DrawRect24(s.canvas.surface(), p.x + q.x, p.y + q.y, kSquare, kSquare, 255, 255, 255);
    for (int32_t i = 0; i < 4; ++i)
        Render_DrawRect24Alpha(s.canvas.surface(), p.x + 2 + 3 * i, p.y + 2 + 3 * i, kPanelSize - 4 - 6 * i,
                               kPanelSize - 4 - 6 * i, 255, 230, 150, 200 - 50 * i);
}

// ---- pixel filters (panel 4)

// Four strips of the picture: hue, lightness and saturation shifted (on a
// 32-bit copy, brought back opaque), brightened by channel offsets, contrast
// raised, and inverted.
constexpr int32_t kStrip = kPanelSize / 4;

void hls_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    Image work(kStrip, kPanelSize, 32);
    Render_BitBlt24to32(work.surface(), 0, 0, kStrip, kPanelSize, s.picture.surface(), 0, 0);
    Render_Set32Alpha(work.surface(), 255);
    Render_AjustHLS32(work.surface(), 0, 0, kStrip, kPanelSize, -100, 0, 20);
    Render_BitBlt32to24(s.canvas.surface(), p.x, p.y, kStrip, kPanelSize, work.surface(), 0, 0);
}

void offset_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    Render_GammaCorrect24(s.canvas.surface(), p.x + kStrip, p.y, kStrip, kPanelSize, 60, 50, 40);
}

void contrast_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    Render_Contrast24(s.canvas.surface(), p.x + 2 * kStrip, p.y, kStrip, kPanelSize, 1.8f);
}

void inverted_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    Render_Invert24(s.canvas.surface(), p.x + 3 * kStrip, p.y, kPanelSize - 3 * kStrip, kPanelSize);
}

// ---- blur and ripple (panel 5)

// The sky and the sun softened in a few sweeps; the hills and the field below
// rippled like water (in a copy of that half, so that every sample comes from
// the ground itself).
void blurred_sky(Scene& s)
{
    const Panel p = panel(kPanelEffects);
    for (int32_t i = 0; i < 4; ++i) Render_Blur24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize / 2);
}

void rippled_ground(Scene& s)
{
    const Panel p = panel(kPanelEffects);
    const int32_t half = kPanelSize / 2;
    Image ground(kPanelSize, half, 24);
    Render_BitBlt24to24(ground.surface(), 0, 0, kPanelSize, half, s.picture.surface(), 0, half);
    Render_RoundsFromWater24(ground.surface(), 0, 0, kPanelSize, half, 16, 60);
    Render_BitBlt24to24(s.canvas.surface(), p.x, p.y + half, kPanelSize, half, ground.surface(), 0, 0);
}

// ---- rotation (panel 6)

// The picture turned by 30 degrees into a dark square; the gem turned back by
// 30 degrees into a clear layer and blended onto its middle by its alpha.
void rotated_picture(Scene& s)
{
    const Panel p = panel(kPanelRotated);
    Image turned(kPanelSize, kPanelSize, 24);
    Render_DrawBar24(turned.surface(), 0, 0, kPanelSize, kPanelSize, 30, 34, 48);
    Render_Rotate24to24(turned.surface(), s.picture.surface(), 30);
    Image gem(kGem + 16, kGem + 16, 32);
    Render_Rotate32to32(gem.surface(), s.gem.surface(), -30);
    Render_BitBlt32to24(turned.surface(), (kPanelSize - kGem - 16) / 2, (kPanelSize - kGem - 16) / 2, kGem + 16,
                        kGem + 16, gem.surface(), 0, 0);
    Render_BitBlt24to24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, turned.surface(), 0, 0);
}

// ---- the finish

// A faint frame around every panel, in the gutter.
void frames(Scene& s)
{
    for (int i = 0; i < kPanelCount; ++i) {
        const Panel p = panel(i);
        Render_DrawRect24Alpha(s.canvas.surface(), p.x - 2, p.y - 2, kPanelSize + 4, kPanelSize + 4, 255, 255, 255,
                               50);
    }
}

}  // namespace

const std::vector<DemoStep>& demo_steps()
{
    static const std::vector<DemoStep> steps = {
        // ---- the picture and the plain block transfers
        {"generate a 160x160 picture, a soft sprite, a gem on a key colour and a round mask", generate},
        {"copy the picture into four panels (Render_BitBlt24to24)", picture_into_panels},
        {"lift the picture into a vignetted 32-bit layer (Render_BitBlt24to32)", picture_into_layer},
        {"blend three sprites into the layer, cut by its edges (Render_BitBlt32to32)", sprites_into_layer},
        {"blend the layer onto the canvas by its alpha (Render_BitBlt32to24)", layer_onto_canvas},

        // ---- keyed and translucent sprites
        {"lay the picture translucently over the background (Render_BitBlt24to24Alpha)", dimmed_picture},
        {"draw three gems, the key colour left out (Render_BitBlt24to24TColor)", keyed_sprites},
        {"draw three gems at rising alpha, keyed (Render_BitBlt24to24TColorAlpha)", translucent_sprites},

        // ---- masks and soft-edged sprites
        {"draw a gem hard-edged and one soft-edged (Render_BitBlt24to32TColorAlphaPostProcess)", hard_and_soft_gems},
        {"lay an inverting lens through a round mask (Render_BitBlt24to24Mask24)", masked_copy},
        {"show the soft gem's alpha as grey (Render_BitBlt32Maskto24)", alpha_as_grey},

        // ---- scaling
        {"enlarge and shrink the picture, nearest and smoothed (Render_StretchBlt24to24, "
         "Render_StretchBltBillinear24to24)",
         scaled_copies},

        // ---- bars and outlines
        {"lay three translucent squares and five opaque swatches (Render_DrawBar24Alpha, Render_DrawBar24)",
         translucent_bars},
        {"outline the squares and frame the panel in fading outlines (Render_DrawRect24, Render_DrawRect24Alpha)",
         outlines},

        // ---- pixel filters
        {"shift hue, lightness and saturation of a strip (Render_AjustHLS32)", hls_strip},
        {"brighten a strip by channel offsets (Render_GammaCorrect24)", offset_strip},
        {"raise the contrast of a strip (Render_Contrast24)", contrast_strip},
        {"invert a strip (Render_Invert24)", inverted_strip},

        // ---- blur and ripple
        {"blur the sky in four sweeps (Render_Blur24)", blurred_sky},
        {"ripple the ground (Render_RoundsFromWater24)", rippled_ground},

        // ---- rotation
        {"turn the picture by 30 degrees and the gem by -30 (Render_Rotate24to24, Render_Rotate32to32)",
         rotated_picture},

        // ---- the finish
        {"frame every panel faintly (Render_DrawRect24Alpha)", frames},
    };
    return steps;
}

}  // namespace pixmill_tool
