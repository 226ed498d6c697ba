// Finds the arguments on which each function comes nearest to a midpoint between two doubles
// (the hardest to round correctly) and writes them as the worst-case list of the rounding test.
// Candidates: random arguments over each domain, and families where the value is known to lie
// a hair from a midpoint (e^x = 1 + x + x^2/2 with x an odd multiple of half a unit, cosh of
// such, squares of doubles whose square has its 54th bit set, f(x) ~ x +- x^3/c near 2^-26).
// Usage: pavra_worst_cases CANDIDATES KEEP > tests/engine/worst_cases.txt (the header lines by hand)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mpfr_reference.h"
#include "rounding_cases.h"

namespace {

Arguments Families(const std::string& name, Random& r) {
    Arguments out;
    for (int k = 1; k < 4000; k += 2) {
        if (name == "exp") {
            out.emplace_back(std::ldexp(k, -53 - (k % 7)), 0);
            out.emplace_back(-std::ldexp(k, -54 - (k % 7)), 0);
        } else if (name == "cosh") {
            out.emplace_back(std::ldexp(k, -26 - (k % 5)), 0);
        } else if (name == "pow") {
            // (1 + k 2^-52)^2 = 1 + 2k 2^-52 + k^2 2^-104, near a midpoint when k^2 2^-52 is
            // near one half modulo one.
            double base = 47453132.0 + static_cast<double>(r.Next() % 20000000);
            out.emplace_back(1 + std::ldexp(base, -52), 2.0);
            out.emplace_back(
                std::ldexp(static_cast<double>((r.Next() >> 11) | 1), -52 + static_cast<int>(r.Next() % 200)),
                2.0);
            out.emplace_back(std::ldexp(static_cast<double>((r.Next() >> 11) | 1), -52), 3.0);
        }
    }
    if (name != "exp" && name != "cosh" && name != "pow" && name != "log" && name != "log10" &&
        name != "acos") {
        for (int i = 0; i < 20000; ++i)
            out.emplace_back(std::ldexp(r.Uniform(1, 2), -26 - static_cast<int>(r.Next() % 3)), 1.0);
    }
    return out;
}

struct Candidate {
    double distance, a, b;
    bool operator<(const Candidate& o) const { return distance < o.distance; }
};

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 200000;
    size_t keep = argc > 2 ? static_cast<size_t>(std::atoi(argv[2])) : 150;
    MpfrDouble mpfr;
    Random random(977);
    for (const MathFunction& f : kMathFunctions) {
        Arguments all = RandomArguments(f.name, count, random);
        Arguments family = Families(f.name, random);
        all.insert(all.end(), family.begin(), family.end());
        std::vector<Candidate> best;
        for (const auto& [a, b] : all) {
            best.push_back({mpfr.MidpointDistance(f, a, b), a, b});
            if (best.size() > 4 * keep) {
                std::nth_element(best.begin(), best.begin() + keep, best.end());
                best.resize(keep);
            }
        }
        std::sort(best.begin(), best.end());
        if (best.size() > keep)
            best.resize(keep);
        for (const Candidate& c : best)
            std::printf("%s %a %a %.3g\n", f.name, c.a, c.b, c.distance);
        std::fprintf(stderr, "%s: %zu candidates, nearest %.3g of a unit from a midpoint\n", f.name,
                     all.size(), best.empty() ? 1.0 : best.front().distance);
    }
    return 0;
}
