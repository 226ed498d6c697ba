#include "engine/calc_trig.h"

#include <cmath>

#include "engine/correct_fast.h"
#include "engine/correct_quick.h"
#include "engine/correct_slow.h"

double CalcSin(double x) {
    if (std::isnan(x) || std::isinf(x))
        return NAN;
    if (std::fabs(x) < kTinyArgument)
        return x;
    return CorrectlyRounded(QuickSin, FastSin, SlowSin, x);
}

double CalcCos(double x) {
    if (std::isnan(x) || std::isinf(x))
        return NAN;
    if (std::fabs(x) < kTinyArgument)
        return 1.0;
    return CorrectlyRounded(QuickCos, FastCos, SlowCos, x);
}

double CalcTan(double x) {
    if (std::isnan(x) || std::isinf(x))
        return NAN;
    if (std::fabs(x) < kTinyArgument)
        return x;
    return CorrectlyRounded(QuickTan, FastTan, SlowTan, x);
}
