#include "engine/calc_trig.h"

#include <cmath>

#include "engine/correct_fast.h"
#include "engine/correct_slow.h"

namespace {

const double kTiny = 9.313225746154785e-10;  // 2^-30: sin x and tan x round to x, cos x to 1

}  // namespace

double CalcSin(double x) {
    if (std::isnan(x) || std::isinf(x))
        return NAN;
    if (std::fabs(x) < kTiny)
        return x;
    double r;
    return FastSin(x, &r) ? r : SlowSin(x);
}

double CalcCos(double x) {
    if (std::isnan(x) || std::isinf(x))
        return NAN;
    if (std::fabs(x) < kTiny)
        return 1.0;
    double r;
    return FastCos(x, &r) ? r : SlowCos(x);
}

double CalcTan(double x) {
    if (std::isnan(x) || std::isinf(x))
        return NAN;
    if (std::fabs(x) < kTiny)
        return x;
    double r;
    return FastTan(x, &r) ? r : SlowTan(x);
}
