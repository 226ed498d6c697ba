#include "engine/correct_quick.h"

// The double-doubles stay in scalar registers: packed into vectors through memory, their halves
// are stored apart and loaded together, which stalls on every call.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/double_double.h"
#include "engine/math_tables.h"

// Bounds are absolute or relative as stated, u = 2^-53; each function hands the rounding test a
// bound at least twice the one its steps give.

namespace {

double Abs(double a) { return a < 0 ? -a : a; }

FastValue Made(DD v, double eps) {
    FastValue out;
    out.hi = v.hi;
    out.lo = v.lo;
    out.eps = eps;
    out.made = true;
    return out;
}

const FastValue kNotMade;

const double kQuickAtanEps = 6.776263578034403e-21;   // 2^-67
const double kQuickLogEps = 6.776263578034403e-21;    // 2^-67
const double kQuickExpEps = 6.776263578034403e-21;    // 2^-67
const double kQuickTrigEps = 1.3552527156068805e-20;  // 2^-66
const double kQuickTanEps = 2.710505431213761e-20;    // 2^-65
const double kQuickTanhEps = 1.3552527156068805e-20;  // 2^-66

// 2^k for -1022 <= k <= 1023.
double Pow2(int k) {
    uint64_t bits = static_cast<uint64_t>(k + 1023) << 52;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// k pi/2 + sign atan, k = 1 or 2, within 2^-68.5 relative: atan <= pi/4 carries its absolute error
// 2^-68.5 pi/4 into a result of at least pi/4; the constant and the sums add 2^-104.
DD FromQuarter(int k, double sign, DD atan) {
    const DD& m = kPiMultiples[k - 1];
    DD s = TwoSum(m.hi, sign * atan.hi);
    return FastTwoSum(s.hi, (s.lo + m.lo) + sign * atan.lo);
}

DD Negate(DD a, bool negative) { return negative ? DD{-a.hi, -a.lo} : a; }

bool Moderate(double a) {
    return a >= 3.054936363499605e-151 && a <= 3.273390607896142e150;
}  // 2^-500, 2^500

bool LogArgument(double x) { return x > 0 && x <= 1.7976931348623157e308 && x != 1; }

// a b exactly, for the products that the bounds allow (see TwoProd); ShortProduct for b of at most
// 27 significant bits, where a's halves times b are exact.
DD ShortProduct(double a, double b) {
    DD s = Split(a);
    double p = a * b;
    return {p, (s.hi * b - p) + s.lo * b};
}

}  // namespace

// Two copies of the arithmetic, each in a namespace of its own inside this file's.
namespace {

namespace dekker {
inline DD Product(double a, double b) { return TwoProd(a, b); }
using ::ShortProduct;
}  // namespace dekker

#define PAVRA_QUICK_NAMESPACE dekker
#define PAVRA_QUICK_TARGET
#include "engine/correct_quick_core.h"
#undef PAVRA_QUICK_NAMESPACE
#undef PAVRA_QUICK_TARGET

#if defined(__x86_64__) || defined(__i386__)
#define PAVRA_HAVE_FUSED 1
// 128-bit vectors only: a 256-bit register left half-used would slow the SSE code called after.
#if defined(__clang__)
#define PAVRA_FUSED_TARGET __attribute__((target("fma")))
#else
#define PAVRA_FUSED_TARGET __attribute__((target("fma,prefer-vector-width=128")))
#endif
namespace fused {
// The fused multiply-add rounds a b - p once: its value is the exact error of p = a b.
PAVRA_FUSED_TARGET inline DD Product(double a, double b) {
    double p = a * b;
    return {p, __builtin_fma(a, b, -p)};
}
PAVRA_FUSED_TARGET inline DD ShortProduct(double a, double b) { return Product(a, b); }
}  // namespace fused

#define PAVRA_QUICK_NAMESPACE fused
#define PAVRA_QUICK_TARGET PAVRA_FUSED_TARGET
#include "engine/correct_quick_core.h"
#undef PAVRA_QUICK_NAMESPACE
#undef PAVRA_QUICK_TARGET
#else
#define PAVRA_HAVE_FUSED 0
#endif

bool FusedAvailable() {
#if PAVRA_HAVE_FUSED
    return __builtin_cpu_supports("fma");
#else
    return false;
#endif
}

// Chosen once, at the first call; the tests may force either.
bool& UseFused() {
    static bool fused = FusedAvailable();
    return fused;
}

}  // namespace

bool QuickFusedAvailable() { return FusedAvailable(); }

void QuickUseFused(bool fused) { UseFused() = fused && FusedAvailable(); }

#if PAVRA_HAVE_FUSED
#define PAVRA_QUICK_CALL(name, ...) (UseFused() ? fused::name(__VA_ARGS__) : dekker::name(__VA_ARGS__))
#else
#define PAVRA_QUICK_CALL(name, ...) dekker::name(__VA_ARGS__)
#endif

FastValue QuickExp(double x) { return PAVRA_QUICK_CALL(Exp, x); }
FastValue QuickLog(double x) { return PAVRA_QUICK_CALL(Log, x); }
FastValue QuickLog10(double x) { return PAVRA_QUICK_CALL(Log10, x); }
FastValue QuickSinh(double x) { return PAVRA_QUICK_CALL(Sinh, x); }
FastValue QuickCosh(double x) { return PAVRA_QUICK_CALL(Cosh, x); }
FastValue QuickSin(double x) { return PAVRA_QUICK_CALL(Sin, x); }
FastValue QuickCos(double x) { return PAVRA_QUICK_CALL(Cos, x); }
FastValue QuickTan(double x) { return PAVRA_QUICK_CALL(Tan, x); }
FastValue QuickAtan(double x) { return PAVRA_QUICK_CALL(Atan, x); }
FastValue QuickAtan2(double y, double x) { return PAVRA_QUICK_CALL(Atan2, y, x); }
FastValue QuickAsin(double x) { return PAVRA_QUICK_CALL(Asin, x); }
FastValue QuickAcos(double x) { return PAVRA_QUICK_CALL(Acos, x); }
FastValue QuickPow(double x, double y) { return PAVRA_QUICK_CALL(Pow, x, y); }
FastValue QuickTanh(double x) { return PAVRA_QUICK_CALL(Tanh, x); }
