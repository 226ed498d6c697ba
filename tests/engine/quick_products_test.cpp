// The first evaluation's two kinds of exact product give the same bits, in this build too (the
// Windows build has no MPFR test: this is where its fused path is held to the Dekker one).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/correct_quick.h"

namespace {

struct QuickFunction {
    const char* name;
    FastValue (*value)(double, double);
    double low, high;  // the first argument; the second in [-20, 20]
};

#define ONE(f) [](double a, double) { return f(a); }
#define TWO(f) [](double a, double b) { return f(a, b); }
const QuickFunction kQuickFunctions[] = {
    {"exp", ONE(QuickExp), -700, 700},     {"log", ONE(QuickLog), 0, 1e6},
    {"log10", ONE(QuickLog10), 0, 1e6},    {"sinh", ONE(QuickSinh), -700, 700},
    {"cosh", ONE(QuickCosh), -700, 700},   {"tanh", ONE(QuickTanh), -22, 22},
    {"sin", ONE(QuickSin), -3e4, 3e4},     {"cos", ONE(QuickCos), -3e4, 3e4},
    {"tan", ONE(QuickTan), -3e4, 3e4},     {"atan", ONE(QuickAtan), -100, 100},
    {"asin", ONE(QuickAsin), -1, 1},       {"acos", ONE(QuickAcos), -1, 1},
    {"atan2", TWO(QuickAtan2), -100, 100}, {"pow", TWO(QuickPow), 0, 100},
};
#undef ONE
#undef TWO

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(QuickProducts, FusedAndDekkerGiveTheSameBits) {
    if (!QuickFusedAvailable())
        GTEST_SKIP() << "no fused multiply-add on this processor";
    uint64_t state = 2463534242ull;
    auto uniform = [&state](double low, double high) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return low + (high - low) * (static_cast<double>(state >> 11) / 9007199254740992.0);
    };
    for (const QuickFunction& f : kQuickFunctions) {
        int made = 0;
        for (int i = 0; i < 20000; ++i) {
            double a = uniform(f.low, f.high), b = uniform(-20, 20);
            QuickUseFused(false);
            FastValue dekker = f.value(a, b);
            QuickUseFused(true);
            FastValue fused = f.value(a, b);
            ASSERT_EQ(dekker.made, fused.made) << f.name << " " << a << " " << b;
            ASSERT_TRUE(SameBits(dekker.hi, fused.hi) && SameBits(dekker.lo, fused.lo) &&
                        dekker.scale == fused.scale)
                << f.name << "(" << a << ", " << b << ")";
            made += dekker.made;
        }
        EXPECT_GT(made, 10000) << f.name << ": the first evaluation is hardly taken";
    }
}

}  // namespace
