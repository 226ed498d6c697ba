#include "rounding_cases.h"

#include <mpfr.h>

#include <cmath>
#include <cstring>

double Random::AnyDouble() {
    for (;;) {
        uint64_t bits = Next();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d))
            return d;
    }
}

namespace {

double Signed(Random& r, double x) { return r.Next() & 1 ? -x : x; }

// |x| below `limit`, every exponent down to the subnormals equally likely.
double AnyBelow(Random& r, double limit) {
    for (;;) {
        double d = std::fabs(r.AnyDouble());
        if (d < limit)
            return Signed(r, d);
    }
}

// A double in [2^lowExp, 2^highExp) with an exponent drawn evenly.
double Magnitude(Random& r, int lowExp, int highExp) {
    int e = lowExp + static_cast<int>(r.Next() % static_cast<uint64_t>(highExp - lowExp));
    return std::ldexp(r.Uniform(1, 2), e);
}

double Steps(double x, int steps) {
    for (; steps > 0; --steps)
        x = std::nextafter(x, INFINITY);
    for (; steps < 0; ++steps)
        x = std::nextafter(x, -INFINITY);
    return x;
}

// The doubles nearest to k pi/2, from 400 bits of pi.
double NearQuarterTurn(double k) {
    mpfr_t t;
    mpfr_init2(t, 400);
    mpfr_const_pi(t, MPFR_RNDN);
    mpfr_mul_d(t, t, k / 2, MPFR_RNDN);
    double d = mpfr_get_d(t, MPFR_RNDN);
    mpfr_clear(t);
    return d;
}

// Around a boundary: the double nearest to it and a few neighbours either side.
void Around(Arguments& out, double x, double y, int steps, bool first) {
    for (int i = -steps; i <= steps; ++i) {
        double v = Steps(first ? x : y, i);
        out.push_back(first ? std::make_pair(v, y) : std::make_pair(x, v));
    }
}

}  // namespace

Arguments RandomArguments(const std::string& name, int count, Random& r) {
    Arguments out;
    for (int i = 0; i < count; ++i) {
        bool whole = i % 2 == 0;
        double a = 0, b = 0;
        if (name == "sin" || name == "cos" || name == "tan") {
            a = whole ? r.AnyDouble() : r.Uniform(-1000, 1000);
        } else if (name == "asin" || name == "acos") {
            a = whole ? AnyBelow(r, 1) : r.Uniform(-1, 1);
        } else if (name == "atan") {
            a = whole ? r.AnyDouble() : r.Uniform(-50, 50);
        } else if (name == "atan2") {
            a = whole ? r.AnyDouble() : r.Uniform(-100, 100);
            b = whole ? r.AnyDouble() : r.Uniform(-100, 100);
        } else if (name == "exp") {
            a = whole ? AnyBelow(r, 746) : r.Uniform(-40, 40);
        } else if (name == "sinh" || name == "cosh") {
            a = whole ? AnyBelow(r, 711) : r.Uniform(-20, 20);
        } else if (name == "tanh") {
            a = whole ? AnyBelow(r, 23) : r.Uniform(-5, 5);
        } else if (name == "log" || name == "log10") {
            a = whole ? std::fabs(r.AnyDouble()) : r.Uniform(0, 1000);
        } else if (name == "pow") {
            if (whole) {
                // Any base, an exponent that keeps the result near the double range.
                a = std::fabs(r.AnyDouble());
                double lg = std::fabs(std::log2(a));
                b = Signed(r, lg > 0 ? r.Uniform(0, 1100 / lg) : r.Uniform(0, 1e6));
            } else {
                a = r.Uniform(0, 100);
                b = r.Uniform(-20, 20);
            }
        }
        out.emplace_back(a, b);
    }
    return out;
}

Arguments HardArguments(const std::string& name) {
    Arguments out;
    Random r(12345);
    const double tiny = 4.9406564584124654e-324;
    // Subnormal and tiny arguments, where f(x) ~ x, 1 or a constant.
    for (int i = 0; i < 200; ++i) {
        double sub = Signed(r, tiny * static_cast<double>(r.Next() >> 12));
        double small = Signed(r, Magnitude(r, -1022, -20));
        out.emplace_back(sub, 1.0);
        out.emplace_back(small, 1.0);
    }
    for (int e = -40; e <= -20; ++e)
        Around(out, std::ldexp(1.0, e), 1.0, 2, true);
    if (name == "sin" || name == "cos" || name == "tan") {
        for (int k = 1; k <= 2000; ++k)
            Around(out, NearQuarterTurn(k), 0, 1, true);
        for (int i = 0; i < 500; ++i)
            out.emplace_back(NearQuarterTurn(std::floor(r.Uniform(1, 1e15))), 0);
        out.emplace_back(std::ldexp(6381956970095103.0, 797), 0);  // the double nearest a multiple of pi/2
        out.emplace_back(1.7976931348623157e308, 0);
        out.emplace_back(285.65165634119671, 0);  // sin and cos once rounded twice here
        out.emplace_back(-0.91185133014135089, 0);
    } else if (name == "log" || name == "log10") {
        for (int i = 1; i <= 500; ++i) {
            out.emplace_back(1 + i * 2.220446049250313e-16, 0);
            out.emplace_back(1 - i * 1.1102230246251565e-16, 0);
            out.emplace_back(1 + Signed(r, Magnitude(r, -52, -1)), 0);
        }
        for (int e = -30; e <= 30; ++e)
            out.emplace_back(std::pow(10.0, e), 0);
        out.emplace_back(1.7976931348623157e308, 0);
        out.emplace_back(tiny, 0);
    } else if (name == "exp") {
        for (double edge : {709.782712893384, -708.3964185322641, -745.1332191019411, -744.44007192138122})
            Around(out, edge, 0, 300, true);
    } else if (name == "sinh" || name == "cosh") {
        Around(out, 710.4758600739439, 0, 300, true);
        Around(out, -710.4758600739439, 0, 300, true);
    } else if (name == "asin" || name == "acos") {
        for (int i = 1; i <= 500; ++i) {
            out.emplace_back(1 - i * 1.1102230246251565e-16, 0);
            out.emplace_back(-1 + i * 1.1102230246251565e-16, 0);
        }
        out.emplace_back(-0.26449539936556321, 0);
    } else if (name == "atan" || name == "atan2") {
        for (int i = 0; i < 500; ++i) {
            out.emplace_back(Signed(r, Magnitude(r, 20, 1023)), Signed(r, Magnitude(r, -1074, 1023)));
            out.emplace_back(Signed(r, Magnitude(r, -1074, -900)), Signed(r, Magnitude(r, 0, 200)));
        }
        // y / x exactly a midpoint: the arc tangent is just nearer zero.
        for (int i = 0; i < 200; ++i) {
            double q = std::ldexp(static_cast<double>((r.Next() >> 27) | 1), -900 - i);
            out.emplace_back(q, 2.0);
            out.emplace_back(3 * tiny * (i + 1), 2.0);
        }
    } else if (name == "pow") {
        // Near overflow and underflow, and the subnormal results between.
        for (double base : {2.0, 10.0, 0.5, 1.0000001, 3.0}) {
            double lg = std::log2(base);
            for (double target : {1024.0, -1022.0, -1074.0, -1075.0})
                Around(out, base, target / lg, 100, false);
        }
        // Exact results and exact midpoints: small powers, perfect squares, powers of two.
        for (int i = 0; i < 300; ++i) {
            double odd = static_cast<double>((r.Next() >> 37) | 1);  // up to 27 bits
            out.emplace_back(odd, 2.0);
            out.emplace_back(odd * odd, 0.5);
            out.emplace_back(-odd, 3.0);
            out.emplace_back(std::ldexp(odd, -560), 2.0);
            out.emplace_back(
                std::ldexp(1.0, static_cast<int>(r.Next() % 2000) - 1000),
                std::ldexp(static_cast<double>(r.Next() % 64) + 1, -static_cast<int>(r.Next() % 8)));
        }
        for (int k = -1080; k <= -1070; ++k)
            out.emplace_back(2.0, k);
        for (int k = 2; k <= 40; ++k)
            for (int n = -5; n <= 30; ++n)
                out.emplace_back(k, n);
        out.emplace_back(1 - 1.1102230246251565e-16, 4.6116860184273879e18);
        out.emplace_back(1 + 2.220446049250313e-16, -3.1e18);
        // Powers of two with huge whole exponents, where ex y is far beyond 64 bits.
        for (double y :
             {10843961455707728.0, -10843961455707728.0, 4503599627370497.0, -9007199254740991.0, 1.8e19})
            for (double x : {4.9406564584124654e-324, 2.0, 0.5, -1.0, 1.7976931348623157e308})
                out.emplace_back(x, y);
    }
    return out;
}
