#include "engine/correct_slow.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/exact_float.h"

namespace {

constexpr int N = kFixedMaxWords;
// Words per attempt: 128, 256, 512, 1024 and 2048 bits of fraction.
constexpr int kLevels[] = {3, 5, 9, 17, 33};
// A generous bound, in units of the last word, for the error of each function's evaluation
// before any amplification that the function itself accounts for.
constexpr double kErr = 1048576.0;

// sum (-1)^j / ((2j + 1) k^(2j + 1)), or without the signs: atan(1/k), atanh(1/k).
Fixed InverseSeries(uint64_t k, bool alternate) {
    Fixed power = FixedDivInt(FixedInt(1, N), k);
    Fixed sum = power;
    for (uint64_t j = 1;; ++j) {
        power = FixedDivInt(power, k * k);
        if (FixedZero(power))
            break;
        Fixed term = FixedDivInt(power, 2 * j + 1);
        sum = alternate && j % 2 ? FixedSub(sum, term) : FixedAdd(sum, term);
    }
    return sum;
}

struct Constants {
    Fixed pi, halfPi, ln2, inverseLn10, twoOverPi;
    Constants() {
        pi = FixedSub(FixedMulInt(InverseSeries(5, true), 16), FixedMulInt(InverseSeries(239, true), 4));
        halfPi = FixedShift(pi, -1);
        ln2 = FixedMulInt(InverseSeries(3, false), 2);
        Fixed ln10 = FixedAdd(FixedMulInt(ln2, 3), FixedMulInt(InverseSeries(9, false), 2));
        inverseLn10 = FixedReciprocal(ln10);
        twoOverPi = FixedShift(FixedReciprocal(pi), 1);
    }
};

const Constants& K() {
    static const Constants constants;
    return constants;
}

Fixed At(const Fixed& c, int n) { return FixedResize(c, n); }

struct Approx {
    Fixed v;
    int scale = 0;      // the value is v * 2^scale
    double err = kErr;  // in units of v's last word
};

// Bit `bit` of the magnitude words m (0 beyond them).
bool Bit(const Fixed& m, int bit) {
    if (bit < 0 || bit >= 64 * m.n)
        return false;
    return (m.w[bit / 64] >> (bit % 64)) & 1;
}

// The nearest double to a.v * 2^a.scale when every value within a.err rounds the same way.
// With `last`, a value within the error of a midpoint goes to the neighbour nearer zero.
bool Round(const Approx& a, double* out, bool last = false) {
    bool negative = FixedNegative(a.v);
    Fixed m = FixedAbs(a.v);
    if (!(a.err < 1e300))
        return false;
    int top = 64 * m.n - 1;
    while (top >= 0 && !Bit(m, top))
        --top;
    if (top < 0)
        return false;
    int unit = a.scale - 64 * (m.n - 1);  // the weight of m's bit 0 is 2^unit
    int e = top + unit;
    if (e > 1023) {
        *out = negative ? -INFINITY : INFINITY;
        return true;
    }
    int q = e - 52 < -1074 ? -1074 : e - 52;
    int s = q - unit;  // m's bit s weighs one unit in the last place of the result
    if (s < 8)
        return false;
    if (s > 64 * m.n + 64) {
        *out = negative ? -0.0 : 0.0;
        return true;
    }
    uint64_t whole[2];
    FixedBits(m.w, m.n, s, 64, whole);
    bool up = Bit(m, s - 1);
    // Below the half-unit bit: its distance from the midpoint, complemented when below it.
    uint64_t below[kFixedMaxWords + 2];
    int count = s - 1, words = (count + 63) / 64;
    FixedBits(m.w, m.n, 0, count, below);
    if (!up) {
        for (int i = 0; i < words; ++i)
            below[i] = ~below[i];
        if (count % 64)
            below[words - 1] &= (1ull << (count % 64)) - 1;
    }
    bool far;
    if (a.err < 9e18) {
        uint64_t err = static_cast<uint64_t>(a.err) + 1;
        far = below[0] >= err;
        for (int i = 1; i < words && !far; ++i)
            far = below[i] != 0;
    } else {
        // A large bound (a quotient by a value near zero): the distance's leading words suffice.
        double distance = 0;
        for (int i = words - 1; i >= 0; --i)
            distance += std::ldexp(static_cast<double>(below[i]), 64 * i);
        far = distance > a.err * 1.000001;
    }
    if (!far && !last)
        return false;
    uint64_t units = whole[0] + (up && far ? 1 : 0);
    uint64_t bits = (static_cast<uint64_t>(q + 1074) << 52) + units;
    if (bits >= 0x7FF0000000000000ull)
        bits = 0x7FF0000000000000ull;
    bits |= static_cast<uint64_t>(negative) << 63;
    std::memcpy(out, &bits, sizeof bits);
    return true;
}

template <typename Attempt>
double Ziv(Attempt attempt) {
    Approx a;
    for (int n : kLevels) {
        a = attempt(n);
        double r;
        if (Round(a, &r))
            return r;
    }
    // Undecided after 2048 bits: only a value a hair nearer zero than a midpoint comes this far
    // (the arc tangent of a tiny quotient that is itself a midpoint); exact midpoints of pow
    // are settled before.
    double r = 0;
    Round(a, &r, true);
    return r;
}

// e^r for |r| below 1.
Fixed ExpSeries(const Fixed& r) {
    int n = r.n;
    Fixed sum = FixedInt(1, n);
    Fixed term = r;
    for (uint64_t k = 2; !FixedZero(term); ++k) {
        sum = FixedAdd(sum, term);
        term = FixedDivInt(FixedMul(term, r), k);
    }
    return sum;
}

// e^x = 2^k * the result, for |x| below 2^62.
Fixed ExpReduced(const Fixed& x, int* k) {
    int n = x.n;
    double estimate = FixedToDouble(x) * 1.4426950408889634;
    int64_t whole = static_cast<int64_t>(estimate + (estimate < 0 ? -0.5 : 0.5));
    Fixed shift = FixedMulInt(At(K().ln2, n), static_cast<uint64_t>(whole < 0 ? -whole : whole));
    Fixed r = whole < 0 ? FixedAdd(x, shift) : FixedSub(x, shift);
    *k = static_cast<int>(whole);
    return ExpSeries(r);
}

// log x for a finite x > 0.
Fixed LogOf(double x, int n) {
    int e;
    double m = std::frexp(x, &e);
    if (m < 0.70710678118654752) {
        m *= 2;
        --e;
    }
    Fixed one = FixedInt(1, n);
    Fixed mm = FixedFromDouble(m, n);
    Fixed z = FixedDiv(FixedSub(mm, one), FixedAdd(mm, one));
    Fixed z2 = FixedMul(z, z);
    Fixed sum = z, power = z;
    for (uint64_t j = 1;; ++j) {
        power = FixedMul(power, z2);
        if (FixedZero(power))
            break;
        sum = FixedAdd(sum, FixedDivInt(power, 2 * j + 1));
    }
    Fixed tail = FixedMulInt(At(K().ln2, n), static_cast<uint64_t>(e < 0 ? -e : e));
    sum = FixedShift(sum, 1);
    return e < 0 ? FixedSub(sum, tail) : FixedAdd(sum, tail);
}

// atan t for 0 <= t <= 1: two halvings (atan t = 2 atan(t / (1 + sqrt(1 + t^2)))) leave t
// below 0.1, where the series gains seven bits a term.
Fixed AtanSmall(Fixed t) {
    int n = t.n;
    Fixed one = FixedInt(1, n);
    for (int i = 0; i < 2; ++i)
        t = FixedDiv(t, FixedAdd(one, FixedSqrt(FixedAdd(one, FixedMul(t, t)))));
    Fixed t2 = FixedMul(t, t);
    Fixed sum = t, power = t;
    for (uint64_t j = 1;; ++j) {
        power = FixedMul(power, t2);
        if (FixedZero(power))
            break;
        Fixed term = FixedDivInt(power, 2 * j + 1);
        sum = j % 2 ? FixedSub(sum, term) : FixedAdd(sum, term);
    }
    return FixedShift(sum, 2);
}

// atan(a / b) for a, b > 0.
Fixed AtanRatio(const Fixed& a, const Fixed& b) {
    if (FixedCompare(a, b) <= 0)
        return AtanSmall(FixedDiv(a, b));
    return FixedSub(At(K().halfPi, a.n), AtanSmall(FixedDiv(b, a)));
}

// x = (4j + quadrant) pi/2 + r with |r| <= pi/4, from the bits of 2/pi: only those whose
// product with x is below 4 matter, and a window of them 117 bits longer than the result.
Fixed ReduceQuarter(double x, int n, int* quadrant) {
    *quadrant = 0;
    if (std::fabs(x) <= 0.78539816339744828)
        return FixedFromDouble(x, n);
    int e;
    double f = std::frexp(std::fabs(x), &e);
    uint64_t m = static_cast<uint64_t>(std::ldexp(f, 53));
    e -= 53;
    int fractionBits = 64 * (n - 1);
    int low = e - 1 > 1 ? e - 1 : 1;
    int high = e + fractionBits + 117;
    int count = high - low + 1;
    uint64_t window[kFixedMaxWords + 4] = {};
    FixedBits(K().twoOverPi.w, N, 64 * (N - 1) - high, count, window);
    int words = (count + 63) / 64;
    uint64_t product[kFixedMaxWords + 5] = {};
    uint64_t carry = 0;
    for (int i = 0; i < words; ++i) {
        unsigned __int128 t = static_cast<unsigned __int128>(window[i]) * m + carry;
        product[i] = static_cast<uint64_t>(t);
        carry = static_cast<uint64_t>(t >> 64);
    }
    product[words] = carry;
    Fixed y;
    y.n = n;
    FixedBits(product, words + 1, 117, 64 * n, y.w);
    int q = static_cast<int>(y.w[n - 1] & 3);
    y.w[n - 1] = 0;
    if (y.w[n - 2] >> 63) {
        y = FixedSub(y, FixedInt(1, n));
        q = (q + 1) & 3;
    }
    Fixed r = FixedMul(y, At(K().halfPi, n));
    if (x < 0) {
        r = FixedNeg(r);
        q = (4 - q) & 3;
    }
    *quadrant = q;
    return r;
}

void SinCos(const Fixed& r, Fixed* s, Fixed* c) {
    int n = r.n;
    Fixed sinSum = r, cosSum = FixedInt(1, n);
    Fixed term = r;  // r^k / k!
    for (uint64_t k = 2; !FixedZero(term); k += 2) {
        term = FixedDivInt(FixedMul(term, r), k);  // r^k / k!
        cosSum = k % 4 == 2 ? FixedSub(cosSum, term) : FixedAdd(cosSum, term);
        term = FixedDivInt(FixedMul(term, r), k + 1);
        sinSum = k % 4 == 2 ? FixedSub(sinSum, term) : FixedAdd(sinSum, term);
    }
    *s = sinSum;
    *c = cosSum;
}

Approx Trig(double x, int n, int which) {
    int q;
    Fixed r = ReduceQuarter(x, n, &q);
    Fixed s, c;
    SinCos(r, &s, &c);
    Approx a;
    if (which == 0) {
        a.v = q & 1 ? c : s;
        if (q >= 2)
            a.v = FixedNeg(a.v);
    } else if (which == 1) {
        a.v = q & 1 ? s : c;
        if (q == 1 || q == 2)
            a.v = FixedNeg(a.v);
    } else {
        a.v = q & 1 ? FixedNeg(FixedDiv(c, s)) : FixedDiv(s, c);
        // The quotient's relative error is the sum of the two parts'.
        double sv = std::fabs(FixedToDouble(s)), cv = std::fabs(FixedToDouble(c));
        double t = std::fabs(FixedToDouble(a.v));
        a.err = kErr * (1 + t * (1 / sv + 1 / cv));
    }
    return a;
}

}  // namespace

double RoundExact(uint64_t mant, int e, bool negative) {
    double sign = negative ? -1.0 : 1.0;
    if (mant == 0)
        return sign * 0.0;
    int top = 63;
    while (!((mant >> top) & 1))
        --top;
    int exponent = top + e;
    if (exponent > 1023)
        return sign * INFINITY;
    int q = exponent - 52 < -1074 ? -1074 : exponent - 52;
    int s = q - e;
    uint64_t units;
    if (s <= 0) {
        units = mant << -s;
    } else if (s > 64) {
        units = 0;
    } else {
        units = s == 64 ? 0 : mant >> s;
        uint64_t rest = s == 64 ? mant : mant & ((1ull << s) - 1);
        uint64_t half = 1ull << (s - 1);
        if (rest > half || (rest == half && (units & 1)))
            ++units;
    }
    uint64_t bits = (static_cast<uint64_t>(q + 1074) << 52) + units;
    if (bits >= 0x7FF0000000000000ull)
        return sign * INFINITY;
    double out;
    std::memcpy(&out, &bits, sizeof out);
    return sign * out;
}

double SlowExp(double x) {
    return Ziv([&](int n) {
        Approx a;
        a.v = ExpReduced(FixedFromDouble(x, n), &a.scale);
        return a;
    });
}

double SlowLog(double x) {
    return Ziv([&](int n) {
        Approx a;
        a.v = LogOf(x, n);
        return a;
    });
}

double SlowLog10(double x) {
    return Ziv([&](int n) {
        Approx a;
        a.v = FixedMul(LogOf(x, n), At(K().inverseLn10, n));
        return a;
    });
}

double SlowPow(double x, double y) {
    // y log x, with two more words so that the multiplication by y (below 2^64 when the result
    // neither overflows nor underflows) keeps the precision.
    return Ziv([&](int n) {
        Fixed lg = LogOf(x, n + 2);
        int e;
        double f = std::frexp(std::fabs(y), &e);
        uint64_t my = static_cast<uint64_t>(std::ldexp(f, 53));
        Fixed product = FixedShift(FixedMulInt(FixedShift(lg, -64), my), e - 53 + 64);
        if (y < 0)
            product = FixedNeg(product);
        Approx a;
        a.v = ExpReduced(FixedResize(product, n), &a.scale);
        return a;
    });
}

double SlowSin(double x) {
    return Ziv([&](int n) { return Trig(x, n, 0); });
}

double SlowCos(double x) {
    return Ziv([&](int n) { return Trig(x, n, 1); });
}

double SlowTan(double x) {
    return Ziv([&](int n) { return Trig(x, n, 2); });
}

double SlowSinh(double x) {
    return Ziv([&](int n) {
        Approx a;
        Fixed ax = FixedFromDouble(std::fabs(x), n);
        if (std::fabs(x) < 1) {
            Fixed x2 = FixedMul(ax, ax), term = ax, sum = ax;
            for (uint64_t k = 2; !FixedZero(term); k += 2) {
                term = FixedDivInt(FixedMul(term, x2), k * (k + 1));
                sum = FixedAdd(sum, term);
            }
            a.v = sum;
        } else {
            int k;
            Fixed e = ExpReduced(ax, &k);
            a.v = FixedSub(e, FixedShift(FixedReciprocal(e), -2 * k));
            a.scale = k - 1;
        }
        if (x < 0)
            a.v = FixedNeg(a.v);
        return a;
    });
}

double SlowCosh(double x) {
    return Ziv([&](int n) {
        Approx a;
        int k;
        Fixed e = ExpReduced(FixedFromDouble(std::fabs(x), n), &k);
        a.v = FixedAdd(e, FixedShift(FixedReciprocal(e), -2 * k));
        a.scale = k - 1;
        return a;
    });
}

double SlowTanh(double x) {
    return Ziv([&](int n) {
        Approx a;
        int k;
        Fixed one = FixedInt(1, n);
        Fixed t = ExpReduced(FixedFromDouble(-2 * std::fabs(x), n), &k);  // e^-2|x| = 2^k t
        t = FixedShift(t, k);
        a.v = FixedDiv(FixedSub(one, t), FixedAdd(one, t));
        if (x < 0)
            a.v = FixedNeg(a.v);
        return a;
    });
}

namespace {

// sqrt(1 - x^2) for |x| < 1, and the error bound that its conditioning gives to an arc tangent of
// it over x.
Fixed Cosine(double x, int n, double* err) {
    Fixed one = FixedInt(1, n);
    Fixed ax = FixedFromDouble(x, n);
    Fixed d = FixedSqrt(FixedMul(FixedSub(one, ax), FixedAdd(one, ax)));
    *err = kErr * (1 + 2 / FixedToDouble(d));
    return d;
}

}  // namespace

double SlowAsin(double x) {
    return Ziv([&](int n) {
        Approx a;
        Fixed d = Cosine(x, n, &a.err);
        a.v = AtanRatio(FixedFromDouble(std::fabs(x), n), d);
        if (x < 0)
            a.v = FixedNeg(a.v);
        return a;
    });
}

double SlowAcos(double x) {
    return Ziv([&](int n) {
        Approx a;
        Fixed d = Cosine(x, n, &a.err);
        if (x == 0) {
            a.v = At(K().halfPi, n);
        } else {
            a.v = AtanRatio(d, FixedFromDouble(std::fabs(x), n));
            if (x < 0)
                a.v = FixedSub(At(K().pi, n), a.v);
        }
        return a;
    });
}

namespace {

// atan2(y, x) for non-zero finite arguments. With both taken as m 2^e, m in [0.5, 1), the
// quotient of the mantissas keeps its precision whatever the exponents.
Approx Atan2Of(double y, double x, int n) {
    int ey, ex;
    double my = std::frexp(std::fabs(y), &ey), mx = std::frexp(std::fabs(x), &ex);
    Fixed a = FixedFromDouble(my, n), b = FixedFromDouble(mx, n);
    int shift = ey - ex;  // |y / x| = (a / b) 2^shift
    Approx r;
    if (x > 0 && shift <= -30) {
        // atan t / t for a tiny t = (a / b) 2^shift: the series with t^2 kept as a shift.
        Fixed q = FixedDiv(a, b), q2 = FixedMul(q, q), term = q, sum = q;
        for (uint64_t j = 1; !FixedZero(term); ++j) {
            term = FixedShift(FixedMul(term, q2), 2 * shift);
            Fixed part = FixedDivInt(term, 2 * j + 1);
            sum = j % 2 ? FixedSub(sum, part) : FixedAdd(sum, part);
        }
        r.v = sum;
        r.scale = shift;
    } else {
        Fixed angle;
        if (shift >= 2)
            angle = FixedSub(At(K().halfPi, n), AtanSmall(FixedShift(FixedDiv(b, a), -shift)));
        else if (shift <= -2)
            angle = AtanSmall(FixedShift(FixedDiv(a, b), shift));
        else
            angle = AtanRatio(FixedShift(a, shift + 2), FixedShift(b, 2));
        r.v = x > 0 ? angle : FixedSub(At(K().pi, n), angle);
    }
    if (y < 0)
        r.v = FixedNeg(r.v);
    return r;
}

}  // namespace

double SlowAtan(double x) {
    return Ziv([&](int n) { return Atan2Of(x, 1.0, n); });
}

double SlowAtan2(double y, double x) {
    double r = Ziv([&](int n) { return Atan2Of(y, x, n); });
    return r;
}

namespace {

// 192 bits for the constants, 128 (within 2^-120 after a series) for the tables.
constexpr int kConstantWords = 4;
constexpr int kTableWords = 3;

void Split(Fixed v, int bits, double* parts, int count) {
    for (int i = 0; i < count; ++i) {
        double d = FixedToDouble(v);
        if (i + 1 < count && d != 0) {
            int e;
            double f = std::frexp(d, &e);
            d = std::ldexp(std::trunc(std::ldexp(f, bits)), e - bits);
        }
        parts[i] = d;
        v = FixedSub(v, FixedFromDouble(d, v.n));
    }
}

}  // namespace

void SlowConstantParts(SlowConstant which, int bits, double* parts, int count) {
    const Fixed& c = which == SlowConstant::Ln2      ? K().ln2
                     : which == SlowConstant::HalfPi ? K().halfPi
                                                     : K().inverseLn10;
    Split(At(c, kConstantWords), bits, parts, count);
}

void SlowTwoToFractionParts(int j, int bits, double parts[2]) {
    Fixed r = FixedShift(FixedMulInt(At(K().ln2, kConstantWords), static_cast<uint64_t>(j)), -bits);
    r = FixedResize(r, kTableWords);
    Split(ExpSeries(r), 53, parts, 2);
}

void SlowLogParts(double x, double parts[2]) { Split(LogOf(x, kTableWords), 53, parts, 2); }

void SlowSinCosParts(double x, double sinParts[2], double cosParts[2]) {
    Fixed s, c;
    SinCos(FixedFromDouble(x, kTableWords), &s, &c);
    Split(s, 53, sinParts, 2);
    Split(c, 53, cosParts, 2);
}

void SlowAtanParts(double x, double parts[2]) {
    Split(AtanSmall(FixedFromDouble(x, kTableWords)), 53, parts, 2);
}
