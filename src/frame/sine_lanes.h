// The library's sine (frame/trig.cpp) in double lanes, for arguments from 0
// up to trig_constants::kMediumArgument: the same reduction by pi/2 in pieces
// and the same two series, every operation the scalar one in the same order
// (nothing fused), so each lane gives the bits sine() gives. Both series are
// worked out in every lane and the quadrant picks one; an argument of pi/4 or
// less takes the quadrant 0 and no reduction, as the scalar code does (the
// reduction with n = 0 leaves hi = x and lo = 0 exactly).
//
// Compiled once per level, inside the level's namespace.
#pragma once

#include "frame/trig.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

template <class D>
struct SineLanes {
    using V = typename D::V;

    // s + e == a + b exactly.
    static void two_sum(V a, V b, V& s, V& e)
    {
        s = D::add(a, b);
        const V bb = D::sub(s, a);
        e = D::add(D::sub(a, D::sub(s, bb)), D::sub(b, bb));
    }

    static V sin_kernel(V hi, V lo)
    {
        using namespace trig_constants;
        const V z = D::mul(hi, hi);
        V poly = D::add(D::set1(kS17), D::mul(z, D::set1(kS19)));
        poly = D::add(D::set1(kS15), D::mul(z, poly));
        poly = D::add(D::set1(kS13), D::mul(z, poly));
        poly = D::add(D::set1(kS11), D::mul(z, poly));
        poly = D::add(D::set1(kS9), D::mul(z, poly));
        poly = D::add(D::set1(kS7), D::mul(z, poly));
        poly = D::add(D::set1(kS5), D::mul(z, poly));
        poly = D::add(D::set1(kS3), D::mul(z, poly));
        const V tail = D::sub(lo, D::mul(D::mul(D::set1(0.5), z), lo));
        return D::add(hi, D::add(D::mul(D::mul(z, hi), poly), tail));
    }

    static V cos_kernel(V hi, V lo)
    {
        using namespace trig_constants;
        // hi * hi and its rounding error, by Dekker's product.
        const V z = D::mul(hi, hi);
        const V c = D::mul(D::set1(134217729.0), hi);
        const V h = D::sub(c, D::sub(c, hi));
        const V l = D::sub(hi, h);
        const V hl = D::mul(h, l);
        const V z_err = D::add(D::add(D::add(D::sub(D::mul(h, h), z), hl), D::mul(l, h)), D::mul(l, l));
        const V half = D::mul(D::set1(0.5), z);
        const V w = D::sub(D::set1(1.0), half);
        V poly = D::add(D::set1(kC18), D::mul(z, D::set1(kC20)));
        poly = D::add(D::set1(kC16), D::mul(z, poly));
        poly = D::add(D::set1(kC14), D::mul(z, poly));
        poly = D::add(D::set1(kC12), D::mul(z, poly));
        poly = D::add(D::set1(kC10), D::mul(z, poly));
        poly = D::add(D::set1(kC8), D::mul(z, poly));
        poly = D::add(D::set1(kC6), D::mul(z, poly));
        poly = D::add(D::set1(kC4), D::mul(z, poly));
        const V fix = D::sub(D::sub(D::sub(D::set1(1.0), w), half), D::mul(D::set1(0.5), z_err));
        return D::add(w, D::add(fix, D::sub(D::mul(D::mul(z, z), poly), D::mul(hi, lo))));
    }

    // sin(x) for 0 <= x < kMediumArgument to within 2^-44 of sine(x), about
    // half the work: x less n pi/2 in three pieces (n < 2^20, so x - n P1,
    // n P2 and n P3 are exact, and the pi/2 left out, n 2^-100, does not
    // show), then the Taylor series to the 17th and the 16th power, whose
    // remainders at pi/4 lie below 2^-49, with a few roundings of at most
    // 2^-53 each. For callers that can tell when a result this close settles
    // what they need, and take sine() otherwise.
    static V sine_near(V x)
    {
        using namespace trig_constants;
        const V round_const = D::set1(0x1.8p52);
        const V rounded = D::add(D::mul(x, D::set1(kTwoOverPi)), round_const);
        const V n = D::sub(rounded, round_const);
        const V r = D::sub(D::sub(D::sub(x, D::mul(n, D::set1(kPio2Part1))), D::mul(n, D::set1(kPio2Part2))),
                           D::mul(n, D::set1(kPio2Part3)));
        const V z = D::mul(r, r);
        V sp = D::add(D::set1(kS15), D::mul(z, D::set1(kS17)));
        sp = D::add(D::set1(kS13), D::mul(z, sp));
        sp = D::add(D::set1(kS11), D::mul(z, sp));
        sp = D::add(D::set1(kS9), D::mul(z, sp));
        sp = D::add(D::set1(kS7), D::mul(z, sp));
        sp = D::add(D::set1(kS5), D::mul(z, sp));
        sp = D::add(D::set1(kS3), D::mul(z, sp));
        const V sin_r = D::add(r, D::mul(D::mul(z, r), sp));
        V cp = D::add(D::set1(kC14), D::mul(z, D::set1(kC16)));
        cp = D::add(D::set1(kC12), D::mul(z, cp));
        cp = D::add(D::set1(kC10), D::mul(z, cp));
        cp = D::add(D::set1(kC8), D::mul(z, cp));
        cp = D::add(D::set1(kC6), D::mul(z, cp));
        cp = D::add(D::set1(kC4), D::mul(z, cp));
        cp = D::add(D::set1(-0.5), D::mul(z, cp));
        const V cos_r = D::add(D::set1(1.0), D::mul(z, cp));
        const V s = D::select(D::template bit_set<0>(rounded), cos_r, sin_r);
        return D::neg_where(D::template bit_set<1>(rounded), s);
    }

    // sine(x) for 0 <= x < kMediumArgument in every lane.
    static V sine(V x)
    {
        using namespace trig_constants;
        const V round_const = D::set1(0x1.8p52);
        // n in the low bits of the rounded sum; 0 where x needs no reduction.
        const V rounded = D::select(D::le(x, D::set1(kQuarterPi)), round_const,
                                    D::add(D::mul(x, D::set1(kTwoOverPi)), round_const));
        const V n = D::sub(rounded, round_const);
        V hi = D::sub(x, D::mul(n, D::set1(kPio2Part1)));
        V e;
        two_sum(hi, D::neg(D::mul(n, D::set1(kPio2Part2))), hi, e);
        V lo = D::add(D::set1(0.0), e);
        two_sum(hi, D::neg(D::mul(n, D::set1(kPio2Part3))), hi, e);
        lo = D::add(lo, e);
        lo = D::sub(lo, D::mul(n, D::set1(kPio2Part4)));
        two_sum(hi, lo, hi, lo);
        // Quadrant 1 or 3: the cosine series; 2 or 3: negated.
        const V s = D::select(D::template bit_set<0>(rounded), cos_kernel(hi, lo), sin_kernel(hi, lo));
        return D::neg_where(D::template bit_set<1>(rounded), s);
    }
};

}  // namespace pixmill::PIXMILL_LVL
