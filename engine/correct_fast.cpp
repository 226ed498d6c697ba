#include "engine/correct_fast.h"

#include <cstdint>
#include <cstring>

#include "engine/correct_slow.h"

// Error bounds are relative, in units of u = 2^-53. The double-double operations below have the
// published bounds (Joldes, Muller, Popescu 2017): sums 3u^2 (2u^2 with one double), products
// 7u^2 (3u^2 with one double); a quotient by the two-step long division stays below 16u^2.
// Each function states the bound its own steps give, then hands the rounding test a bound about
// 2^6 wider: an argument lost in the margin costs only a call of the precise path.

namespace {

struct DD {
    double hi, lo;
};

DD TwoSum(double a, double b) {
    double s = a + b;
    double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

DD FastTwoSum(double a, double b) {  // |a| >= |b| or a == 0
    double s = a + b;
    return {s, b - (s - a)};
}

// a * b exactly, by Veltkamp's splitting (no fused multiply-add), for |a|, |b| below 2^995.
DD TwoProd(double a, double b) {
    const double c = 134217729.0;  // 2^27 + 1
    double t = c * a, ah = t - (t - a), al = a - ah;
    t = c * b;
    double bh = t - (t - b), bl = b - bh;
    double p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD Neg(DD a) {
    return {-a.hi, -a.lo};
}

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

DD Div(DD a, DD b) {
    double q1 = a.hi / b.hi;
    DD r = Add(a, Neg(Mul(b, q1)));
    double q2 = r.hi / b.hi;
    r = Add(r, Neg(Mul(b, q2)));
    double q3 = r.hi / b.hi;
    return Add(FastTwoSum(q1, q2), q3);
}

DD Scale(DD a, double twoToK) {
    return {a.hi * twoToK, a.lo * twoToK};
}

// 2^k for -1022 <= k <= 1023.
double Pow2(int k) {
    uint64_t bits = static_cast<uint64_t>(k + 1023) << 52;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double Abs(double a) {
    return a < 0 ? -a : a;
}

const double kU = 1.1102230246251565e-16;  // 2^-53
const double kShifter = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to a whole number

// The rounding test: v (normalised) is within eps |v.hi| of the exact value, eps >= 2^-104. The
// two ends are widened to 2 eps, which covers the rounding of v.lo +- e (under 2^-105 |v.hi|);
// rounding to nearest is monotonic, so equal ends mean every value between rounds alike.
bool Decide(DD v, double eps, double* out) {
    double e = 2 * eps * Abs(v.hi);
    double a = v.hi + (v.lo - e), b = v.hi + (v.lo + e);
    if (a != b)
        return false;
    *out = a;
    return true;
}

DD FromParts(const double parts[2]) {
    return {parts[0], parts[1]};
}

DD Inverse(double n) {
    return Div({1, 0}, {n, 0});
}

struct Tables {
    DD exp2[128];          // 2^(j/128)
    double ln2Part[3];     // ln 2 / 128: the first 35 bits, the next 53, the next 53
    DD ln2;
    double logR[96];       // about 1 / (0.75 + (j + 0.5) / 128), 1 near 1
    DD logL[96];           // -log logR[j]
    double halfPi[3];
    DD sinT[52], cosT[52];  // sin(j/64), cos(j/64)
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
        SlowConstantParts(SlowConstant::Ln2, 53, parts, 2);
        ln2 = FromParts(parts);
        for (int j = 0; j < 96; ++j) {
            if (j == 31 || j == 32) {
                logR[j] = 1;
                logL[j] = {0, 0};
                continue;
            }
            logR[j] = 1 / (0.75 + (j + 0.5) / 128);
            SlowLogParts(logR[j], parts);
            logL[j] = Neg(FromParts(parts));
        }
        SlowConstantParts(SlowConstant::HalfPi, 53, halfPi, 3);
        for (int j = 0; j < 52; ++j) {
            SlowSinCosParts(j / 64.0, parts, cosParts);
            sinT[j] = FromParts(parts);
            cosT[j] = FromParts(cosParts);
        }
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

// e^x = 2^m * the result, for |x.hi| <= 708 and |x.lo| <= u |x.hi|; the result lies in
// [0.99, 2.01] within 2^-98 relative of e^(x.hi + x.lo).
// x = N ln2/128 + r with N = 128 m + j, |N| < 2^17 and |r| <= ln2/256 (1 + 2^-40): the first
// part of ln2/128 has 35 bits, so N times it is exact and so is x.hi minus that (Sterbenz);
// N times the second part is exact (TwoProd), the third is 2^-95, so the rounding of N times it
// and the 2^-148 left of ln2/128 give under 2^-128 absolute; the two sums add 3u^2 |r|.
// e^r = 1 + r + ... + r^10/10! (next term below 2^-118): the terms from r^5 in doubles, whose
// error is under 2^-100, the rest in double-double (five products and sums, 2^-101 each); the
// table is within 2^-104 and the last product 7u^2: together under 2^-98.
DD ExpCore(DD x, int* m) {
    const Tables& t = T();
    double n = (x.hi * 184.6649652337873 + kShifter) - kShifter;  // 128 / ln 2
    double a = x.hi - n * t.ln2Part[0];
    DD p2 = TwoProd(n, t.ln2Part[1]);
    DD r = Add(TwoSum(a, -p2.hi), TwoSum(x.lo, -p2.lo));
    r = Add(r, -n * t.ln2Part[2]);
    double h = r.hi;
    double tail = 1.0 / 120 + h * (1.0 / 720 + h * (1.0 / 5040 + h * (1.0 / 40320 + h * (1.0 / 362880 +
                                                                                      h * (1.0 / 3628800)))));
    DD p = Add(Mul(r, tail), t.twentyFourth);
    p = Add(Mul(p, r), t.sixth);
    p = Add(Mul(p, r), 0.5);
    p = Add(Mul(p, r), 1.0);
    p = Add(Mul(p, r), 1.0);
    int whole = static_cast<int>(n);
    int j = static_cast<int>(static_cast<unsigned>(whole) & 127u);
    *m = (whole - j) / 128;
    return Mul(t.exp2[j], p);
}

// log x for a finite x > 0, x != 1, within *err absolute.
// x = 2^e m, m in [0.75, 1.5), m = c (1 + z) with 1/c = logR[j] a double, so that m logR[j]
// = 1 + z exactly (TwoProd, then Sterbenz for the subtraction of 1), |z| <= 2^-7.
// log(1 + z) = z - z^2/2 + ... - z^16/16 (next term below 2^-120 |z|): the terms from z^6 in
// doubles, error under 2^-89 |z|, the rest in double-double, 2^-100 |z|. The table is within
// 2^-104 |L|, e ln 2 within 2^-105 |e|, the two sums within 3u^2 of their sums: the bound
// below holds with 2^4 to spare.
DD LogCore(double x, double* err) {
    const Tables& t = T();
    int e = 0;
    if (x < 2.2250738585072014e-308) {
        x *= 18014398509481984.0;  // 2^54
        e = -54;
    }
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    e += static_cast<int>(bits >> 52) - 1023;
    bits = (bits & ((1ull << 52) - 1)) | (1023ull << 52);
    double m;
    std::memcpy(&m, &bits, sizeof m);
    if (m >= 1.5) {
        m *= 0.5;
        ++e;
    }
    int j = static_cast<int>((m - 0.75) * 128);
    DD z;
    if (t.logR[j] == 1) {
        z = {m - 1, 0};
    } else {
        DD p = TwoProd(m, t.logR[j]);
        z = TwoSum(p.hi - 1, p.lo);
    }
    double h = z.hi;
    double tail = -1.0 / 6 + h * (1.0 / 7 + h * (-1.0 / 8 + h * (1.0 / 9 + h * (-1.0 / 10 + h * (1.0 / 11 +
                  h * (-1.0 / 12 + h * (1.0 / 13 + h * (-1.0 / 14 + h * (1.0 / 15 + h * (-1.0 / 16))))))))));
    DD p = Add(Mul(z, tail), t.fifth);
    p = Add(Mul(p, z), -0.25);
    p = Add(Mul(p, z), t.third);
    p = Add(Mul(p, z), -0.5);
    p = Add(Mul(p, z), 1.0);
    p = Mul(p, z);
    double de = e;
    DD sum = TwoProd(de, t.ln2.hi);
    sum.lo += de * t.ln2.lo;
    sum = Add(Add(sum, t.logL[j]), p);
    *err = 1.262177448353619e-29 * (Abs(de) + 4 * Abs(t.logL[j].hi) + Abs(sum.hi)) +  // 2^-96
           1.292469707114106e-26 * Abs(h);                                              // 2^-86
    return sum;
}

// e^|x| = 2^m v, v within 2^-98: the reciprocal too, as plain double-doubles, for |x| <= 40.
void ExpPair(double ax, DD* e, DD* inverse) {
    int m;
    DD v = ExpCore({ax, 0}, &m);
    *e = Scale(v, Pow2(m));
    *inverse = Div({1, 0}, *e);
}

// sinh x for |x| < 1/8 by its series x (1 + x^2/3! + ... + x^20/21!) (the next term is below
// 2^-110): from x^6/7! in doubles, error under 2^-101, the rest in double-double: under 2^-99.
DD SinhSeries(double x) {
    const Tables& t = T();
    DD x2 = TwoProd(x, x);
    double h = x2.hi;
    double tail = 1.0 / 5040 + h * (1.0 / 362880 + h * (1.0 / 39916800 + h * (1.0 / 6227020800.0 +
                  h * (1.0 / 1307674368000.0 + h * (1.0 / 355687428096000.0 +
                  h * (1.0 / 121645100408832000.0 + h * (1.0 / 51090942171709440000.0)))))));
    DD p = Add(Mul(x2, tail), t.oneTwentieth);
    p = Add(Mul(p, x2), t.sixth);
    p = Add(Mul(p, x2), 1.0);
    return Mul(p, x);
}

// sinh x as a double-double within *eps relative, for 2^-30 <= |x| <= 40: the series below 1/8;
// above, (e^x - e^-x) / 2, where the two parts' 2^-97 grows by coth |x| <= 8.1: under 2^-93.
DD SinhCore(double x, double* eps) {
    if (Abs(x) < 0.125) {
        *eps = 1.0 / 9.9035203142830422e27;  // 2^-93
        return SinhSeries(x);
    }
    DD e, inverse;
    ExpPair(Abs(x), &e, &inverse);
    DD s = Scale(Add(e, Neg(inverse)), 0.5);
    *eps = 1.0 / 3.0948500982134507e26;  // 2^-88
    return x < 0 ? Neg(s) : s;
}

// x = k pi/2 + r, |r| <= pi/4 + 2^-30, for |x| < 2^20, r within *err absolute; the quadrant is
// k mod 4. pi/2 is three doubles (2^-159 left): k times the first is exact (TwoProd) and so is
// x minus its leading part (Sterbenz); k times the second is exact, times the third it is off by
// under 2^-139; the two sums add 3u^2 each of a value within 2^-86 of |r|.
DD Reduce(double x, int* quadrant, double* err) {
    const Tables& t = T();
    double k = (x * 0.6366197723675814 + kShifter) - kShifter;
    *quadrant = static_cast<int>(static_cast<uint64_t>(static_cast<int64_t>(k)) & 3);
    if (k == 0) {
        *err = 0;
        return {x, 0};
    }
    DD p1 = TwoProd(k, t.halfPi[0]);
    DD r = TwoSum(x - p1.hi, -p1.lo);
    DD p2 = TwoProd(k, t.halfPi[1]);
    r = Add(r, Neg(p2));
    r = Add(r, -k * t.halfPi[2]);
    *err = 1.9721522630525295e-31 * Abs(r.hi) + 5.877471754111438e-39;  // 2^-102 |r| + 2^-127
    return r;
}

// sin r and cos r for |r| <= 0.8, each within 2^-98 relative: r = j/64 + b, |b| <= 1/128, the
// table within 2^-104; sin b = b (1 - b^2/3! + ... - b^10/11!) and cos b = 1 - b^2/2 + ... +
// b^12/12! (next terms below 2^-115): from b^6 in doubles, error under 2^-104, the rest in
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
    double ts = -1.0 / 5040 + h * (1.0 / 362880 + h * (-1.0 / 39916800 + h * (1.0 / 6227020800.0)));
    DD p = Add(Mul(b2, ts), t.oneTwentieth);
    p = Add(Mul(p, b2), Neg(t.sixth));
    p = Add(Mul(p, b2), 1.0);
    DD sb = Mul(p, b);
    double tc = -1.0 / 720 + h * (1.0 / 40320 + h * (-1.0 / 3628800 + h * (1.0 / 479001600)));
    p = Add(Mul(b2, tc), t.twentyFourth);
    p = Add(Mul(p, b2), -0.5);
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

const double kTrigEps = 5.048709793414476e-29;  // 2^-94

// sin r within *sinEps and cos r within *cosEps: the error of r moves sin r by err / |tan r| <=
// err / |r| relative, cos r by err |tan r| <= 1.01 err.
void TrigOf(double x, DD* s, DD* c, double* sinEps, double* cosEps, int* quadrant) {
    double err;
    DD r = Reduce(x, quadrant, &err);
    SinCos(r, s, c);
    *sinEps = kTrigEps + 1.01 * err / Abs(r.hi);
    *cosEps = kTrigEps + 1.01 * err;
}

const double kTrigLimit = 1048576.0;  // 2^20

}  // namespace

bool FastExp(double x, double* out) {
    if (!(Abs(x) <= 708))
        return false;
    int m;
    DD v = ExpCore({x, 0}, &m);
    double r;
    if (!Decide(v, 1.0 / 4.9517601571415211e27, &r))  // 2^-92
        return false;
    *out = r * Pow2(m);  // normal: e^x >= 2^-1021
    return true;
}

bool FastLog(double x, double* out) {
    double err;
    DD v = LogCore(x, &err);
    return Decide(v, 1.01 * err / Abs(v.hi), out);
}

bool FastLog10(double x, double* out) {
    double err;
    DD v = LogCore(x, &err);
    double eps = 1.01 * err / Abs(v.hi) + 1.5777218104420236e-30;  // 2^-99: the constant and product
    return Decide(Mul(v, T().inverseLn10), eps, out);
}

// y log x within |y| err + 7u^2 |y log x|; e^(d + delta) = e^d (1 + 1.01 delta) for |delta| < 0.01.
bool FastPow(double x, double y, double* out) {
    double err;
    DD lg = LogCore(x, &err);
    DD p = Mul(lg, y);
    double argErr = 1.01 * Abs(y) * err + 9.860761315262648e-32 * Abs(p.hi);  // 2^-103
    if (!(Abs(p.hi) <= 708) || !(argErr < 1e-18))
        return false;
    int m;
    DD v = ExpCore(p, &m);
    double r;
    if (!Decide(v, 1.02 * argErr + 1.0 / 4.9517601571415211e27, &r))  // 2^-92
        return false;
    *out = r * Pow2(m);
    return true;
}

bool FastSinh(double x, double* out) {
    double ax = Abs(x);
    if (ax > 708)
        return false;
    if (ax > 40) {
        // e^-|x| is below 2^-115 of e^|x|: sinh x = e^|x| / 2 within that and 2^-98.
        int m;
        DD v = ExpCore({ax, 0}, &m);
        double r;
        if (!Decide(v, 1.0 / 4.9517601571415211e27, &r))
            return false;
        *out = (x < 0 ? -r : r) * Pow2(m - 1);
        return true;
    }
    double eps;
    DD s = SinhCore(x, &eps);
    return Decide(s, eps, out);
}

bool FastCosh(double x, double* out) {
    double ax = Abs(x);
    if (ax > 708)
        return false;
    int m;
    if (ax > 40) {
        DD v = ExpCore({ax, 0}, &m);
        double r;
        if (!Decide(v, 1.0 / 4.9517601571415211e27, &r))
            return false;
        *out = r * Pow2(m - 1);
        return true;
    }
    // (e^x + e^-x) / 2: two positive parts within 2^-97.
    DD e, inverse;
    ExpPair(ax, &e, &inverse);
    return Decide(Scale(Add(e, inverse), 0.5), 1.0 / 1.2379400392853803e27, out);  // 2^-90
}

// sinh x / cosh x: 2^-88 and 2^-97, and the quotient's 16u^2.
bool FastTanh(double x, double* out) {
    double eps;
    DD s = SinhCore(x, &eps);
    DD e, inverse;
    ExpPair(Abs(x), &e, &inverse);
    DD c = Scale(Add(e, inverse), 0.5);
    return Decide(Div(s, c), eps + 1.0 / 1.2379400392853803e27, out);  // 2^-90
}

bool FastSin(double x, double* out) {
    if (!(Abs(x) < kTrigLimit))
        return false;
    DD s, c;
    double sinEps, cosEps;
    int q;
    TrigOf(x, &s, &c, &sinEps, &cosEps, &q);
    DD v = q & 1 ? c : s;
    return Decide(q >= 2 ? Neg(v) : v, q & 1 ? cosEps : sinEps, out);
}

bool FastCos(double x, double* out) {
    if (!(Abs(x) < kTrigLimit))
        return false;
    DD s, c;
    double sinEps, cosEps;
    int q;
    TrigOf(x, &s, &c, &sinEps, &cosEps, &q);
    DD v = q & 1 ? s : c;
    return Decide(q == 1 || q == 2 ? Neg(v) : v, q & 1 ? sinEps : cosEps, out);
}

bool FastTan(double x, double* out) {
    if (!(Abs(x) < kTrigLimit))
        return false;
    DD s, c;
    double sinEps, cosEps;
    int q;
    TrigOf(x, &s, &c, &sinEps, &cosEps, &q);
    DD v = q & 1 ? Neg(Div(c, s)) : Div(s, c);
    return Decide(v, sinEps + cosEps + 1.5777218104420236e-30, out);  // 2^-99: the quotient
}
