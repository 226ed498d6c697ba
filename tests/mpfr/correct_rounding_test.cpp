// Every function against MPFR's correctly rounded value: random arguments over the whole domain
// and the usual range, the hard cases of each function and the list of known worst cases.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "mpfr_reference.h"
#include "rounding_cases.h"

namespace {

#ifndef PAVRA_RANDOM_PER_FUNCTION
#define PAVRA_RANDOM_PER_FUNCTION 100000
#endif
const int kRandomPerFunction = PAVRA_RANDOM_PER_FUNCTION;

// The worst cases found by worst_cases (one "name x y" line each, in hexadecimal floats).
Arguments WorstCases(const std::string& name) {
    Arguments out;
    std::ifstream file(PAVRA_WORST_CASES);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string f, a, b;
        if (in >> f >> a >> b && f == name)
            out.emplace_back(std::strtod(a.c_str(), nullptr), std::strtod(b.c_str(), nullptr));
    }
    return out;
}

std::string Hex(double d) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", d);
    return text;
}

void AgreeWithMpfr();

// The first evaluation's two kinds of exact product: Dekker's always, the fused multiply-add where
// the processor has it; the automatic choice comes back after each test.
std::vector<bool> ProductPaths() {
    std::vector<bool> paths = {false};
    if (QuickFusedAvailable())
        paths.push_back(true);
    return paths;
}

struct AutomaticProducts {
    ~AutomaticProducts() { QuickUseFused(true); }
};

const char* PathName(bool fused) { return fused ? "fused multiply-add" : "Dekker products"; }

TEST(CorrectRounding, EveryFunctionAgreesWithMpfr) {
    AutomaticProducts restore;
    for (bool fused : ProductPaths()) {
        QuickUseFused(fused);
        SCOPED_TRACE(PathName(fused));
        std::printf("-- %s\n", PathName(fused));
        AgreeWithMpfr();
    }
}

// Both kinds of product give the first evaluation the same bits.
TEST(CorrectRounding, BothProductPathsGiveTheSameBits) {
    if (!QuickFusedAvailable())
        GTEST_SKIP() << "no fused multiply-add on this processor";
    AutomaticProducts restore;
    Random random(20261210);
    for (const MathFunction& f : kMathFunctions) {
        if (f.quick == nullptr)
            continue;
        Arguments all = RandomArguments(f.name, kRandomPerFunction / 5, random);
        Arguments hard = HardArguments(f.name);
        all.insert(all.end(), hard.begin(), hard.end());
        int differ = 0;
        for (const auto& [x, y] : all) {
            QuickUseFused(false);
            FastValue a = f.quick(x, y);
            QuickUseFused(true);
            FastValue b = f.quick(x, y);
            bool same =
                a.made == b.made && SameDouble(a.hi, b.hi) && SameDouble(a.lo, b.lo) && a.scale == b.scale;
            if (!same && ++differ <= 3)
                ADD_FAILURE() << f.name << "(" << Hex(x) << ", " << Hex(y) << "): " << Hex(a.hi) << " + "
                              << Hex(a.lo) << " with Dekker products, " << Hex(b.hi) << " + " << Hex(b.lo)
                              << " fused";
        }
        EXPECT_EQ(differ, 0) << f.name;
    }
}

void AgreeWithMpfr() {
    MpfrDouble mpfr;
    Random random(20261208);
    int worstTotal = 0;
    for (const MathFunction& f : kMathFunctions) {
        Arguments all = RandomArguments(f.name, kRandomPerFunction, random);
        Arguments hard = HardArguments(f.name);
        Arguments worst = WorstCases(f.name);
        worstTotal += static_cast<int>(worst.size());
        all.insert(all.end(), hard.begin(), hard.end());
        all.insert(all.end(), worst.begin(), worst.end());
        int wrong = 0;
        for (const auto& [a, b] : all) {
            double got = f.pavra(a, b), truth = mpfr.Value(f, a, b);
            if (!SameDouble(got, truth) && ++wrong <= 5)
                ADD_FAILURE() << f.name << "(" << Hex(a) << (f.arguments == 2 ? ", " + Hex(b) : "")
                              << ") = " << Hex(got) << ", correctly rounded " << Hex(truth);
        }
        std::printf("%-6s %7zu arguments (%zu hard, %zu worst cases), %d not correctly rounded\n", f.name,
                    all.size(), hard.size(), worst.size(), wrong);
        EXPECT_EQ(wrong, 0) << f.name;
    }
    EXPECT_GE(worstTotal, 2000) << "the worst-case list is missing or short";
}

// The first evaluation's and the fast path's values are within the bounds they claim, wherever
// they reach: a bound that is too tight shows here long before it rounds a value wrongly.
TEST(CorrectRounding, FastPathKeepsItsErrorBound) {
    AutomaticProducts restore;
    mpfr_t a, b, truth, v;
    mpfr_inits2(320, a, b, truth, v, static_cast<mpfr_ptr>(nullptr));
    for (const MathFunction& f : kMathFunctions) {
        const int randomCount = kRandomPerFunction / 5;
        Random random(20261209);
        Arguments all = RandomArguments(f.name, randomCount, random);
        Arguments hard = HardArguments(f.name);
        all.insert(all.end(), hard.begin(), hard.end());
        for (int pass = 0; pass < 3; ++pass) {
            // The first evaluation with either kind of product, then the fast path.
            bool fused = pass == 1;
            auto stage = pass < 2 ? f.quick : f.fast;
            if (stage == nullptr || (fused && !QuickFusedAvailable()))
                continue;
            QuickUseFused(fused);
            const char* which = pass == 0 ? "first (Dekker)" : pass == 1 ? "first (fused)" : "fast path";
            int checked = 0, beyond = 0;
            double worst = 0;
            for (const auto& [x, y] : all) {
                FastValue value = stage(x, y);
                if (!value.made)
                    continue;
                ++checked;
                mpfr_set_d(a, x, MPFR_RNDN);
                mpfr_set_d(b, y, MPFR_RNDN);
                if (f.arguments == 1)
                    f.one(truth, a, MPFR_RNDN);
                else
                    f.two(truth, a, b, MPFR_RNDN);
                mpfr_set_d(v, value.hi, MPFR_RNDN);
                mpfr_add_d(v, v, value.lo, MPFR_RNDN);  // exact at 320 bits
                mpfr_mul_2si(v, v, value.scale, MPFR_RNDN);
                mpfr_sub(v, v, truth, MPFR_RNDN);
                mpfr_div(v, v, truth, MPFR_RNDN);
                double share = std::fabs(mpfr_get_d(v, MPFR_RNDN)) / value.eps;
                worst = share > worst ? share : worst;
                if (!(share <= 1) && ++beyond <= 3)
                    ADD_FAILURE() << f.name << " " << which << "(" << Hex(x) << ", " << Hex(y) << "): error "
                                  << share << " times the bound";
            }
            std::printf("%-6s %-16s %7d values, worst error %.3f of the bound\n", f.name, which, checked,
                        worst);
            // Half the random arguments lie in the range a user types, where both reach.
            EXPECT_GT(checked, randomCount / 4) << f.name << ": the " << which << " is hardly taken";
        }
    }
    mpfr_clears(a, b, truth, v, static_cast<mpfr_ptr>(nullptr));
}

}  // namespace
