#include "engine/correct_math.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/correct_fast.h"
#include "engine/correct_quick.h"
#include "engine/correct_slow.h"

namespace {

const double kHalfPi = 1.5707963267948966;
const double kPi = 3.141592653589793;
const double kQuarterPi = 0.7853981633974483;
const double kThreeQuarterPi = 2.356194490192345;
bool Tiny(double x) { return std::fabs(x) < kTinyArgument; }

bool IsInteger(double y) { return std::floor(y) == y; }

bool IsOddInteger(double y) {
    return IsInteger(y) && std::fabs(y) < 9007199254740992.0 && std::fmod(y, 2.0) != 0;
}

// x^y when it is a double or a midpoint between two: x = odd 2^e and y = n / 2^k, where x must
// be a 2^k-th power. False when x^y is neither (then it is not near a midpoint either).
bool ExactPow(double x, double y, bool negative, double* out) {
    int ex, ey;
    double fx = std::frexp(x, &ex), fy = std::frexp(y, &ey);
    uint64_t odd = static_cast<uint64_t>(std::ldexp(fx, 53));
    ex -= 53;
    while (!(odd & 1)) {
        odd >>= 1;
        ++ex;
    }
    int64_t my = static_cast<int64_t>(std::ldexp(fy, 53));
    ey -= 53;
    while (!(my & 1)) {
        my /= 2;
        ++ey;
    }
    // y = my 2^ey with my odd: take square roots while ey < 0.
    while (ey < 0) {
        if (odd == 1) {
            // x = 2^ex: x^y = 2^(ex y), a double when ex y is a whole number.
            int64_t e = ex;
            while (ey < 0 && e % 2 == 0) {
                e /= 2;
                ++ey;
            }
            if (ey < 0)
                return false;
            ex = static_cast<int>(e);
            break;
        }
        uint64_t root = static_cast<uint64_t>(std::sqrt(static_cast<double>(odd)));
        while (root * root > odd)
            --root;
        while ((root + 1) * (root + 1) <= odd)
            ++root;
        if (root * root != odd || ex % 2 != 0)
            return false;
        odd = root;
        ex /= 2;
        ++ey;
    }
    if (ey > 12)
        return false;  // |y| beyond 2^64: only a power of two survives, and then the general path rounds
    if (odd == 1 && ex == 0) {
        *out = RoundExact(1, 0, negative);  // x = ±1
        return true;
    }
    // Beyond 2^50 the power is neither a double nor a midpoint: x^n needs |ex n| <= 1200, or
    // n <= 64. Checked first, so that neither product below overflows.
    if (my > ((int64_t(1) << 50) >> ey) || my < -((int64_t(1) << 50) >> ey))
        return false;
    int64_t n = my * (int64_t(1) << ey);
    if (odd == 1) {
        int64_t e = static_cast<int64_t>(ex) * n;
        if (e < -1200 || e > 1200)
            return false;
        *out = RoundExact(1, static_cast<int>(e), negative);
        return true;
    }
    if (n < 0 || n > 64)
        return false;
    uint64_t power = 1;
    for (int64_t i = 0; i < n; ++i) {
        if (power > (1ull << 60) / odd)
            return false;  // more than 60 bits: neither a double nor a midpoint
        power *= odd;
    }
    *out = RoundExact(power, static_cast<int>(ex * n), negative);
    return true;
}

// The logarithms' values at infinity, NaN, zero, negative arguments and 1.
bool LogSpecial(double x, double* r) {
    if (x > 0 && x < INFINITY && x != 1)
        return false;
    if (std::isnan(x) || x == INFINITY)
        *r = x;
    else if (x < 0)
        *r = NAN;
    else if (x == 0)
        *r = -INFINITY;
    else
        *r = 0.0;  // x == 1
    return true;
}

}  // namespace

double CalcExp(double x) {
    if (std::isnan(x))
        return x;
    if (x > 710)
        return INFINITY;
    if (x < -746)
        return 0.0;
    if (std::fabs(x) < 2.7755575615628914e-17)  // 2^-55
        return 1.0;
    return CorrectlyRounded(QuickExpRounded, FastExp, SlowExp, x);
}

double CalcLog(double x) {
    double r;
    return LogSpecial(x, &r) ? r : CorrectlyRounded(QuickLogRounded, FastLog, SlowLog, x);
}

double CalcLog10(double x) {
    double r;
    return LogSpecial(x, &r) ? r : CorrectlyRounded(QuickLog10Rounded, FastLog10, SlowLog10, x);
}

double CalcPow(double x, double y) {
    if (y == 0 || x == 1)
        return 1.0;
    if (std::isnan(x) || std::isnan(y))
        return NAN;
    if (x == 0) {
        bool yOdd = IsOddInteger(y);
        if (y < 0)
            return yOdd ? std::copysign(INFINITY, x) : INFINITY;
        return yOdd ? x : 0.0;
    }
    if (std::isinf(y)) {
        double ax = std::fabs(x);
        if (ax == 1)
            return 1.0;
        return (ax > 1) == (y > 0) ? INFINITY : 0.0;
    }
    if (std::isinf(x)) {
        bool yOdd = IsOddInteger(y);
        if (x < 0) {
            if (y < 0)
                return yOdd ? -0.0 : 0.0;
            return yOdd ? -INFINITY : INFINITY;
        }
        return y < 0 ? 0.0 : INFINITY;
    }
    bool negative = false;
    if (x < 0) {
        if (!IsInteger(y))
            return NAN;
        negative = IsOddInteger(y);
        x = -x;
        if (x == 1)
            return negative ? -1.0 : 1.0;
    }
    // The fast path is sure of an exact double too; only midpoints wait for the exact test.
    double r;
    if (QuickPowRounded(&r, x, y) || FastRound(FastPow(x, y), &r))
        return negative ? -r : r;
    if (ExactPow(x, y, negative, &r))
        return r;
    // Far beyond the range either way: y log x estimated to within 1%, with x = m 2^e,
    // m in [sqrt(1/2), sqrt(2)) and log m = 2 atanh((m - 1) / (m + 1)).
    int ex;
    double m = std::frexp(x, &ex);
    if (m < 0.70710678118654752) {
        m *= 2;
        --ex;
    }
    double z = (m - 1) / (m + 1);
    double estimate = y * (ex * 0.6931471805599453 + 2 * z * (1 + z * z / 3));
    if (std::fabs(y) >= 1.8446744073709552e19 || std::fabs(estimate) > 4096) {
        bool big = (x > 1) == (y > 0);
        return big ? (negative ? -INFINITY : INFINITY) : (negative ? -0.0 : 0.0);
    }
    r = SlowPow(x, y);
    return negative ? -r : r;
}

double CalcSinh(double x) {
    if (std::isnan(x) || std::isinf(x) || Tiny(x))
        return x;
    if (std::fabs(x) > 711)
        return std::copysign(INFINITY, x);
    return CorrectlyRounded(QuickSinhRounded, FastSinh, SlowSinh, x);
}

double CalcCosh(double x) {
    if (std::isnan(x))
        return x;
    if (std::fabs(x) > 711)
        return INFINITY;
    if (std::fabs(x) < 7.450580596923828e-09)  // 2^-27: 1 + x^2/2 rounds to 1
        return 1.0;
    return CorrectlyRounded(QuickCoshRounded, FastCosh, SlowCosh, x);
}

double CalcTanh(double x) {
    if (std::isnan(x) || Tiny(x))
        return x;
    if (std::fabs(x) > 22)  // 1 - tanh x is below 2^-62
        return std::copysign(1.0, x);
    return CorrectlyRounded(QuickTanhRounded, FastTanh, SlowTanh, x);
}

double CalcAsin(double x) {
    if (std::isnan(x) || Tiny(x))
        return x;
    if (std::fabs(x) > 1)
        return NAN;
    if (std::fabs(x) == 1)
        return std::copysign(kHalfPi, x);
    return CorrectlyRounded(QuickAsinRounded, FastAsin, SlowAsin, x);
}

double CalcAcos(double x) {
    if (std::isnan(x))
        return x;
    if (std::fabs(x) > 1)
        return NAN;
    if (x == 1)
        return 0.0;
    if (x == -1)
        return kPi;
    return CorrectlyRounded(QuickAcosRounded, FastAcos, SlowAcos, x);
}

double CalcAtan(double x) {
    if (std::isnan(x) || Tiny(x))
        return x;
    if (std::isinf(x))
        return std::copysign(kHalfPi, x);
    return CorrectlyRounded(QuickAtanRounded, FastAtan, SlowAtan, x);
}

double CalcAtan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y))
        return NAN;
    if (y == 0) {
        if (std::signbit(x))
            return std::copysign(kPi, y);
        return y;
    }
    if (std::isinf(y)) {
        if (std::isinf(x))
            return std::copysign(x > 0 ? kQuarterPi : kThreeQuarterPi, y);
        return std::copysign(kHalfPi, y);
    }
    if (x == 0)
        return std::copysign(kHalfPi, y);
    if (std::isinf(x))
        return x > 0 ? std::copysign(0.0, y) : std::copysign(kPi, y);
    return CorrectlyRounded(QuickAtan2Rounded, FastAtan2, SlowAtan2, y, x);
}
