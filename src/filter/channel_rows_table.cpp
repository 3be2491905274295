#include "filter/channel_rows_table.h"

#include "filter/channel_rows.h"
#include "filter/channel_rows_isa.h"

namespace pixmill {

namespace {

constexpr ChannelKernels kScalar = {invert_row_24,    invert_row_32, invert_alpha_row_32, add_alpha_row_32,
                                    set_alpha_row_32, flip_row_32,   sum_row_24};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
constexpr ChannelKernels kSse2 = {sse2::invert_row_24,    sse2::invert_row_32, sse2::invert_alpha_row_32,
                                  sse2::add_alpha_row_32, sse2::set_alpha_row_32, sse2::flip_row_32,
                                  sse2::sum_row_24};

constexpr ChannelKernels kAvx2 = {avx2::invert_row_24,    avx2::invert_row_32, avx2::invert_alpha_row_32,
                                  avx2::add_alpha_row_32, avx2::set_alpha_row_32, avx2::flip_row_32,
                                  avx2::sum_row_24};

constexpr ChannelKernels kAvx512 = {avx512::invert_row_24,    avx512::invert_row_32,    avx512::invert_alpha_row_32,
                                    avx512::add_alpha_row_32, avx512::set_alpha_row_32, avx512::flip_row_32,
                                    avx512::sum_row_24};
#endif

}  // namespace

const ChannelKernels& channel_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kSse2, kSse2, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
