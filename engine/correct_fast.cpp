#include "engine/correct_fast.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/correct_slow.h"
#include "engine/double_double.h"

// Error bounds are relative, in units of u = 2^-53. The double-double operations below have the
// published bounds (Joldes, Muller, Popescu 2017): sums 3u^2 (2u^2 with one double), products
// 7u^2 (3u^2 with one double); a quotient, as the product by the reciprocal below, 12u^2.
// Each function states the bound its own steps give, then hands the rounding test a wider one:
// an argument lost in the margin costs only a call of the precise path.

namespace {

DD Neg(DD a) { return {-a.hi, -a.lo}; }

DD Add(DD a, DD b) {
    DD s = TwoSum(a.hi, b.hi), t = TwoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = FastTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return FastTwoSum(s.hi, s.lo);
}

DD Add(DD a, double b) {
    DD s = TwoSum(a.hi, b);
    s.lo += a.lo;
    return FastTwoSum(s.hi, s.lo);
}

DD Mul(DD a, DD b) {
    DD p = TwoProd(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return FastTwoSum(p.hi, p.lo);
}

DD Mul(DD a, double b) {
    DD p = TwoProd(a.hi, b);
    p.lo += a.lo * b;
    return FastTwoSum(p.hi, p.lo);
}

// 1 / b from the double quotient and one correction: 1 - b q1 is found within 2u^2 (TwoProd, and
// 1 - p.hi is exact), and q1 (1 + e) is within 5u^2 of 1 / b.
DD Inverse(DD b) {
    double q1 = 1 / b.hi;
    DD p = TwoProd(b.hi, q1);
    double e = ((1 - p.hi) - p.lo) - b.lo * q1;
    return FastTwoSum(q1, q1 * e);
}

DD Div(DD a, DD b) { return Mul(a, Inverse(b)); }

DD Scale(DD a, double twoToK) { return {a.hi * twoToK, a.lo * twoToK}; }

// 2^k for -1022 <= k <= 1023.
double Pow2(int k) {
    uint64_t bits = static_cast<uint64_t>(k + 1023) << 52;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double Abs(double a) { return a < 0 ? -a : a; }

const double kShifter = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to a whole number

// The value v (normalised) within eps |v.hi| of the exact one, times 2^scale after rounding.
FastValue Made(DD v, double eps, int scale = 0) {
    FastValue out;
    out.hi = v.hi;
    out.lo = v.lo;
    out.eps = eps;
    out.scale = scale;
    out.made = true;
    return out;
}

const FastValue kNotMade;

DD FromParts(const double parts[2]) { return {parts[0], parts[1]}; }

DD Inverse(double n) { return Inverse(DD{n, 0}); }

struct Tables {
    DD exp2[128];        // 2^(j/128)
    double ln2Part[3];   // ln 2 / 128: 35 bits, 35 more, 53 more
    double ln2Parts[3];  // ln 2: 42 bits, 42 more, 53 more
    double logR[384];    // about 1 / (0.75 + (j + 0.5) / 512), 1 next to 1
    DD logL[384];        // -log logR[j]
    double halfPi[3];
    DD sinT[52], cosT[52];    // sin(j/64), cos(j/64)
    DD sinF[202], cosF[202];  // sin(j/256), cos(j/256)
    DD atanT[65];             // atan(j/64)
    DD halfPiDD;
    DD inverseLn10, third, fifth, sixth, twentyFourth, oneTwentieth;

    Tables() {
        double parts[2], cosParts[2];
        for (int j = 0; j < 128; ++j) {
            SlowTwoToFractionParts(j, 7, parts);
            exp2[j] = FromParts(parts);
        }
        SlowConstantParts(SlowConstant::Ln2, 35, ln2Part, 3);
        for (double& p : ln2Part)
            p /= 128;
        SlowConstantParts(SlowConstant::Ln2, 42, ln2Parts, 3);
        for (int j = 0; j < 384; ++j) {
            if (j == 127 || j == 128) {
                logR[j] = 1;
                logL[j] = {0, 0};
                continue;
            }
            logR[j] = 1 / (0.75 + (j + 0.5) / 512);
            SlowLogParts(logR[j], parts);
            logL[j] = Neg(FromParts(parts));
        }
        SlowConstantParts(SlowConstant::HalfPi, 33, halfPi, 3);
        for (int j = 0; j < 52; ++j) {
            SlowSinCosParts(j / 64.0, parts, cosParts);
            sinT[j] = FromParts(parts);
            cosT[j] = FromParts(cosParts);
        }
        for (int j = 0; j < 202; ++j) {
            SlowSinCosParts(j / 256.0, parts, cosParts);
            sinF[j] = FromParts(parts);
            cosF[j] = FromParts(cosParts);
        }
        for (int j = 0; j <= 64; ++j) {
            SlowAtanParts(j / 64.0, parts);
            atanT[j] = FromParts(parts);
        }
        SlowConstantParts(SlowConstant::HalfPi, 53, parts, 2);
        halfPiDD = FromParts(parts);
        SlowConstantParts(SlowConstant::InverseLn10, 53, parts, 2);
        inverseLn10 = FromParts(parts);
        third = Inverse(3);
        fifth = Inverse(5);
        sixth = Inverse(6);
        twentyFourth = Inverse(24);
        oneTwentieth = Inverse(120);
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

// e^x = 2^m * the result, for |x.hi| <= 708 and |x.lo| <= 2^-52 |x.hi|; the result lies in
// [0.99, 2.01] within 2^-77.5 relative of e^(x.hi + x.lo).
// x = n ln2/128 + r, n = 128 m + j, |n| < 2^17, |r| <= ln2/256 (1 + 2^-40) < 2^-8.4: the parts
// of ln2/128 have 35, 35 and 53 bits, so n times the first two is exact, so are x.hi minus the
// first (Sterbenz) and the TwoSum; n times the third (2^-77) is off by 2^-113, the 2^-130 left of
// ln2/128 costs 2^-113, the sum of the low parts u (2^-43 + 2^-61): r within 2^-95.
// e^r = 1 + r + r^2/2 + q, q = r_h r_l + r_h^3 (1/6 + ... + r_h^5/8!) (next term 2^-95, r_l^2
// and r_h^2 r_l below 2^-120): |q| <= 2^-28.1, within 5u |q| = 2^-78.8; r_h^2 is exact (TwoProd),
// the low parts are summed within 3u |q| = 2^-79.6, and the last sum within u 2^-28. The table
// is within 2^-104 and the last product 7u^2.
DD ExpCore(DD x, int* m) {
    const Tables& t = T();
    double n = (x.hi * 184.6649652337873 + kShifter) - kShifter;  // 128 / ln 2
    DD r = TwoSum(x.hi - n * t.ln2Part[0], -n * t.ln2Part[1]);
    r = TwoSum(r.hi, r.lo + (x.lo - n * t.ln2Part[2]));
    double h = r.hi;
    DD w = TwoProd(h, h);
    double q =
        h * (r.lo + w.hi * (1.0 / 6 +
                            h * (1.0 / 24 +
                                 h * (1.0 / 120 + h * (1.0 / 720 + h * (1.0 / 5040 + h * (1.0 / 40320)))))));
    DD s = TwoSum(h, 0.5 * w.hi);
    double low = ((q + r.lo) + s.lo) + 0.5 * w.lo;
    DD p = FastTwoSum(1.0, s.hi);
    p = FastTwoSum(p.hi, p.lo + low);
    int whole = static_cast<int>(n);
    int j = static_cast<int>(static_cast<unsigned>(whole) & 127u);
    *m = (whole - j) / 128;
    return Mul(t.exp2[j], p);
}

const double kExpEps = 1.0 / 3.7778931862957162e22;  // 2^-75

// log x for a finite x > 0, x != 1, within kLogEps relative.
// x = 2^e m, m in [0.75, 1.5), m = c (1 + z) with 1/c = logR[j] a double, so that m logR[j]
// = 1 + z exactly (TwoProd, then Sterbenz for the subtraction of 1); |z| <= 2^-9, and below
// 2^-9.58 unless c = 1. Away from c = 1 and e = 0, |log x| >= 2^-9.01; with e != 0, >= 0.28.
// log(1 + z) = z_h - z_h^2/2 + z_h^3/3 + z_l + q, q = z_l (z_h^2 - z_h) + z_h^4 (-1/4 + ... -
// z_h^6/10) (next terms below 2^-90 |z|): z_h^2 and z_h^3 are exact (TwoProd), z_h^3/3 within
// 7u^2; |q| <= z^4/4 is within 5u |q|: 2^-79.7 of |z| by c = 1, 2^-82 of |log x| elsewhere. The
// leading parts are summed exactly (TwoSum; e times the 42-bit parts of ln 2 is exact), the low
// ones (below 2^-30, and below 2^-38 when e = 0) within 11u of their size: 2^-79 of |log x|.
// The table is within 2^-104: together under 2^-78.5.
DD LogCore(double x) {
    const Tables& t = T();
    int e;
    uint64_t bits;
    double m = Decompose(x, &e, &bits);
    if (m >= 1.5) {
        m *= 0.5;
        ++e;
    }
    int j = static_cast<int>((m - 0.75) * 512);
    double zh, zl = 0;
    if (t.logR[j] == 1) {
        zh = m - 1;
    } else {
        DD p = TwoProd(m, t.logR[j]);
        DD z = TwoSum(p.hi - 1, p.lo);
        zh = z.hi;
        zl = z.lo;
    }
    DD w = TwoProd(zh, zh);
    DD c = TwoProd(w.hi, zh);
    c.lo += w.lo * zh;
    DD c3 = Mul(c, t.third);
    double q =
        zl * (w.hi - zh) +
        w.hi * w.hi *
            (-0.25 +
             zh * (0.2 + zh * (-1.0 / 6 + zh * (1.0 / 7 + zh * (-0.125 + zh * (1.0 / 9 + zh * -0.1))))));
    double de = e;
    const DD& lj = t.logL[j];
    DD s1 = TwoSum(de * t.ln2Parts[0], lj.hi);
    DD p1 = TwoSum(zh, -0.5 * w.hi);
    DD p2 = TwoSum(p1.hi, c3.hi);
    DD s = TwoSum(s1.hi, p2.hi);
    double low = de * t.ln2Parts[1] + de * t.ln2Parts[2] + s1.lo + s.lo + p2.lo + p1.lo + lj.lo + c3.lo + zl -
                 0.5 * w.lo + q;
    return FastTwoSum(s.hi, low);
}

const double kLogEps = 1.0 / 3.7778931862957162e22;  // 2^-75

// e^|x| within 2^-77.5 and its reciprocal within that and 5u^2, for |x| <= 40.
void ExpPair(double ax, DD* e, DD* inverse) {
    int m;
    DD v = ExpCore({ax, 0}, &m);
    *e = Scale(v, Pow2(m));
    *inverse = Inverse(*e);
}

// sinh x for |x| < 1/8 by its series x (1 + x^2/3! + ... + x^20/21!) (the next term is below
// 2^-110): from x^6/7! (at most 2^-30.3 of x) in doubles, within 2^-83.3 of x, the rest in
// double-double, 2^-99: under 2^-83.
DD SinhSeries(double x) {
    const Tables& t = T();
    DD x2 = TwoProd(x, x);
    double h = x2.hi;
    double tail =
        1.0 / 5040 +
        h * (1.0 / 362880 +
             h * (1.0 / 39916800 +
                  h * (1.0 / 6227020800.0 +
                       h * (1.0 / 1307674368000.0 +
                            h * (1.0 / 355687428096000.0 +
                                 h * (1.0 / 121645100408832000.0 + h * (1.0 / 51090942171709440000.0)))))));
    DD p = Add(Mul(x2, tail), t.oneTwentieth);
    p = Add(Mul(p, x2), t.sixth);
    p = Add(Mul(p, x2), 1.0);
    return Mul(p, x);
}

// sinh x as a double-double within *eps relative, for 2^-30 <= |x| <= 40: the series below 1/8;
// above, (e^x - e^-x) / 2, where the two parts' 2^-77.4 grows by coth |x| <= 8.1: 2^-74.3.
DD SinhCore(double x, double* eps) {
    if (Abs(x) < 0.125) {
        *eps = 1.0 / 1.2089258196146292e24;  // 2^-80
        return SinhSeries(x);
    }
    DD e, inverse;
    ExpPair(Abs(x), &e, &inverse);
    DD s = Scale(Add(e, Neg(inverse)), 0.5);
    *eps = 1.0 / 4.722366482869645e21;  // 2^-72
    return x < 0 ? Neg(s) : s;
}

// x = k pi/2 + r, |r| <= pi/4 + 2^-30, for |x| < 2^20, r within *err absolute; the quadrant is
// k mod 4. pi/2 is three parts of 33, 33 and 53 bits (2^-118 left): k times the first two is
// exact, and so are x minus the first (Sterbenz) and the TwoSum; k times the third (2^-66) is off
// by 2^-119 |k|, and its sum into the low part by u (|k| 2^-66 + u |r|).
DD Reduce(double x, int* quadrant, double* err) {
    const Tables& t = T();
    double k = (x * 0.6366197723675814 + kShifter) - kShifter;
    *quadrant = static_cast<int>(static_cast<uint64_t>(static_cast<int64_t>(k)) & 3);
    if (k == 0) {
        *err = 0;
        return {x, 0};
    }
    DD r = TwoSum(x - k * t.halfPi[0], -k * t.halfPi[1]);
    r = TwoSum(r.hi, r.lo - k * t.halfPi[2]);
    // |k| 2^-114 + 2^-103 |r|
    *err = 4.814824860968090e-35 * Abs(k) + 9.860761315262648e-32 * Abs(r.hi);
    return r;
}

// sin r and cos r for |r| <= 0.8, each within 2^-82 relative: r = j/64 + b, |b| <= 1/128, the
// table within 2^-104; sin b = b (1 - b^2/3! + ... - b^10/11!) and cos b = 1 - b^2/2 + ... +
// b^12/12! (next terms below 2^-115): from b^4 in doubles, error under 2^-85.6, the rest in
// double-double, under 2^-100. The sums lose at most a factor 3 (sin, j = 1, b < 0).
void SinCos(DD r, DD* s, DD* c) {
    const Tables& t = T();
    bool negative = r.hi < 0;
    if (negative)
        r = Neg(r);
    int j = static_cast<int>(r.hi * 64 + 0.5);
    DD b = j == 0 ? r : TwoSum(r.hi - j / 64.0, r.lo);
    DD b2 = Mul(b, b);
    double h = b2.hi;
    double ts =
        1.0 / 120 + h * (-1.0 / 5040 + h * (1.0 / 362880 + h * (-1.0 / 39916800 + h * (1.0 / 6227020800.0))));
    DD p = Add(Mul(b2, ts), Neg(t.sixth));
    DD sb = Mul(Add(Mul(p, b2), 1.0), b);
    double tc =
        1.0 / 24 + h * (-1.0 / 720 + h * (1.0 / 40320 + h * (-1.0 / 3628800 + h * (1.0 / 479001600))));
    p = Add(Mul(b2, tc), -0.5);
    DD cb = Add(Mul(p, b2), 1.0);
    if (j == 0) {
        *s = sb;
        *c = cb;
    } else {
        *s = Add(Mul(t.sinT[j], cb), Mul(t.cosT[j], sb));
        *c = Add(Mul(t.cosT[j], cb), Neg(Mul(t.sinT[j], sb)));
    }
    if (negative)
        *s = Neg(*s);
}

const double kTrigEps = 1.0 / 1.2089258196146292e24;  // 2^-80

// sin r (or cos r) for |r| <= 0.8 within *eps relative (for r as given).
// Below 1/16, sin r by SinCos. Else r = j/256 + b, |b| <= 2^-9, table S, C within 2^-104:
// sin r = S + C b + S (cos b - 1) + C (sin b - b), cos r = C - S b + C (cos b - 1) - S (sin b - b).
// b_h^2 is exact (TwoProd); cos b - 1 = -b_h^2/2 + [-b_h b_l + b_h^4/24 - ... + b_h^8/8!] (next
// term 2^-112), |cos b - 1| <= 2^-19, its low part within 2^-93; sin b - b = -b_h^3/6 + ... +
// b_h^7/7! - b_h^2 b_l/2 (next 2^-99), within 4u of its 2^-29.6: 2^-80.6. C b and S (cos b - 1)
// within 7u^2 (products), the leading parts summed exactly, the low ones (2^-29.5 at most)
// within 5u: 2^-81.2. Together 2^-80 absolute, of a result of at least 0.06 (sin, r >= 1/16) or
// 0.7 (cos): 2^-76 relative.
DD SinOrCos(DD r, bool cosine, double* eps) {
    const Tables& t = T();
    bool negative = r.hi < 0;
    if (negative)
        r = Neg(r);
    if (!cosine && r.hi < 0.0625) {
        DD s, c;
        SinCos(r, &s, &c);
        *eps = kTrigEps;
        return negative ? Neg(s) : s;
    }
    int j = static_cast<int>(r.hi * 256 + 0.5);
    DD b = j == 0 ? r : TwoSum(r.hi - j / 256.0, r.lo);
    double bh = b.hi;
    DD w = TwoProd(bh, bh);
    double h = w.hi;
    DD cm = FastTwoSum(-0.5 * h,
                       -0.5 * w.lo - bh * b.lo + h * h * (1.0 / 24 + h * (-1.0 / 720 + h * (1.0 / 40320))));
    double sm = bh * h * (-1.0 / 6 + h * (1.0 / 120 + h * (-1.0 / 5040))) - 0.5 * h * b.lo;
    const DD& sa = t.sinF[j];
    const DD& ca = t.cosF[j];
    DD lead = cosine ? ca : sa;
    DD t2 = cosine ? Neg(Mul(sa, b)) : Mul(ca, b);
    DD t3 = Mul(lead, cm);
    double t4 = cosine ? -sa.hi * sm : ca.hi * sm;
    DD s1 = TwoSum(lead.hi, t2.hi);
    DD s2 = TwoSum(s1.hi, t3.hi);
    double low = s1.lo + s2.lo + lead.lo + t2.lo + t3.lo + t4;
    *eps = 1.0 / 4.722366482869645e21;  // 2^-72
    DD v = FastTwoSum(s2.hi, low);
    return negative && !cosine ? Neg(v) : v;
}

// sin x (or cos x) from x = k pi/2 + r within *eps: the error of r moves sin r by err / |tan r|
// <= err / |r| relative, cos r by err |tan r| <= 1.01 err.
DD TrigOf(DD r, int q, double err, bool cosine, double* eps) {
    bool useCos = cosine != (q & 1);
    DD v = SinOrCos(r, useCos, eps);
    *eps += 1.01 * (useCos ? err : err / Abs(r.hi));
    bool negative = cosine ? q == 1 || q == 2 : q >= 2;
    return negative ? Neg(v) : v;
}

const double kTrigLimit = 1048576.0;  // 2^20

// sin x (cosine false) or cos x for 2^-30 <= |x| < 2^20.
FastValue FastTrig(double x, bool cosine) {
    if (!(Abs(x) < kTrigLimit && Abs(x) >= kTinyArgument))
        return kNotMade;
    double err, eps;
    int q;
    DD r = Reduce(x, &q, &err);
    DD v = TrigOf(r, q, err, cosine, &eps);
    return Made(v, eps);
}

// atan t for 2^-60 <= t.hi <= 2^60 (t within 2^-100 relative, normalised), within 2^-81
// relative, and that of t: atan's relative condition number t / ((1 + t^2) atan t) is below 1.
// Beyond 1, pi/2 - atan(1/t) (5u^2, no cancellation: the result is above pi/4). Then
// atan t = atan c + atan u, u = (t - c) / (1 + t c), c = j/64 nearest to t: t.hi - c is exact
// (Sterbenz), 1 + t c within 7u^2, the quotient 12u^2; |u| <= 2^-7 and the sum loses at most a
// factor 3 (j = 1, u < 0). atan u = u (1 - u^2/3 + ... - u^14/15) (next term below 2^-112): from
// u^4 in doubles, error under 2^-83, the rest in double-double, 2^-100. The table is within
// 2^-104.
DD AtanCore(DD t) {
    const Tables& tb = T();
    bool inverted = t.hi > 1;
    if (inverted)
        t = Inverse(t);
    int j = static_cast<int>(t.hi * 64 + 0.5);
    DD u = t;
    if (j != 0) {
        double c = j / 64.0;
        u = Div(TwoSum(t.hi - c, t.lo), Add(Mul(t, c), 1.0));
    }
    DD u2 = Mul(u, u);
    double h = u2.hi;
    double tail = 0.2 + h * (-1.0 / 7 + h * (1.0 / 9 + h * (-1.0 / 11 + h * (1.0 / 13 + h * (-1.0 / 15)))));
    DD p = Add(Mul(u2, tail), Neg(tb.third));
    DD a = Mul(Add(Mul(p, u2), 1.0), u);
    if (j != 0)
        a = Add(tb.atanT[j], a);
    return inverted ? Add(tb.halfPiDD, Neg(a)) : a;
}

const double kAtanEps = 1.0 / 3.0223145490365730e23;  // 2^-78

bool AtanRange(double t) {
    return t >= 8.673617379884035e-19 && t <= 1.152921504606847e18;  // 2^-60, 2^60
}

// atan(a / b) for a, b > 0 in [2^-500, 2^500] (so that no product of the division underflows),
// within 2^-80.
bool AtanOfRatio(double a, double b, DD* out) {
    if (!(a >= 3.054936363499605e-151 && a <= 3.273390607896142e150 && b >= 3.054936363499605e-151 &&
          b <= 3.273390607896142e150))
        return false;
    DD t = Div({a, 0}, {b, 0});
    if (!AtanRange(t.hi))
        return false;
    *out = AtanCore(t);
    return true;
}

// cosh x for |x| < 1/8 by its series 1 + x^2/2! + ... + x^20/20! (next term below 2^-115): from
// x^6/6! (at most 2^-27.5) in doubles, within 2^-80.5, the rest in double-double, 2^-99.
DD CoshSeries(double x) {
    const Tables& t = T();
    DD x2 = TwoProd(x, x);
    double h = x2.hi;
    double tail =
        1.0 / 720 +
        h * (1.0 / 40320 +
             h * (1.0 / 3628800 +
                  h * (1.0 / 479001600.0 +
                       h * (1.0 / 87178291200.0 +
                            h * (1.0 / 20922789888000.0 +
                                 h * (1.0 / 6402373705728000.0 + h * (1.0 / 2432902008176640000.0)))))));
    DD p = Add(Mul(x2, tail), t.twentyFourth);
    p = Add(Mul(p, x2), 0.5);
    return Add(Mul(p, x2), 1.0);
}

// sqrt(1 - x^2) as a double-double within 2^-100 relative for |x| < 1: (1 - |x|)(1 + |x|) from two
// exact sums and a product (7u^2), then a square root and one Newton step (under 2^-102).
DD Cosine(double x) {
    DD d = Mul(TwoSum(1, -Abs(x)), TwoSum(1, Abs(x)));
    double s = std::sqrt(d.hi);  // correctly rounded in every build
    DD e = Add(d, Neg(TwoProd(s, s)));
    return FastTwoSum(s, e.hi / (2 * s));
}

// A finite x > 0 other than 1.
bool LogArgument(double x) { return x > 0 && x <= 1.7976931348623157e308 && x != 1; }

}  // namespace

FastValue FastExp(double x) {
    if (!(Abs(x) <= 708))
        return kNotMade;
    int m;
    DD v = ExpCore({x, 0}, &m);
    return Made(v, kExpEps, m);  // normal: e^x >= 2^-1021
}

FastValue FastLog(double x) { return LogArgument(x) ? Made(LogCore(x), kLogEps) : kNotMade; }

FastValue FastLog10(double x) {
    if (!LogArgument(x))
        return kNotMade;
    const double eps = kLogEps + 1.5777218104420236e-30;  // 2^-99: the constant and the product
    return Made(Mul(LogCore(x), T().inverseLn10), eps);
}

// y log x within |y log x| (kLogEps + 3u^2); e^(d + delta) = e^d (1 + 1.01 delta) for
// |delta| < 0.01.
FastValue FastPow(double x, double y) {
    if (!LogArgument(x) || !(Abs(y) <= 1.7976931348623157e308))
        return kNotMade;
    DD p = Mul(LogCore(x), y);
    double argErr = 1.01 * Abs(p.hi) * (kLogEps + 9.860761315262648e-32);  // 2^-103
    if (!(Abs(p.hi) <= 708) || !(argErr < 1e-18))
        return kNotMade;
    int m;
    DD v = ExpCore(p, &m);
    return Made(v, 1.02 * argErr + kExpEps, m);
}

FastValue FastSinh(double x) {
    double ax = Abs(x);
    if (!(ax <= 708 && ax >= kTinyArgument))
        return kNotMade;
    if (ax > 40) {
        // e^-|x| is below 2^-115 of e^|x|: sinh x = e^|x| / 2 within that and 2^-77.5.
        int m;
        DD v = ExpCore({ax, 0}, &m);
        return Made(x < 0 ? Neg(v) : v, kExpEps, m - 1);
    }
    double eps;
    DD s = SinhCore(x, &eps);
    return Made(s, eps);
}

FastValue FastCosh(double x) {
    double ax = Abs(x);
    if (!(ax <= 708 && ax >= 7.450580596923828e-09))  // 2^-27: below, 1 + x^2/2 rounds to 1
        return kNotMade;
    int m;
    if (ax > 40) {
        DD v = ExpCore({ax, 0}, &m);
        return Made(v, kExpEps, m - 1);
    }
    // (e^x + e^-x) / 2: two positive parts within 2^-77.4.
    DD e, inverse;
    ExpPair(ax, &e, &inverse);
    return Made(Scale(Add(e, inverse), 0.5), kExpEps);
}

// Below 1/8, the two series' quotient: 2^-83 + 2^-80.5 + 12u^2. Above, with d = e^-2|x| within
// 2^-77.5 (|2x| <= 44, so d stays normal), (1 - d) / (1 + d): d <= e^-1/4, so 1 - d >= 0.22 and
// the cancellation grows d's error by at most 3.6: under 2^-75.5 with the quotient.
FastValue FastTanh(double x) {
    double ax = Abs(x);
    if (!(ax <= 22 && ax >= kTinyArgument))
        return kNotMade;
    DD v;
    double eps;
    if (ax < 0.125) {
        v = Div(SinhSeries(x), CoshSeries(x));
        eps = 1.0 / 1.5111572745182865e23;  // 2^-77
    } else {
        int m;
        DD d = ExpCore({-2 * ax, 0}, &m);
        d = Scale(d, Pow2(m));
        v = Div(Add(Neg(d), 1.0), Add(d, 1.0));
        if (x < 0)
            v = Neg(v);
        eps = 1.0 / 1.8889465931478581e22;  // 2^-74
    }
    return Made(v, eps);
}

FastValue FastSin(double x) { return FastTrig(x, false); }

FastValue FastCos(double x) { return FastTrig(x, true); }

// sin x / cos x: the two bounds and the quotient's 12u^2.
FastValue FastTan(double x) {
    if (!(Abs(x) < kTrigLimit && Abs(x) >= kTinyArgument))
        return kNotMade;
    double err, sinEps, cosEps;
    int q;
    DD r = Reduce(x, &q, &err);
    DD s = TrigOf(r, q, err, false, &sinEps);
    DD c = TrigOf(r, q, err, true, &cosEps);
    return Made(Div(s, c), sinEps + cosEps + 1.5777218104420236e-30);  // 2^-99
}

FastValue FastAtan(double x) {
    double ax = Abs(x);
    if (!AtanRange(ax))
        return kNotMade;
    DD a = AtanCore({ax, 0});
    return Made(x < 0 ? Neg(a) : a, kAtanEps);
}

// Beyond the first quadrant, pi - atan: above pi/2, no cancellation.
FastValue FastAtan2(double y, double x) {
    DD a;
    if (!AtanOfRatio(Abs(y), Abs(x), &a))
        return kNotMade;
    if (x < 0)
        a = Add(Scale(T().halfPiDD, 2), Neg(a));
    return Made(y < 0 ? Neg(a) : a, kAtanEps);
}

// asin x = atan(|x| / sqrt(1 - x^2)): the quotient within 2^-99, atan well conditioned.
FastValue FastAsin(double x) {
    if (!(Abs(x) < 1 && Abs(x) >= kTinyArgument))
        return kNotMade;
    DD c = Cosine(x);
    DD t = Div({Abs(x), 0}, c);
    if (!AtanRange(t.hi))
        return kNotMade;
    DD a = AtanCore(t);
    return Made(x < 0 ? Neg(a) : a, kAtanEps);
}

// acos x = atan(sqrt(1 - x^2) / |x|), or pi minus it for x < 0 (above pi/2).
FastValue FastAcos(double x) {
    if (!(Abs(x) < 1) || x == 0)
        return kNotMade;
    DD c = Cosine(x);
    DD t = Div(c, {Abs(x), 0});
    if (!AtanRange(t.hi))
        return kNotMade;
    DD a = AtanCore(t);
    if (x < 0)
        a = Add(Scale(T().halfPiDD, 2), Neg(a));
    return Made(a, kAtanEps);
}
