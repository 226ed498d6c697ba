// The functions' precise path: multi-word arithmetic with a known error, its precision raised
// until the nearest double is certain. Slow, but never wrong; the callers try a fast path first.
// Each takes finite arguments outside the special cases that the callers settle themselves.
#pragma once

#include <cstdint>

double SlowExp(double x);
double SlowLog(double x);            // x > 0, x != 1
double SlowLog10(double x);          // x > 0, x != 1
double SlowPow(double x, double y);  // x > 0, x != 1, y != 0, finite
double SlowSin(double x);            // |x| >= 2^-30
double SlowCos(double x);
double SlowTan(double x);
double SlowSinh(double x);             // 2^-30 <= |x| <= 711
double SlowCosh(double x);             // 2^-27 <= |x| <= 711
double SlowTanh(double x);             // 2^-30 <= |x| <= 22
double SlowAsin(double x);             // 2^-30 <= |x| < 1
double SlowAcos(double x);             // |x| < 1
double SlowAtan(double x);             // |x| >= 2^-30
double SlowAtan2(double y, double x);  // both non-zero

// The nearest double to mant * 2^e, ties to even, overflow to infinity.
double RoundExact(uint64_t mant, int e, bool negative);

// Table values for the fast path, each as a sum of doubles (parts[0] the leading one, each
// further part the remainder's leading bits): the constants within 2^-52 of the last part and
// 2^-190, the tables within 2^-52 of the last part and 2^-120.
enum class SlowConstant { Ln2, HalfPi, InverseLn10 };
// Every part but the last is cut to `bits` significant bits, so that its products with small
// whole numbers are exact.
void SlowConstantParts(SlowConstant which, int bits, double* parts, int count);
void SlowTwoToFractionParts(int j, int bits, double parts[2]);           // 2^(j / 2^bits), 0 <= j < 2^bits
void SlowLogParts(double x, double parts[2]);                            // 0.5 <= x <= 2
void SlowSinCosParts(double x, double sinParts[2], double cosParts[2]);  // 0 <= x <= 1
void SlowAtanParts(double x, double parts[2]);                           // 0 <= x <= 1
