// Error-free transformations on doubles: a sum or a product as a double and its exact error, with
// no fused multiply-add, so that every build gives the same bits.
#pragma once

#include <cstdint>
#include <cstring>

struct DD {
    double hi, lo;
};

inline DD TwoSum(double a, double b) {
    double s = a + b;
    double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

inline DD FastTwoSum(double a, double b) {  // |a| >= |b| or a == 0
    double s = a + b;
    return {s, b - (s - a)};
}

// a = hi + lo with hi of 26 significant bits and |lo| <= 2^-27 |a| (Veltkamp), for |a| below
// 2^995: a product of hi with a double of at most 27 bits is exact.
inline DD Split(double a) {
    double t = 134217729.0 * a;  // 2^27 + 1
    double hi = t - (t - a);
    return {hi, a - hi};
}

// a * b exactly (Dekker), for |a|, |b| below 2^995 and a product above 2^-969.
inline DD TwoProd(double a, double b) {
    DD x = Split(a), y = Split(b);
    double p = a * b;
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// A finite x > 0 as 2^e m, m in [1, 2): returns m and sets *e and *bits (x's bits, subnormals
// first scaled by 2^54).
inline double Decompose(double x, int* e, uint64_t* bits) {
    *e = 0;
    if (x < 2.2250738585072014e-308) {
        x *= 18014398509481984.0;  // 2^54
        *e = -54;
    }
    std::memcpy(bits, &x, sizeof *bits);
    *e += static_cast<int>(*bits >> 52) - 1023;
    uint64_t mantissa = (*bits & ((1ull << 52) - 1)) | (1023ull << 52);
    double m;
    std::memcpy(&m, &mantissa, sizeof m);
    return m;
}
