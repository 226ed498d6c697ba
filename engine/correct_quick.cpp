#include "engine/correct_quick.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/double_double.h"
#include "engine/math_tables.h"

// Bounds are absolute or relative as stated, u = 2^-53; each function hands the rounding test a
// bound at least twice the one its steps give.

namespace {

double Abs(double a) { return a < 0 ? -a : a; }

FastValue Made(DD v, double eps) {
    FastValue out;
    out.hi = v.hi;
    out.lo = v.lo;
    out.eps = eps;
    out.made = true;
    return out;
}

const FastValue kNotMade;

const double kQuickAtanEps = 6.776263578034403e-21;  // 2^-67

// t = a / b as a double-double within 2^-100 relative, for a, b in [2^-500, 2^500] (or a below
// 2^-500, where only the absolute error 2^-1000 counts), with 1 / b.hi rounded as `inverse`:
// t.hi = a.hi inverse is within 2u, the remainder a - t.hi b.hi is exact (TwoProd, Sterbenz), and
// t.lo its quotient within 3u of itself.
DD Ratio(DD a, DD b, double inverse) {
    double th = a.hi * inverse;
    DD p = TwoProd(th, b.hi);
    return {th, ((((a.hi - p.hi) - p.lo) + a.lo) - th * b.lo) * inverse};
}

// atan t for t = t.hi + t.lo in [0, 1 + 2^-50], |t.lo| <= 2^-51 t.hi, within 2^-68.5 relative
// (2^-77.5 absolute) of atan(t.hi + t.lo).
// With c = j/256 nearest to t, atan t = atan c + atan u, u = (t - c) / (1 + t c), |u| <= 2^-9
// (1 + 2^-49). t - c = (t.hi - c) + t.lo exactly (Sterbenz). t1 = t.hi to a multiple of 2^-18
// makes 1 + t1 c exact with 27 bits, so that its product with the halves of a Split is exact;
// d = 1 + t1 c + (t.hi - t1 + t.lo) c within 2^-71 relative. u_h = (t.hi - c) / d within 2u,
// u_l = (t - c - u_h d) / d from the exact u_h (1 + t1 c) and u_h times the rest rounded: u within
// 2^-70 relative, 2^-79 absolute.
// atan u - u = u^3 (-1/3 + u^2/5 - u^4/7) (next term below 2^-84.2) in doubles from u_h + u_l
// rounded: at most 2^-28.6, within 5u of it (2^-79.3), and the rounding of u moves it by u^2 u u
// (2^-80). The table is within 2^-106; the sum of the low parts within u (2^-28.6 + 2^-51):
// 2^-81.6. Absolute error under 2^-77.5: at most 2^-68.5 of atan t >= 2^-9 (j >= 1); for j = 0,
// u = t exactly and the same steps give 7u t^2/3 < 2^-69.8 relative.
DD AtanCore(DD t) {
    int j = static_cast<int>(t.hi * 256 + 0.5);
    double c = j * 0.00390625;
    double t1 = (t.hi + 17179869184.0) - 17179869184.0;  // 2^34
    double dh = 1 + t1 * c;
    double dl = ((t.hi - t1) + t.lo) * c;
    double inverse = 1 / (dh + dl);
    double nh = t.hi - c;
    double uh = nh * inverse;
    DD us = Split(uh);
    double ph = uh * dh;
    double pl = (us.hi * dh - ph) + us.lo * dh;
    double ul = ((((nh - ph) - pl) + t.lo) - uh * dl) * inverse;
    double u = uh + ul, z = u * u;
    double poly = u * z * (-0.3333333333333333 + z * (0.2 + z * -0.14285714285714285));
    const DD& table = kAtanTable[j];
    DD s = FastTwoSum(table.hi, uh);
    return FastTwoSum(s.hi, ((s.lo + table.lo) + ul) + poly);
}

// k pi/2 + sign atan, k = 1 or 2, within 2^-68.5 relative: atan <= pi/4 carries its absolute error
// 2^-68.5 pi/4 into a result of at least pi/4; the constant and the sums add 2^-104.
DD FromQuarter(int k, double sign, DD atan) {
    const DD& m = kPiMultiples[k - 1];
    DD s = TwoSum(m.hi, sign * atan.hi);
    return FastTwoSum(s.hi, (s.lo + m.lo) + sign * atan.lo);
}

DD Negate(DD a, bool negative) { return negative ? DD{-a.hi, -a.lo} : a; }

bool Moderate(double a) {
    return a >= 3.054936363499605e-151 && a <= 3.273390607896142e150;
}  // 2^-500, 2^500

// sqrt(1 - x^2) for |x| < 1 as a double-double within 2^-100 relative, and 1 / its hi rounded:
// 1 - x^2 is exact as a double-double, from 1 - |x| (exact above 1/2) times 1 + |x|, or from x^2
// below 1/2; then the rounded square root and one Newton step.
DD Cosine(double ax, double* inverse) {
    DD d;
    if (ax >= 0.5) {
        double m = 1 - ax;
        DD p = FastTwoSum(1, ax);
        DD q = TwoProd(m, p.hi);
        d = FastTwoSum(q.hi, q.lo + m * p.lo);
    } else {
        DD q = TwoProd(ax, ax);
        d = FastTwoSum(1, -q.hi);
        d.lo -= q.lo;
    }
    double s = std::sqrt(d.hi);  // correctly rounded in every build
    *inverse = 1 / s;
    DD r = TwoProd(s, s);
    return {s, (((d.hi - r.hi) - r.lo) + d.lo) * (0.5 * *inverse)};
}

const double kQuickLogEps = 6.776263578034403e-21;  // 2^-67

// log x for a finite x > 0, x != 1, within 2^-68.4 relative.
// x = 2^e m, m in [1, 2); from i = 256 on (m >= 1.5), x = 2^(e+1) (m/2). R = R_i has 10 bits and
// m_h = m to a multiple of 2^-41 has 42, so m_h R is exact and so is m_h R - 1 (Sterbenz), and
// (m - m_h) R: z = m R - 1 exactly, |z| <= 2^-9 (the table's ends make z = m - 1 and m/2 - 1).
// log x = E ln2 + L_i + z - z^2/2 + z^3 (1/3 - z/4 + ... - z^5/8) (next term below 2^-84.2 and
// 2^-75 of z): z_h^2 is exact (TwoProd), E ln2_h exact (42 bits), the leading parts are summed
// exactly (TwoSum) and the low ones (at most 2^-28.5) within 8u of their size: 2^-78.5. The
// polynomial's tail (at most 2^-28.6) is within 5u of itself, ln2's rest within 2^-86 and the
// table within 2^-106. With E = 0 and L_i = 0, |log x| ~ |z|, and the errors scale with z^2: at
// most 2^-69.3 + 2^-69.6 + 2^-75 of log x; else |log x| >= 2^-9.1: under 2^-69.3.
DD LogCore(double x) {
    int e;
    uint64_t bits;
    double m = Decompose(x, &e, &bits);
    int i = static_cast<int>((bits >> 43) & 511);
    if (i >= 256)
        ++e;
    double r = kLogReciprocal[i];
    double mh = (m + 2048.0) - 2048.0;
    DD z = TwoSum(mh * r - 1, (m - mh) * r);
    DD q = TwoProd(z.hi, z.hi);
    double h = z.hi;
    double tail =
        h * q.hi *
        (0.3333333333333333 +
         h * (-0.25 + h * (0.2 + h * (-0.16666666666666666 + h * (0.14285714285714285 + h * -0.125)))));
    double de = e;
    const DD& l = kLogMinusLog[i];
    DD s = TwoSum(de * kLn2.hi, l.hi);
    DD t = TwoSum(s.hi, h);
    DD u = TwoSum(t.hi, -0.5 * q.hi);
    double low = ((((((s.lo + t.lo) + u.lo) + de * kLn2.lo) + l.lo) + z.lo) - 0.5 * q.lo - h * z.lo) + tail;
    return FastTwoSum(u.hi, low);
}

DD Times(DD a, DD b) {
    DD p = TwoProd(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

const double kQuickExpEps = 6.776263578034403e-21;  // 2^-67

// e^x within 2^-68.2 relative as 2^m times the result, for |x| <= 708.
// x = n ln2/128 + r, n = 128 m + j, |n| < 2^17, |r| <= 2^-8.5: n times the 35 bits of ln2/128 is
// exact and so is x minus it (Sterbenz); the rest of ln2/128 (2^-96 left) times n is within
// 2^-78.5 and r = r_h + r_l exactly from there (TwoSum). e^r = 1 + r_h + q, q = r_l + r_h^2 (1/2
// + r_h/6 + ... + r_h^4/720) (next term below 2^-72), at most 2^-18.06 and within 4u of itself
// (2^-69.1). T = 2^(j/128) within 2^-106; T_h r_h is exact (TwoProd), T_h q within u 2^-17
// (relative to T, 2^-71), and the last sum of the low parts, at most 2^-17, within 2^-70.
DD ExpCore(double x, int* m) {
    double n = (x * 184.6649652337873 + 6755399441055744.0) - 6755399441055744.0;  // 128 / ln 2, 1.5 2^52
    DD r = TwoSum(x - n * kLn2By128.hi, -n * kLn2By128.lo);
    double h = r.hi;
    double q =
        r.lo +
        h * h *
            (0.5 + h * (0.16666666666666666 +
                        h * (0.041666666666666664 + h * (0.008333333333333333 + h * 0.001388888888888889))));
    int whole = static_cast<int>(n);
    int j = whole & 127;
    *m = (whole - j) / 128;
    const DD& t = kExp2Table[j];
    DD p = TwoProd(t.hi, h);
    DD s = FastTwoSum(t.hi, p.hi);
    return FastTwoSum(s.hi, (((s.lo + p.lo) + t.lo) + t.lo * (h + q)) + t.hi * q);
}

// (e^|x| +- e^-|x|) / 2 for |x| <= 708 as 2^(*m - 1) times the result, the two parts by ExpCore,
// each within 2^-68.2; beyond 40, e^-|x| is below 2^-115 of e^|x| and left out. The scaling of
// the smaller part by 2^(m2 - m) (at least 2^-117) is exact, and the sums add 2^-104.
DD ExpPair(double ax, double sign, int* m) {
    DD a = ExpCore(ax, m);
    if (ax > 40)
        return a;
    int m2;
    DD b = ExpCore(-ax, &m2);
    double scale = sign * std::ldexp(1.0, m2 - *m);
    DD s = TwoSum(a.hi, b.hi * scale);
    return FastTwoSum(s.hi, (s.lo + a.lo) + b.lo * scale);
}

bool LogArgument(double x) { return x > 0 && x <= 1.7976931348623157e308 && x != 1; }

}  // namespace

// For |x| <= 1 directly; beyond, pi/2 - atan(1 / |x|).
FastValue QuickAtan(double x) {
    double ax = Abs(x);
    if (!(ax >= kTinyArgument && ax <= 3.273390607896142e150))
        return kNotMade;
    DD a = ax <= 1 ? AtanCore({ax, 0}) : FromQuarter(1, -1, AtanCore(Ratio({1, 0}, {ax, 0}, 1 / ax)));
    return Made(Negate(a, x < 0), kQuickAtanEps);
}

// The smaller of |y| and |x| over the larger; the quadrant's multiple of pi/2 added after.
FastValue QuickAtan2(double y, double x) {
    double ay = Abs(y), ax = Abs(x);
    if (!Moderate(ay) || !Moderate(ax))
        return kNotMade;
    DD a;
    if (ay <= ax) {
        a = AtanCore(Ratio({ay, 0}, {ax, 0}, 1 / ax));
        if (!(a.hi >= 2.4099198651028841e-181))  // 2^-600: the bound's product stays normal
            return kNotMade;
        if (x < 0)
            a = FromQuarter(2, -1, a);
    } else {
        a = FromQuarter(1, x < 0 ? 1 : -1, AtanCore(Ratio({ax, 0}, {ay, 0}, 1 / ay)));
    }
    return Made(Negate(a, y < 0), kQuickAtanEps);
}

// asin x = atan(|x| / sqrt(1 - x^2)), or pi/2 - atan(sqrt(1 - x^2) / |x|) above 1/sqrt 2; the
// ratio's 2^-100 passes through atan, whose condition number is below 1.
FastValue QuickAsin(double x) {
    double ax = Abs(x);
    if (!(ax >= kTinyArgument && ax < 1))
        return kNotMade;
    double inverse;
    DD c = Cosine(ax, &inverse);
    DD a = ax <= c.hi ? AtanCore(Ratio({ax, 0}, c, inverse))
                      : FromQuarter(1, -1, AtanCore(Ratio(c, {ax, 0}, 1 / ax)));
    return Made(Negate(a, x < 0), kQuickAtanEps);
}

// acos |x| = atan(sqrt(1 - x^2) / |x|), or pi/2 - atan(|x| / sqrt(1 - x^2)) below 1/sqrt 2;
// acos x = pi - acos |x| for x < 0.
FastValue QuickAcos(double x) {
    double ax = Abs(x);
    if (!(ax < 1))
        return kNotMade;
    double inverse;
    DD c = Cosine(ax, &inverse);
    DD a;
    if (ax >= c.hi) {
        a = AtanCore(Ratio(c, {ax, 0}, 1 / ax));
        if (x < 0)
            a = FromQuarter(2, -1, a);
    } else {
        a = FromQuarter(1, x < 0 ? 1 : -1, AtanCore(Ratio({ax, 0}, c, inverse)));
    }
    return Made(a, kQuickAtanEps);
}

FastValue QuickLog(double x) { return LogArgument(x) ? Made(LogCore(x), kQuickLogEps) : kNotMade; }

// The product by 1 / ln 10 adds 2^-102.
FastValue QuickLog10(double x) {
    return LogArgument(x) ? Made(Times(LogCore(x), kInverseLn10), kQuickLogEps) : kNotMade;
}

FastValue QuickExp(double x) {
    if (!(Abs(x) <= 708))
        return kNotMade;
    int m;
    FastValue v = Made(ExpCore(x, &m), kQuickExpEps);
    v.scale = m;  // normal: e^x >= 2^-1021
    return v;
}

// Both parts positive: the sum keeps their 2^-68.2.
FastValue QuickCosh(double x) {
    double ax = Abs(x);
    if (!(ax <= 708 && ax >= 7.450580596923828e-09))  // 2^-27: below, 1 + x^2/2 rounds to 1
        return kNotMade;
    int m;
    FastValue v = Made(ExpPair(ax, 1, &m), kQuickExpEps);
    v.scale = m - 1;
    return v;
}

// From 1/2 on the difference loses at most coth(1/2) < 2.17: within 2^-67.1.
FastValue QuickSinh(double x) {
    double ax = Abs(x);
    if (!(ax <= 708 && ax >= 0.5))
        return kNotMade;
    int m;
    FastValue v = Made(Negate(ExpPair(ax, -1, &m), x < 0), 2 * kQuickExpEps);
    v.scale = m - 1;
    return v;
}
