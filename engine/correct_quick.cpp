#include "engine/correct_quick.h"

// The double-doubles stay in scalar registers: packed into vectors through memory, their halves
// are stored apart and loaded together, which stalls on every call.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

#include <atomic>
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
const double kQuickAsinEps = 2.710505431213761e-20;   // 2^-65
const double kQuickArcEps = 6.776263578034403e-21;    // 2^-67

// 2^k for -1022 <= k <= 1023.
double Pow2(int k) {
    uint64_t bits = static_cast<uint64_t>(k + 1023) << 52;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
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

// Two copies of the arithmetic, each in a namespace of its own inside this file's. The helpers
// are inlined into each function, where their constant arguments fold away.
#define PAVRA_QUICK_INLINE inline __attribute__((always_inline))
#define PAVRA_QUICK_FLATTEN __attribute__((flatten))

namespace {

namespace dekker {
inline DD Product(double a, double b) { return TwoProd(a, b); }
using ::ShortProduct;
// c - a b where it is a double: c and the product's high part agree (Sterbenz).
inline double Residual(double c, double a, double b) {
    DD p = TwoProd(a, b);
    return (c - p.hi) - p.lo;
}
inline double ShortResidual(double c, double a, double b) {
    DD p = ShortProduct(a, b);
    return (c - p.hi) - p.lo;
}
// a - b c where the product and the difference are both exact.
inline double ExactMulSub(double a, double b, double c) { return a - b * c; }
// m r - 1 for r of 10 significant bits, where it is a double: m to 42 bits times r is exact, so is
// its difference with 1 (Sterbenz) and the rest of m times r.
inline double ScaledLessOne(double m, double r) {
    double mh = (m + 2048.0) - 2048.0;
    return (mh * r - 1) + (m - mh) * r;
}
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
PAVRA_FUSED_TARGET inline double Residual(double c, double a, double b) { return __builtin_fma(-a, b, c); }
PAVRA_FUSED_TARGET inline double ShortResidual(double c, double a, double b) { return Residual(c, a, b); }
PAVRA_FUSED_TARGET inline double ScaledLessOne(double m, double r) { return __builtin_fma(m, r, -1.0); }
PAVRA_FUSED_TARGET inline double ExactMulSub(double a, double b, double c) { return __builtin_fma(-b, c, a); }
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

// Chosen once, at the first call (-1 until then); the tests may force either. A relaxed atomic
// is a plain load, and the choice out of line keeps each call's entry short.
std::atomic<signed char> fusedChoice{-1};

#if defined(__GNUC__)
__attribute__((noinline, cold))
#endif
bool ChooseFused() {
    bool fused = FusedAvailable();
    fusedChoice.store(fused ? 1 : 0, std::memory_order_relaxed);
    return fused;
}

inline bool UseFused() {
    signed char choice = fusedChoice.load(std::memory_order_relaxed);
    return choice < 0 ? ChooseFused() : choice != 0;
}

}  // namespace

bool QuickFusedAvailable() { return FusedAvailable(); }

void QuickUseFused(bool fused) {
    fusedChoice.store(fused && FusedAvailable() ? 1 : 0, std::memory_order_relaxed);
}

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

bool QuickExpRounded(double* out, double x) { return PAVRA_QUICK_CALL(ExpRounded, out, x); }
bool QuickLogRounded(double* out, double x) { return PAVRA_QUICK_CALL(LogRounded, out, x); }
bool QuickLog10Rounded(double* out, double x) { return PAVRA_QUICK_CALL(Log10Rounded, out, x); }
bool QuickSinhRounded(double* out, double x) { return PAVRA_QUICK_CALL(SinhRounded, out, x); }
bool QuickCoshRounded(double* out, double x) { return PAVRA_QUICK_CALL(CoshRounded, out, x); }
bool QuickSinRounded(double* out, double x) { return PAVRA_QUICK_CALL(SinRounded, out, x); }
bool QuickCosRounded(double* out, double x) { return PAVRA_QUICK_CALL(CosRounded, out, x); }
bool QuickTanRounded(double* out, double x) { return PAVRA_QUICK_CALL(TanRounded, out, x); }
bool QuickAtanRounded(double* out, double x) { return PAVRA_QUICK_CALL(AtanRounded, out, x); }
bool QuickAtan2Rounded(double* out, double y, double x) { return PAVRA_QUICK_CALL(Atan2Rounded, out, y, x); }
bool QuickAsinRounded(double* out, double x) { return PAVRA_QUICK_CALL(AsinRounded, out, x); }
bool QuickAcosRounded(double* out, double x) { return PAVRA_QUICK_CALL(AcosRounded, out, x); }
bool QuickPowRounded(double* out, double x, double y) { return PAVRA_QUICK_CALL(PowRounded, out, x, y); }
bool QuickTanhRounded(double* out, double x) { return PAVRA_QUICK_CALL(TanhRounded, out, x); }
