// Reproducible calls of every export: each case fixes the export, the shapes
// and starting bytes of its surfaces and its arguments, so the same case run
// twice, on any thread or at any instruction-set level, must leave the same
// bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "call_setup.h"

namespace pixmill_reliability {

struct CallCase {
    int export_index = 0;  // table rows first, then the services
    Shape dest, src, mask;
    bool same_surface = false;  // src is dest
    uint32_t fill_seed = 0;
    // 0: random bytes; 1: mostly 0 and 255 (key pixels, transparent and
    // opaque runs); 2, 3: each pixel's last byte (a 32-bit alpha, a 24-bit
    // mask's weight) nearly always 0, or 255, so whole vectors take shortcuts.
    int fill_style = 0;
    std::vector<int32_t> ints;  // by argument position
    std::vector<float> floats;
};

// kSmall: surfaces of up to 40 x 30 pixels. kWide: mostly up to 4 rows of up
// to 300 pixels (several of the widest vector blocks and a tail), a quarter
// up to 64 x 40.
enum class Widths { kSmall, kWide };

// Cases of each of the library's exports: per_export of each, more of those
// whose vector code has rare paths. Arguments follow their names (positions
// and sizes around the surfaces, stretch ratios, colours and keys mostly 0
// or 255, offsets, deltas, angles, contrast factors), now and then an edge
// value instead; same-surface calls often put the destination just beside
// or on its source.
std::vector<CallCase> make_cases(int per_export, uint32_t seed, Widths widths = Widths::kSmall);
const char* case_name(const CallCase& c);

// The memory one thread calls in: surfaces allocated to each case's shapes.
class Workspace {
public:
    // Allocates (to exactly the case's bytes, so a sanitizer sees any access
    // past them) and fills the case's arrays and builds its arguments.
    void prepare(const CallCase& c);
    // The call alone; stack4 (32-bit x86 only): with the stack pointer at 4
    // mod 16 (see invoke_stack4).
    int64_t invoke(bool stack4 = false);
    // Every byte the call could have changed: the arrays, the sums, the
    // service buffers, and the result.
    std::vector<uint8_t> outcome() const;

private:
    const CallCase* case_ = nullptr;
    std::vector<uint8_t> bytes_[3];  // dest, src, mask
    BoundSurface surfaces_[3];
    std::vector<ArgValue> args_;
    int32_t sums_[3] = {};
    ServiceCall service_;
    int32_t version_ = 0;
    char text_[35] = {};
    int64_t result_ = 0;
};

}  // namespace pixmill_reliability
