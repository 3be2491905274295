// The offsets' and the contrast's row kernels over 64-byte AVX-512 vectors.
// A row is one stream of bytes: a masked vector up to the first 64-byte
// boundary (for the keyed offsets, up to the first pixel that starts on one),
// so that the stores after it are aligned, whole vectors, and a masked last
// vector; masked loads and stores touch no byte outside the row.
#include "filter/tone_rows_isa.h"

#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512VBMI__)
#include "filter/tone_rows_vec.h"

namespace pixmill::avx512 {

namespace {

// The first n bytes of a vector (all of them from 64 on).
__mmask64 first_bytes(size_t n)
{
    return n >= 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1;
}

// Bytes up to the next 64-byte boundary, at most n.
size_t head_bytes(const uint8_t* p, size_t n)
{
    const size_t to_boundary = (64 - reinterpret_cast<uintptr_t>(p) % 64) % 64;
    return to_boundary < n ? to_boundary : n;
}

// The stream c0 c1 c2 c0 c1 c2 ... of 24-bit pixels as vectors (each byte
// picked from the first three by a shuffle within 16-byte lanes): phase[s % 3]
// is the vector that begins at stream offset s.
struct Stream24 {
    __m512i phase[3];
};

struct PhaseIndices {
    uint8_t index[3][64];
};

constexpr PhaseIndices phase_indices()
{
    PhaseIndices p{};
    for (int s = 0; s < 3; ++s)
        for (int j = 0; j < 64; ++j) p.index[s][j] = static_cast<uint8_t>((s + j) % 3);
    return p;
}

constexpr PhaseIndices kPhases = phase_indices();

Stream24 stream24(uint8_t c0, uint8_t c1, uint8_t c2)
{
    const __m512i bytes = _mm512_set1_epi32(c0 | c1 << 8 | c2 << 16);
    Stream24 r;
    for (int s = 0; s < 3; ++s) r.phase[s] = _mm512_shuffle_epi8(bytes, _mm512_loadu_si512(kPhases.index[s]));
    return r;
}

Stream24 rise_stream(const OffsetTables& t)
{
    return stream24(rise(t.blue), rise(t.green), rise(t.red));
}

Stream24 fall_stream(const OffsetTables& t)
{
    return stream24(fall(t.blue), fall(t.green), fall(t.red));
}

__m512i step(__m512i v, __m512i up, __m512i down)
{
    return _mm512_subs_epu8(_mm512_adds_epu8(v, up), down);
}

__m512i load(const uint8_t* p, __mmask64 m)
{
    return _mm512_maskz_loadu_epi8(m, p);
}

void store(uint8_t* p, __mmask64 m, __m512i v)
{
    _mm512_mask_storeu_epi8(p, m, v);
}

__m512i load(const uint8_t* p)
{
    return _mm512_loadu_si512(p);
}

void store(uint8_t* p, __m512i v)
{
    _mm512_storeu_si512(p, v);
}

}  // namespace

void offset_row_24(uint8_t* row, int32_t w, const OffsetTables& t)
{
    const size_t n = 3 * static_cast<size_t>(w), head = head_bytes(row, n);
    const Stream24 u = rise_stream(t), d = fall_stream(t);
    if (head) {
        const __mmask64 m = first_bytes(head);
        store(row, m, step(load(row, m), u.phase[0], d.phase[0]));
    }
    // Blocks of three vectors hold whole pixels, so each of the three keeps its steps.
    __m512i up[3], down[3];
    for (int k = 0; k < 3; ++k) up[k] = u.phase[(head + 64 * k) % 3], down[k] = d.phase[(head + 64 * k) % 3];
    size_t i = head;
    for (; i + 192 <= n; i += 192)
        for (int k = 0; k < 3; ++k) store(row + i + 64 * k, step(load(row + i + 64 * k), up[k], down[k]));
    for (int k = 0; i < n; ++k, i += 64) {
        const __mmask64 m = first_bytes(n - i);
        store(row + i, m, step(load(row + i, m), up[k], down[k]));
    }
}

namespace {

// Bit b of word k is set when byte 64 k + b of a 192-byte block begins a pixel.
constexpr uint64_t pixel_starts(int k)
{
    uint64_t bits = 0;
    for (int b = 0; b < 64; ++b)
        if ((64 * k + b) % 3 == 0) bits |= uint64_t{1} << b;
    return bits;
}

constexpr uint64_t kPixelStarts[3] = {pixel_starts(0), pixel_starts(1), pixel_starts(2)};

// For a block of three vectors of 24-bit pixels whose byte matches are the
// bits of eq (one 192-bit number, word 0 lowest): the bytes of every pixel
// whose three bytes all match.
void whole_pixels(const uint64_t eq[3], uint64_t out[3])
{
    uint64_t all[3];
    for (int k = 0; k < 3; ++k) {
        const uint64_t next = k < 2 ? eq[k + 1] : 0;
        all[k] = eq[k] & (eq[k] >> 1 | next << 63) & (eq[k] >> 2 | next << 62) & kPixelStarts[k];
    }
    for (int k = 0; k < 3; ++k) {
        const uint64_t prev = k > 0 ? all[k - 1] : 0;
        out[k] = all[k] | (all[k] << 1 | prev >> 63) | (all[k] << 2 | prev >> 62);
    }
}

struct KeyedSteps {
    __m512i up[3], down[3], keys[3];
};

// One block of n bytes (whole pixels, at most 192) from a pixel's start: the
// bytes of key pixels are stored back as they were. A whole block is loaded
// and stored unmasked.
template <bool whole_block>
void offset_keyed_block(uint8_t* p, size_t n, const KeyedSteps& s)
{
    __m512i v[3];
    uint64_t eq[3], keyed[3];
    __mmask64 m[3];
    for (int k = 0; k < 3; ++k) {
        m[k] = first_bytes(n > 64u * k ? n - 64u * k : 0);
        v[k] = whole_block ? load(p + 64 * k) : load(p + 64 * k, m[k]);
        eq[k] = _mm512_cmpeq_epi8_mask(v[k], s.keys[k]);
    }
    // Bytes past n load as 0 and may match a key of zeros; they are not stored.
    whole_pixels(eq, keyed);
    for (int k = 0; k < 3; ++k) {
        const __m512i r = _mm512_mask_blend_epi8(keyed[k], step(v[k], s.up[k], s.down[k]), v[k]);
        if (whole_block) store(p + 64 * k, r);
        else store(p + 64 * k, m[k], r);
    }
}

}  // namespace

// Blocks of 64 pixels from the first pixel whose start lies on a 64-byte
// boundary; the pixels before it and after the last whole block are done as
// one shorter block each.
void offset_row_24_keyed(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key)
{
    KeyedSteps s;
    const Stream24 u = rise_stream(t), d = fall_stream(t), keys = stream24(key.blue, key.green, key.red);
    // Vector k of a block begins at stream offset 64 k, in phase k.
    for (int k = 0; k < 3; ++k) s.up[k] = u.phase[k], s.down[k] = d.phase[k], s.keys[k] = keys.phase[k];
    const size_t n = 3 * static_cast<size_t>(w);
    // The head: to the boundary, plus 64 bytes once or twice until it is whole pixels.
    const size_t to_boundary = (64 - reinterpret_cast<uintptr_t>(row) % 64) % 64;
    size_t i = to_boundary + 64 * ((3 - to_boundary % 3) % 3);
    if (i > n) i = n;
    if (i) offset_keyed_block<false>(row, i, s);
    for (; i + 192 <= n; i += 192) offset_keyed_block<true>(row + i, 192, s);
    if (i < n) offset_keyed_block<false>(row + i, n - i, s);
}

void offset_row_32(uint8_t* row, int32_t w, const OffsetTables& t)
{
    const size_t n = 4 * static_cast<size_t>(w), head = head_bytes(row, n);
    // The pixel's steps turned to begin at stream offset s.
    auto turned = [](uint32_t x, size_t s) {
        const unsigned r = 8 * static_cast<unsigned>(s % 4);
        return _mm512_set1_epi32(static_cast<int32_t>(r ? x >> r | x << (32 - r) : x));
    };
    const uint32_t u = rise32(t), d = fall32(t);
    if (head) {
        const __mmask64 m = first_bytes(head);
        store(row, m, step(load(row, m), turned(u, 0), turned(d, 0)));
    }
    const __m512i up = turned(u, head), down = turned(d, head);
    size_t i = head;
    for (; i + 64 <= n; i += 64) store(row + i, step(load(row + i), up, down));
    if (i < n) {
        const __mmask64 m = first_bytes(n - i);
        store(row + i, m, step(load(row + i, m), up, down));
    }
}

// The table looked up 64 bytes at a time: two permutes of 128 entries each,
// chosen by each byte's top bit.
void contrast_row_24(uint8_t* row, int32_t w, const ContrastTable& t)
{
    const __m512i t0 = load(t.byte), t1 = load(t.byte + 64), t2 = load(t.byte + 128), t3 = load(t.byte + 192);
    auto look_up = [&](__m512i v) {
        const __m512i low = _mm512_permutex2var_epi8(t0, v, t1), high = _mm512_permutex2var_epi8(t2, v, t3);
        return _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high);
    };
    const size_t n = 3 * static_cast<size_t>(w), head = head_bytes(row, n);
    if (head) {
        const __mmask64 m = first_bytes(head);
        store(row, m, look_up(load(row, m)));
    }
    size_t i = head;
    for (; i + 64 <= n; i += 64) store(row + i, look_up(load(row + i)));
    if (i < n) {
        const __mmask64 m = first_bytes(n - i);
        store(row + i, m, look_up(load(row + i, m)));
    }
}

}  // namespace pixmill::avx512

#endif
