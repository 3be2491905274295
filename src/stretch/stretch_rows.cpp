#include "stretch/stretch_rows.h"

#include <cstddef>
#include <cstring>

#include "frame/arith.h"

namespace pixmill {

namespace {

// Every rule first gathers the value to draw (a sampled pixel or an average)
// and only then writes, so a call whose source is its own destination reads
// each source pixel whole before any byte of the destination pixel changes.

// Stores the colour bytes v[0..2] in d, or blends them in with a constant
// alpha used whole. A 32-bit destination's fourth byte is not touched.
template <bool Blended>
inline void put_colour(uint8_t* d, const uint8_t* v, int32_t alpha)
{
    for (int k = 0; k < 3; ++k) d[k] = Blended ? blend255(v[k], d[k], alpha) : v[k];
}

// The source-alpha rule for a in 1..255 (a = 0 is skipped by the caller):
// 255 copies, anything else blends.
inline void put_by_alpha(uint8_t* d, const uint8_t* v, uint32_t a)
{
    for (int k = 0; k < 3; ++k) d[k] = a == 255 ? v[k] : blend255_byte(v[k], d[k], a);
}

inline const uint8_t* at(const uint8_t* row, int32_t col, int bpp)
{
    return row + static_cast<ptrdiff_t>(col) * bpp;
}

template <int DBpp, bool Keyed, bool Blended>
void sample_24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key, int32_t alpha)
{
    for (int32_t i = 0; i < n; ++i, dst += DBpp) {
        const uint8_t* s = at(row, cols[i], 3);
        const uint8_t v[3] = {s[0], s[1], s[2]};
        if (Keyed && key.matches(v)) continue;
        put_colour<Blended>(dst, v, alpha);
    }
}

template <int DBpp>
void sample_32_by_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    for (int32_t i = 0; i < n; ++i, dst += DBpp) {
        const uint8_t* s = at(row, cols[i], 4);
        const uint8_t v[4] = {s[0], s[1], s[2], s[3]};
        if (v[3] != 0) put_by_alpha(dst, v, v[3]);
    }
}

// The five terms of one average: the sample, then its left, right, upper and
// lower neighbours, each already replaced by the sample where it is missing.
struct Five {
    const uint8_t* p[5];
};

template <int SBpp>
inline Five five_at(const SourceRows& src, int32_t c)
{
    const ptrdiff_t off = static_cast<ptrdiff_t>(c) * SBpp;
    const uint8_t* s = src.row + off;
    return Five{{s, c != 0 ? s - SBpp : s, c < src.last_col ? s + SBpp : s, src.above + off, src.below + off}};
}

inline void replace_keyed(Five& f, ColorKey key)
{
    for (int k = 1; k < 5; ++k)
        if (key.matches(f.p[k])) f.p[k] = f.p[0];
}

// Per byte, the sum of the five terms divided by 5; the sum is at most 1275,
// so the division is a plain floor.
template <int Bytes>
inline void average(const Five& f, uint8_t* m)
{
    for (int k = 0; k < Bytes; ++k)
        m[k] = static_cast<uint8_t>((f.p[0][k] + f.p[1][k] + f.p[2][k] + f.p[3][k] + f.p[4][k]) / 5u);
}

template <int DBpp, bool Keyed, bool Blended>
void smooth_24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key, int32_t alpha)
{
    for (int32_t i = 0; i < n; ++i, dst += DBpp) {
        Five f = five_at<3>(src, cols[i]);
        if (Keyed) {
            if (key.matches(f.p[0])) continue;
            replace_keyed(f, key);
        }
        uint8_t m[3];
        average<3>(f, m);
        put_colour<Blended>(dst, m, alpha);
    }
}

template <int DBpp>
void smooth_32_by_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n)
{
    for (int32_t i = 0; i < n; ++i, dst += DBpp) {
        const Five f = five_at<4>(src, cols[i]);
        const uint8_t a = f.p[0][3];
        if (a == 0) continue;
        uint8_t m[3];
        average<3>(f, m);
        put_by_alpha(dst, m, a);
    }
}

constexpr ColorKey kNoKey{0, 0, 0};

// Pixel by pixel from the left. Where the destination starts at or before
// the source, no pixel is read after a write has reached it, so the result
// is that of a move; only a destination starting inside the run, after its
// start, reads what was just written, and takes the pixel loop.
template <int Bpp>
void copy_run(uint8_t* dst, const uint8_t* src, int32_t n)
{
    const size_t bytes = static_cast<size_t>(n) * Bpp;
    const auto d = reinterpret_cast<uintptr_t>(dst), s = reinterpret_cast<uintptr_t>(src);
    if (d <= s || d >= s + bytes) {
        std::memmove(dst, src, bytes);
        return;
    }
    for (int32_t i = 0; i < n; ++i, dst += Bpp, src += Bpp) {
        uint8_t v[Bpp];
        for (int k = 0; k < Bpp; ++k) v[k] = src[k];
        for (int k = 0; k < Bpp; ++k) dst[k] = v[k];
    }
}

}  // namespace

void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample_24<3, false, false>(dst, row, cols, n, kNoKey, 0);
}
void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample_24<4, false, false>(dst, row, cols, n, kNoKey, 0);
}
void sample_row_24to24_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, int32_t alpha)
{
    sample_24<3, false, true>(dst, row, cols, n, kNoKey, alpha);
}
void sample_row_24to32_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, int32_t alpha)
{
    sample_24<4, false, true>(dst, row, cols, n, kNoKey, alpha);
}
void sample_row_24to24_key(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key)
{
    sample_24<3, true, false>(dst, row, cols, n, key, 0);
}
void sample_row_24to32_key(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key)
{
    sample_24<4, true, false>(dst, row, cols, n, key, 0);
}
void sample_row_24to24_key_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha)
{
    sample_24<3, true, true>(dst, row, cols, n, key, alpha);
}
void sample_row_24to32_key_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha)
{
    sample_24<4, true, true>(dst, row, cols, n, key, alpha);
}
void sample_row_32to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample_32_by_alpha<3>(dst, row, cols, n);
}
void sample_row_32to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample_32_by_alpha<4>(dst, row, cols, n);
}
void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    for (int32_t i = 0; i < n; ++i, dst += 4) {
        const uint8_t* s = at(row, cols[i], 4);
        const uint8_t v[4] = {s[0], s[1], s[2], s[3]};
        for (int k = 0; k < 4; ++k) dst[k] = v[k];
    }
}

void copy_run_24to24(uint8_t* dst, const uint8_t* src, int32_t n) { copy_run<3>(dst, src, n); }
void copy_run_32to32(uint8_t* dst, const uint8_t* src, int32_t n) { copy_run<4>(dst, src, n); }

void smooth_row_24to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n)
{
    smooth_24<3, false, false>(dst, src, cols, n, kNoKey, 0);
}
void smooth_row_24to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n)
{
    smooth_24<4, false, false>(dst, src, cols, n, kNoKey, 0);
}
void smooth_row_24to24_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, int32_t alpha)
{
    smooth_24<3, false, true>(dst, src, cols, n, kNoKey, alpha);
}
void smooth_row_24to32_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, int32_t alpha)
{
    smooth_24<4, false, true>(dst, src, cols, n, kNoKey, alpha);
}
void smooth_row_24to24_key(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key)
{
    smooth_24<3, true, false>(dst, src, cols, n, key, 0);
}
void smooth_row_24to32_key(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key)
{
    smooth_24<4, true, false>(dst, src, cols, n, key, 0);
}
void smooth_row_24to24_key_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha)
{
    smooth_24<3, true, true>(dst, src, cols, n, key, alpha);
}
void smooth_row_24to32_key_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha)
{
    smooth_24<4, true, true>(dst, src, cols, n, key, alpha);
}
void smooth_row_32to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n)
{
    smooth_32_by_alpha<3>(dst, src, cols, n);
}
void smooth_row_32to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n)
{
    smooth_32_by_alpha<4>(dst, src, cols, n);
}
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n)
{
    for (int32_t i = 0; i < n; ++i, dst += 4) {
        uint8_t m[4];
        average<4>(five_at<4>(src, cols[i]), m);
        for (int k = 0; k < 4; ++k) dst[k] = m[k];
    }
}

}  // namespace pixmill
