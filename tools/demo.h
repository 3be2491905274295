// The demo scene: a canvas divided into panels, one per family of operations,
// and the steps that draw into it. Every step is one or a few library calls on
// the scene's images, timed and reported by `pixmill demo`.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace pixmill_tool {

// Where each family draws. Panels are kPanelSize square, four across, two down,
// each laid out as a small symmetric composition of its own.
enum DemoPanel : int {
    kPanelPlain = 0,      // plain block transfers
    kPanelKeyed = 1,      // colour-keyed and translucent sprites
    kPanelScaled = 2,     // scaled copies
    kPanelBars = 3,       // bars and outlines
    kPanelFilters = 4,    // pixel filters
    kPanelEffects = 5,    // blur and ripple
    kPanelRotated = 6,    // rotation
    kPanelMasks = 7,      // mask blits and soft-edged sprites
    kPanelCount = 8
};

constexpr int32_t kPanelSize = 160;
constexpr int32_t kGutter = 8;

struct Panel {
    int32_t x, y;  // top-left corner on the canvas, top-down
};
Panel panel(int index);

struct Scene {
    Image canvas;   // 24-bit: what the demo writes
    Image picture;  // 24-bit, kPanelSize square: the generated picture the panels start from
    Image sprite;   // 32-bit: a round sprite whose alpha fades towards its edge
    Image layer;    // 32-bit, kPanelSize square: a working layer
    Image keyed;    // 24-bit: a gem on a magenta key colour
    Image gem;      // 32-bit: the same gem, opaque inside and clear around it
    Image mask;     // 24-bit: a soft round mask in its red byte, as large as keyed
};

struct DemoStep {
    const char* title;
    void (*run)(Scene& scene);
};

// The steps in the order they run.
const std::vector<DemoStep>& demo_steps();

// Canvas size.
constexpr int32_t kCanvasWidth = 4 * kPanelSize + 5 * kGutter;
constexpr int32_t kCanvasHeight = 2 * kPanelSize + 3 * kGutter;

}  // namespace pixmill_tool
