// The correctly rounded value of each calculator function, from MPFR, and the calculator's own,
// by the function's name; shared by the rounding test and the worst-case finder.
#pragma once

#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/calc_trig.h"
#include "engine/correct_fast.h"
#include "engine/correct_quick.h"
#include "engine/correct_math.h"

struct MathFunction {
    const char* name;
    int arguments;
    double (*pavra)(double, double);
    int (*one)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    int (*two)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);
    FastValue (*quick)(double, double);  // the first evaluation's value and bound
    FastValue (*fast)(double, double);   // the fast path's
};

#define PAVRA_ONE(f) [](double a, double) { return f(a); }
#define PAVRA_TWO(f) [](double a, double b) { return f(a, b); }
inline const MathFunction kMathFunctions[] = {
    {"acos", 1, PAVRA_ONE(CalcAcos), mpfr_acos, nullptr, PAVRA_ONE(QuickAcos), PAVRA_ONE(FastAcos)},
    {"asin", 1, PAVRA_ONE(CalcAsin), mpfr_asin, nullptr, PAVRA_ONE(QuickAsin), PAVRA_ONE(FastAsin)},
    {"atan", 1, PAVRA_ONE(CalcAtan), mpfr_atan, nullptr, PAVRA_ONE(QuickAtan), PAVRA_ONE(FastAtan)},
    {"atan2", 2, PAVRA_TWO(CalcAtan2), nullptr, mpfr_atan2, PAVRA_TWO(QuickAtan2), PAVRA_TWO(FastAtan2)},
    {"cos", 1, PAVRA_ONE(CalcCos), mpfr_cos, nullptr, PAVRA_ONE(QuickCos), PAVRA_ONE(FastCos)},
    {"cosh", 1, PAVRA_ONE(CalcCosh), mpfr_cosh, nullptr, PAVRA_ONE(QuickCosh), PAVRA_ONE(FastCosh)},
    {"exp", 1, PAVRA_ONE(CalcExp), mpfr_exp, nullptr, PAVRA_ONE(QuickExp), PAVRA_ONE(FastExp)},
    {"log", 1, PAVRA_ONE(CalcLog), mpfr_log, nullptr, PAVRA_ONE(QuickLog), PAVRA_ONE(FastLog)},
    {"log10", 1, PAVRA_ONE(CalcLog10), mpfr_log10, nullptr, PAVRA_ONE(QuickLog10), PAVRA_ONE(FastLog10)},
    {"pow", 2, PAVRA_TWO(CalcPow), nullptr, mpfr_pow, PAVRA_TWO(QuickPow), PAVRA_TWO(FastPow)},
    {"sin", 1, PAVRA_ONE(CalcSin), mpfr_sin, nullptr, PAVRA_ONE(QuickSin), PAVRA_ONE(FastSin)},
    {"sinh", 1, PAVRA_ONE(CalcSinh), mpfr_sinh, nullptr, PAVRA_ONE(QuickSinh), PAVRA_ONE(FastSinh)},
    {"tan", 1, PAVRA_ONE(CalcTan), mpfr_tan, nullptr, PAVRA_ONE(QuickTan), PAVRA_ONE(FastTan)},
    {"tanh", 1, PAVRA_ONE(CalcTanh), mpfr_tanh, nullptr, PAVRA_ONE(QuickTanh), PAVRA_ONE(FastTanh)},
};
#undef PAVRA_ONE
#undef PAVRA_TWO

inline const MathFunction* FindMathFunction(const std::string& name) {
    for (const MathFunction& f : kMathFunctions) {
        if (name == f.name)
            return &f;
    }
    return nullptr;
}

// MPFR with the double's exponent range, subnormals included, rounding to nearest.
class MpfrDouble {
public:
    MpfrDouble() {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        mpfr_inits2(53, a_, b_, r_, static_cast<mpfr_ptr>(nullptr));
    }
    ~MpfrDouble() { mpfr_clears(a_, b_, r_, static_cast<mpfr_ptr>(nullptr)); }
    MpfrDouble(const MpfrDouble&) = delete;
    MpfrDouble& operator=(const MpfrDouble&) = delete;

    double Value(const MathFunction& f, double a, double b) {
        mpfr_set_d(a_, a, MPFR_RNDN);
        mpfr_set_d(b_, b, MPFR_RNDN);
        int t = f.arguments == 1 ? f.one(r_, a_, MPFR_RNDN) : f.two(r_, a_, b_, MPFR_RNDN);
        t = mpfr_subnormalize(r_, t, MPFR_RNDN);
        return mpfr_get_d(r_, MPFR_RNDN);
    }

    // How near f(a, b) comes to a midpoint between two doubles, in units in the last place
    // (0.5 is as far as it can be), from 256 bits of it; 1 for a value that is not finite.
    double MidpointDistance(const MathFunction& f, double a, double b) {
        mpfr_t wide, low;
        mpfr_inits2(256, wide, low, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_emin(mpfr_get_emin_min());
        mpfr_set_emax(mpfr_get_emax_max());
        mpfr_set_d(a_, a, MPFR_RNDN);
        mpfr_set_d(b_, b, MPFR_RNDN);
        if (f.arguments == 1)
            f.one(wide, a_, MPFR_RNDN);
        else
            f.two(wide, a_, b_, MPFR_RNDN);
        double distance = 1;
        if (mpfr_number_p(wide) && !mpfr_zero_p(wide)) {
            double d = mpfr_get_d(wide, MPFR_RNDZ);
            int e;
            std::frexp(d, &e);
            int q = e - 53 < -1074 ? -1074 : e - 53;  // the weight of the last place
            mpfr_mul_2si(low, wide, -q, MPFR_RNDN);   // exact: in units in the last place
            mpfr_frac(low, low, MPFR_RNDN);
            double frac = std::fabs(mpfr_get_d(low, MPFR_RNDN));
            distance = std::fabs(frac - 0.5);
            if (std::fabs(d) > 1.7976931348623157e308)
                distance = 1;
        }
        mpfr_clears(wide, low, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        return distance;
    }

private:
    mpfr_t a_, b_, r_;
};

inline bool SameDouble(double x, double y) {
    if (std::isnan(x) || std::isnan(y))
        return std::isnan(x) && std::isnan(y);
    uint64_t a, b;
    std::memcpy(&a, &x, sizeof a);
    std::memcpy(&b, &y, sizeof b);
    return a == b;
}
