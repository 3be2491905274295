// The demo's steps. Each family of operations owns a panel of the canvas (see
// demo.h) and a section below: its step functions, and its entries in the list
// at the end of the file.
#include <cmath>

#include "demo.h"
#include "pictures.h"
#include "pixmill.h"

namespace pixmill_tool {

namespace {

// ---- the picture and the plain block transfers (panel 0; the picture in every panel)

void generate(Scene& s)
{
    s.canvas = Image(kCanvasWidth, kCanvasHeight, 24);
    for (int32_t y = 0; y < kCanvasHeight; ++y)
        for (int32_t x = 0; x < kCanvasWidth; ++x) set_bgr(s.canvas.pixel(x, y), 60 + y / 8, 45 + y / 10, 40);
    s.picture = landscape(kPanelSize, kPanelSize);
    s.sprite = soft_sprite(48);
    s.layer = Image(kPanelSize, kPanelSize, 32);
    for (int32_t y = 0; y < kPanelSize; ++y)
        for (int32_t x = 0; x < kPanelSize; ++x) {
            const double r = std::hypot(x + 0.5 - kPanelSize / 2.0, y + 0.5 - kPanelSize / 2.0) / (kPanelSize / 2.0);
            s.layer.pixel(x, y)[3] = r < 0.7 ? 255 : clamp_byte(255.0 * (1.0 - r) / 0.3);
        }
}

void picture_into_panels(Scene& s)
{
    for (int i = 0; i < kPanelCount; ++i) {
        if (i == kPanelPlain) continue;
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

void sprites_into_layer(Scene& s)
{
    for (int i = 0; i < 4; ++i)
        Render_BitBlt32to32(s.layer.surface(), 10 + 34 * i, 96 - 20 * (i % 2), 48, 48, s.sprite.surface(), 0, 0);
}

void layer_onto_canvas(Scene& s)
{
    const Panel p = panel(kPanelPlain);
    Render_BitBlt32to24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, s.layer.surface(), 0, 0);
}

// Sprites straddling the canvas edges: the clip cuts them.
void sprites_over_edges(Scene& s)
{
    Render_BitBlt32to24(s.canvas.surface(), -24, kCanvasHeight - 24, 48, 48, s.sprite.surface(), 0, 0);
    Render_BitBlt32to24(s.canvas.surface(), kCanvasWidth - 24, -24, 48, 48, s.sprite.surface(), 0, 0);
}

// ---- keyed and translucent sprites (panel 1)

// A 56x56 gem on magenta, the key colour: a diamond shaded from its top-left,
// with a white glint.
void generate_keyed(Scene& s)
{
    s.keyed = keyed_gem(56);
    s.mask = round_mask(56);
}

void keyed_sprites(Scene& s)
{
    const Panel p = panel(kPanelKeyed);
    for (int32_t i = 0; i < 3; ++i)
        Render_BitBlt24to24TColor(s.canvas.surface(), p.x + 6 + 50 * i, p.y + 8 + 14 * i, 56, 56, s.keyed.surface(),
                                  0, 0, 255, 0, 255);
}

void translucent_copies(Scene& s)
{
    const Panel p = panel(kPanelKeyed);
    Render_BitBlt24to24Alpha(s.canvas.surface(), p.x + 8, p.y + 96, 70, 56, s.picture.surface(), 96, 8, 150);
    for (int32_t i = 0; i < 2; ++i)
        Render_BitBlt24to24TColorAlpha(s.canvas.surface(), p.x + 82 + 20 * i, p.y + 92 + 4 * i, 56, 56,
                                       s.keyed.surface(), 0, 0, 255, 0, 255, 90 + 80 * i);
}

// ---- masks and soft-edged sprites (panel 7)

// The gem copied into a clear 32-bit layer with its alpha softened at the
// edges, then blended onto the panel by that alpha.
void soft_edged_sprite(Scene& s)
{
    const Panel p = panel(kPanelMasks);
    Image layer(kPanelSize, kPanelSize, 32);
    Render_BitBlt24to32(layer.surface(), 0, 0, kPanelSize, kPanelSize, s.canvas.surface(), p.x, p.y);
    Render_Set32Alpha(layer.surface(), 0);
    Render_BitBlt24to32TColorAlphaPostProcess(layer.surface(), 14, 14, 56, 56, s.keyed.surface(), 0, 0, 255, 0, 255,
                                              255, 6);
    Render_BitBlt32to24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, layer.surface(), 0, 0);
}

// A piece of the picture's hills through a soft round mask.
void masked_copy(Scene& s)
{
    const Panel p = panel(kPanelMasks);
    Image piece(56, 56, 24);
    Render_BitBlt24to24(piece.surface(), 0, 0, 56, 56, s.picture.surface(), 20, 80);
    for (int32_t i = 0; i < 2; ++i)
        Render_BitBlt24to24Mask24(s.canvas.surface(), p.x + 84 - 60 * i, p.y + 84 + 10 * i, 56, 56, piece.surface(),
                                  0, 0, s.mask.surface());
}

// ---- scaling (panel 2)

// Top half: the sun's corner of the picture enlarged about twice, nearest
// samples on the left, five-point averages on the right. Bottom half: the
// whole picture shrunk to half, the same two ways.
void scaled_copies(Scene& s)
{
    const Panel p = panel(kPanelScaled);
    const int32_t half = kPanelSize / 2 - 3;
    Render_StretchBlt24to24(s.canvas.surface(), p.x + 2, p.y + 2, half, half, s.picture.surface(), 96, 16, 40, 40);
    Render_StretchBltBillinear24to24(s.canvas.surface(), p.x + half + 4, p.y + 2, half, half, s.picture.surface(),
                                     96, 16, 40, 40);
    Render_StretchBlt24to24(s.canvas.surface(), p.x + 2, p.y + half + 4, half, half, s.picture.surface(), 0, 0,
                            kPanelSize, kPanelSize);
    Render_StretchBltBillinear24to24(s.canvas.surface(), p.x + half + 4, p.y + half + 4, half, half,
                                     s.picture.surface(), 0, 0, kPanelSize, kPanelSize);
}

// Sprites scaled up from the soft sprite, blended by its alpha.
void scaled_sprites(Scene& s)
{
    const Panel p = panel(kPanelScaled);
    Render_StretchBlt32to24(s.canvas.surface(), p.x + 50, p.y + 50, 60, 60, s.sprite.surface(), 0, 0, 48, 48);
}

// ---- bars and outlines (panel 3)

void translucent_bars(Scene& s)
{
    const Panel p = panel(kPanelBars);
    Render_DrawBar24Alpha(s.canvas.surface(), p.x + 12, p.y + 14, 80, 90, 220, 40, 40, 110);
    Render_DrawBar24Alpha(s.canvas.surface(), p.x + 50, p.y + 44, 90, 80, 40, 200, 60, 110);
    Render_DrawBar24Alpha(s.canvas.surface(), p.x + 30, p.y + 80, 100, 66, 40, 80, 230, 110);
    Render_DrawBar24(s.canvas.surface(), p.x + 120, p.y + 10, 30, 12, 250, 250, 250);
}

void outlines(Scene& s)
{
    const Panel p = panel(kPanelBars);
    Render_DrawRect24(s.canvas.surface(), p.x + 12, p.y + 14, 80, 90, 255, 255, 255);
    Render_DrawRect24Alpha(s.canvas.surface(), p.x + 50, p.y + 44, 90, 80, 0, 0, 0, 160);
    for (int32_t i = 0; i < 6; ++i)
        Render_DrawRect24Alpha(s.canvas.surface(), p.x + 4 + 3 * i, p.y + 4 + 3 * i, kPanelSize - 8 - 6 * i,
                               kPanelSize - 8 - 6 * i, 255, 230, 120, 200 - 30 * i);
}

// ---- pixel filters (panel 4)

// Three strips of the picture: hue, lightness and saturation shifted (on a
// 32-bit copy, brought back opaque), contrast raised, and inverted.
void hls_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    const int32_t strip = kPanelSize / 3;
    Image work(strip, kPanelSize, 32);
    Render_BitBlt24to32(work.surface(), 0, 0, strip, kPanelSize, s.picture.surface(), 0, 0);
    Render_Set32Alpha(work.surface(), 255);
    Render_AjustHLS32(work.surface(), 0, 0, strip, kPanelSize, 60, 10, 40);
    Render_BitBlt32to24(s.canvas.surface(), p.x, p.y, strip, kPanelSize, work.surface(), 0, 0);
}

void contrast_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    const int32_t strip = kPanelSize / 3;
    Render_Contrast24(s.canvas.surface(), p.x + strip, p.y, strip, kPanelSize, 1.8f);
}

void inverted_strip(Scene& s)
{
    const Panel p = panel(kPanelFilters);
    const int32_t strip = kPanelSize / 3;
    Render_Invert24(s.canvas.surface(), p.x + 2 * strip, p.y, kPanelSize - 2 * strip, kPanelSize);
}

// ---- blur and ripple (panel 5)

// The left half blurred in a few sweeps, the right half rippled from its centre.
void blurred_half(Scene& s)
{
    const Panel p = panel(kPanelEffects);
    for (int32_t i = 0; i < 4; ++i) Render_Blur24(s.canvas.surface(), p.x, p.y, kPanelSize / 2, kPanelSize);
}

void rippled_half(Scene& s)
{
    const Panel p = panel(kPanelEffects);
    Render_RoundsFromWater24(s.canvas.surface(), p.x + kPanelSize / 2, p.y, kPanelSize / 2, kPanelSize, 30, 40);
}

// ---- rotation (panel 6)

// The picture turned by 30 degrees into a dark panel, then the soft sprite
// turned onto it by its alpha.
void rotated_picture(Scene& s)
{
    const Panel p = panel(kPanelRotated);
    Image turned(kPanelSize, kPanelSize, 24);
    Render_DrawBar24(turned.surface(), 0, 0, kPanelSize, kPanelSize, 30, 34, 48);
    Render_Rotate24to24(turned.surface(), s.picture.surface(), 30);
    Image sprite(kPanelSize, kPanelSize, 32);
    Render_BitBlt32to32(sprite.surface(), 56, 56, 48, 48, s.sprite.surface(), 0, 0);
    Render_Rotate32to24(turned.surface(), sprite.surface(), -45);
    Render_BitBlt24to24(s.canvas.surface(), p.x, p.y, kPanelSize, kPanelSize, turned.surface(), 0, 0);
}

}  // namespace

const std::vector<DemoStep>& demo_steps()
{
    static const std::vector<DemoStep> steps = {
        // ---- the picture and the plain block transfers
        {"generate a 160x160 picture, a 48x48 soft sprite and a 32-bit layer", generate},
        {"copy the picture into seven panels (Render_BitBlt24to24)", picture_into_panels},
        {"lift the picture into a vignetted 32-bit layer (Render_BitBlt24to32)", picture_into_layer},
        {"blend four sprites into the layer (Render_BitBlt32to32)", sprites_into_layer},
        {"blend the layer onto the canvas by its alpha (Render_BitBlt32to24)", layer_onto_canvas},
        {"blend sprites across the canvas corners (Render_BitBlt32to24)", sprites_over_edges},

        // ---- keyed and translucent sprites
        {"generate a 56x56 gem on a magenta key colour and a soft round mask", generate_keyed},
        {"draw three gems, the key colour left out (Render_BitBlt24to24TColor)", keyed_sprites},
        {"copy translucently, plain and keyed (Render_BitBlt24to24Alpha, Render_BitBlt24to24TColorAlpha)",
         translucent_copies},

        // ---- masks and soft-edged sprites
        {"make a soft-edged gem and blend it by its alpha (Render_BitBlt24to32TColorAlphaPostProcess)",
         soft_edged_sprite},
        {"copy a piece of the picture through a round mask (Render_BitBlt24to24Mask24)", masked_copy},

        // ---- scaling
        {"enlarge and shrink the picture, nearest and smoothed (Render_StretchBlt24to24, "
         "Render_StretchBltBillinear24to24)",
         scaled_copies},
        {"blend an enlarged sprite by its alpha (Render_StretchBlt32to24)", scaled_sprites},

        // ---- bars and outlines
        {"lay three translucent bars and an opaque one (Render_DrawBar24Alpha, Render_DrawBar24)", translucent_bars},
        {"outline two bars and frame the panel in fading outlines (Render_DrawRect24, Render_DrawRect24Alpha)",
         outlines},

        // ---- pixel filters
        {"shift hue, lightness and saturation of a strip (Render_AjustHLS32)", hls_strip},
        {"raise the contrast of a strip (Render_Contrast24)", contrast_strip},
        {"invert a strip (Render_Invert24)", inverted_strip},

        // ---- blur and ripple
        {"blur the left half in four sweeps (Render_Blur24)", blurred_half},
        {"ripple the right half (Render_RoundsFromWater24)", rippled_half},

        // ---- rotation
        {"turn the picture by 30 degrees and a sprite by -45 (Render_Rotate24to24, Render_Rotate32to24)",
         rotated_picture},

    };
    return steps;
}

}  // namespace pixmill_tool
