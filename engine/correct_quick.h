// The functions' first evaluation: a reduction by table and a polynomial in doubles, with a
// double-double correction only in the leading terms. Each returns its value and proven bound
// (about 2^-66, against 2^-75 for the fast path), or nothing where it does not reach; the fast
// path and then the precise path decide what its bound cannot. Only +, -, *, /, the square root
// and exact products on doubles, so every build gives the same bits.
#pragma once

#include "engine/correct_fast.h"

FastValue QuickExp(double x);
FastValue QuickLog(double x);
FastValue QuickSinh(double x);  // 1/2 <= |x|
FastValue QuickCosh(double x);
FastValue QuickLog10(double x);
FastValue QuickAtan(double x);             // 2^-30 <= |x|
FastValue QuickAtan2(double y, double x);  // both finite and non-zero
FastValue QuickAsin(double x);             // 2^-30 <= |x| < 1
FastValue QuickAcos(double x);             // |x| < 1
FastValue QuickSin(double x);              // 2^-30 <= |x|
FastValue QuickCos(double x);
FastValue QuickTan(double x);
FastValue QuickPow(double x, double y);  // x > 0, x != 1
FastValue QuickTanh(double x);           // 2^-30 <= |x| <= 22

// Where the processor has the fused multiply-add, the first evaluation's exact products use it
// (chosen at the first call); elsewhere Dekker's. Both give the same bits. For the tests: whether
// it is there, and a choice of either (the fused one only where it is there).
bool QuickFusedAvailable();
void QuickUseFused(bool fused);
