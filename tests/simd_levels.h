// The instruction-set levels a vector kernel test runs at; a level this CPU
// lacks is skipped.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "frame/cpu.h"

namespace pixmill_test {

class IsaLevel : public testing::TestWithParam<pixmill::Isa> {
protected:
    void SetUp() override
    {
        if (pixmill::cpu_isa() < GetParam()) GTEST_SKIP() << "this CPU has no " << pixmill::isa_name(GetParam());
    }
};

inline std::string isa_param_name(const testing::TestParamInfo<pixmill::Isa>& p)
{
    return pixmill::isa_name(p.param);
}

}  // namespace pixmill_test

// Every level from SSE2 up, or (with kAllIsas) the scalar one too.
#define PIXMILL_VECTOR_LEVELS \
    testing::Values(pixmill::Isa::kSse2, pixmill::Isa::kSsse3, pixmill::Isa::kAvx2, pixmill::Isa::kAvx512)
#define PIXMILL_INSTANTIATE_LEVELS(Suite, levels) \
    INSTANTIATE_TEST_SUITE_P(Levels, Suite, levels, pixmill_test::isa_param_name)
