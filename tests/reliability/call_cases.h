// Reproducible calls of every export: each case fixes the export, the shapes
// and starting bytes of its surfaces and its arguments, so the same case run
// twice, on any thread, must leave the same bytes.
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
    std::vector<int32_t> ints;  // by argument position
    std::vector<float> floats;
};

// per_export cases of each of the library's exports, mostly inside the
// contract, some with edge arguments.
std::vector<CallCase> make_cases(int per_export, uint32_t seed);
const char* case_name(const CallCase& c);

// The memory one thread calls in: surfaces allocated to each case's shapes.
class Workspace {
public:
    // Allocates and fills the case's arrays and builds its arguments.
    void prepare(const CallCase& c);
    // The call alone.
    int64_t invoke();
    // Every byte the call could have changed: the arrays, the sums, the
    // service buffers, and the result.
    std::vector<uint8_t> outcome() const;

private:
    const CallCase* case_ = nullptr;
    std::vector<uint8_t> dest_bytes_, src_bytes_, mask_bytes_;
    BoundSurface dest_, src_, mask_;
    std::vector<ArgValue> args_;
    int32_t sums_[3] = {};
    ServiceCall service_;
    int32_t version_ = 0;
    char text_[35] = {};
    int64_t result_ = 0;
};

}  // namespace pixmill_reliability
