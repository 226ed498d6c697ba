#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "engine/calc_trig.h"

namespace {

// glibc reduces every argument exactly and is accurate to within a unit in the last place, so
// natively it is the yardstick for the quarter-turn reduction over the whole double range
// (the Windows runtime is the one that needs the reduction, and cannot judge it).
#ifndef _WIN32
double Ulps(double got, double truth) {
    if (got == truth)
        return 0;
    return std::fabs(got - truth) / (std::nextafter(std::fabs(truth), 1e300) - std::fabs(truth));
}

TEST(Trigonometry, AgreesWithAnExactLibraryEverywhere) {
    uint64_t state = 88172645463325252ull;
    for (int i = 0; i < 30000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        double mantissa = 1.0 + static_cast<double>(state >> 12) / 4503599627370496.0;
        int exponent = static_cast<int>(state % 1024) - 1;  // 0.5 up to 2^1023
        double x = std::ldexp(mantissa, exponent) * (state & (1ull << 40) ? -1 : 1);
        ASSERT_LE(Ulps(CalcSin(x), std::sin(x)), 1.0) << "sin " << x;
        ASSERT_LE(Ulps(CalcCos(x), std::cos(x)), 1.0) << "cos " << x;
        ASSERT_LE(Ulps(CalcTan(x), std::tan(x)), 2.0) << "tan " << x;
    }
}
#endif

TEST(Trigonometry, SpecialArguments) {
    const double inf = INFINITY;
    EXPECT_TRUE(std::isnan(CalcSin(inf)));
    EXPECT_TRUE(std::isnan(CalcCos(-inf)));
    EXPECT_TRUE(std::isnan(CalcTan(NAN)));
    EXPECT_EQ(CalcSin(0.0), 0.0);
    EXPECT_TRUE(std::signbit(CalcSin(-0.0)));
    EXPECT_EQ(CalcCos(0.0), 1.0);
    EXPECT_EQ(CalcSin(1e-300), 1e-300);
    // Symmetry holds exactly: the sign is taken off before the reduction.
    for (double x : {0.9, 2.5, 1e6, 1e22, 1e300}) {
        EXPECT_EQ(CalcSin(-x), -CalcSin(x)) << x;
        EXPECT_EQ(CalcCos(-x), CalcCos(x)) << x;
        EXPECT_EQ(CalcTan(-x), -CalcTan(x)) << x;
    }
}

}  // namespace
