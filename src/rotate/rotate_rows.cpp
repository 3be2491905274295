#include "rotate/rotate_rows.h"

namespace pixmill {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    for (int32_t k = 0; k < count; ++k) turn_offset(i, j0 + k, t, u[k], v[k]);
}

void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                       int32_t* mv)
{
    for (int32_t k = 0; k < count; ++k) {
        const int64_t b = b0 + k;
        u[k] = v[k] = mu[k] = mv[k] = 0;
        if (a > 0) turn_offset(a, b, t, u[k], v[k]);
        if (b > 0) turn_offset(b, a, t, mu[k], mv[k]);
    }
}

void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                 int32_t sb, int32_t n)
{
    transfer_run(s, dst, dir, a, b, sa, sb, n, Copy4{});
}

void copy_block_32_by(TurnPairs pairs, const SourceRead& s, const DestCentre& d, const Turn& t, int64_t a0,
                      int64_t a1, int64_t b0, int32_t count)
{
    constexpr int32_t kRun = 64;
    int32_t u[kRun], v[kRun], mu[kRun], mv[kRun];
    for (int64_t a = a0; a < a1; ++a) {
        uint8_t* down = d.centre - a * d.stride_bytes;  // row cyd + a
        uint8_t* up = d.centre + a * d.stride_bytes;    // row cyd - a
        for (int32_t k = 0; k < count; k += kRun) {
            const int32_t n = count - k < kRun ? count - k : kRun;
            const int64_t b = b0 + k;
            pairs(a, b, n, t, u, v, mu, mv);
            copy_run_32(s, down + 4 * b, 1, mu, mv, 1, 1, n);
            copy_run_32(s, up - 4 * b, -1, mu, mv, -1, -1, n);
            copy_run_32(s, up + 4 * b, 1, v, u, 1, -1, n);
            copy_run_32(s, down - 4 * b, -1, v, u, -1, 1, n);
        }
    }
}

void copy_block_32(const SourceRead& s, const DestCentre& d, const Turn& t, int64_t a0, int64_t a1, int64_t b0,
                   int32_t count, int32_t)
{
    copy_block_32_by(turn_offset_pairs, s, d, t, a0, a1, b0, count);
}

}  // namespace pixmill
