// The functions' first evaluation: a reduction by table and a polynomial in doubles, with a
// double-double correction only in the leading terms. Each returns its value and proven bound
// (about 2^-66, against 2^-75 for the fast path), or nothing where it does not reach; the fast
// path and then the precise path decide what its bound cannot. Only +, -, *, / and the square
// root on doubles, so every build gives the same bits.
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
