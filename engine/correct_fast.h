// The functions' fast path: double-double evaluation with a proven relative error bound. Each
// returns its value with that bound, or nothing where it does not reach (then the precise path
// decides); FastRound says whether every value within the bound rounds to the same double. Only
// +, -, *, / on doubles, so every build gives the same bits. Each takes the arguments that the
// precise path takes and reaches none outside them.
#pragma once

#include <cstdint>
#include <cstring>

// (hi + lo) 2^scale, normalised, within eps |hi + lo| 2^scale of the exact value, eps >= 2^-104;
// made is false where the evaluation does not reach.
struct FastValue {
    double hi = 0, lo = 0, eps = 0;
    int scale = 0;  // -1022 to 1023, and the rounded value times 2^scale stays normal
    bool made = false;
};

// True with the nearest double in *out when every value within the bound rounds to it. The two
// ends of the interval are widened to 2 eps, which covers the rounding of lo +- e (under 2^-105
// |hi|); rounding to nearest is monotonic, so equal ends mean every value between rounds alike.
inline bool FastRound(const FastValue& v, double* out) {
    if (!v.made)
        return false;
    double e = 2 * v.eps * (v.hi < 0 ? -v.hi : v.hi);
    double a = v.hi + (v.lo - e), b = v.hi + (v.lo + e);
    if (a != b)
        return false;
    if (v.scale != 0) {
        uint64_t bits = static_cast<uint64_t>(v.scale + 1023) << 52;  // 2^scale
        double twoToScale;
        std::memcpy(&twoToScale, &bits, sizeof twoToScale);
        a *= twoToScale;
    }
    *out = a;
    return true;
}

FastValue FastExp(double x);
FastValue FastLog(double x);
FastValue FastLog10(double x);
FastValue FastPow(double x, double y);  // x > 0, x != 1, |y log x| below about 4096
FastValue FastSinh(double x);
FastValue FastCosh(double x);
FastValue FastTanh(double x);
FastValue FastSin(double x);
FastValue FastCos(double x);
FastValue FastTan(double x);
FastValue FastAtan(double x);             // 2^-30 <= |x|
FastValue FastAtan2(double y, double x);  // both finite and non-zero
FastValue FastAsin(double x);             // 2^-30 <= |x| < 1
FastValue FastAcos(double x);             // |x| < 1

// Below 2^-30 an odd function's next term is under 2^-60 of x, and an even one's under 2^-60 of
// its constant: sin, tan, sinh, tanh, asin and atan round to x there, cos to 1.
constexpr double kTinyArgument = 9.313225746154785e-10;  // 2^-30

// The correctly rounded value: the first evaluation's where it decides, else the fast path's,
// else the precise path's.
template <typename... Args>
double CorrectlyRounded(FastValue (*first)(Args...), FastValue (*fast)(Args...), double (*precise)(Args...),
                        Args... args) {
    double r;
    if (FastRound(first(args...), &r) || FastRound(fast(args...), &r))
        return r;
    return precise(args...);
}

template <typename... Args>
double CorrectlyRounded(FastValue (*fast)(Args...), double (*precise)(Args...), Args... args) {
    double r;
    return FastRound(fast(args...), &r) ? r : precise(args...);
}
