// The calculator's transcendental functions, correctly rounded: each returns the double nearest
// to the exact value (ties to even), with the C library's values at infinities, NaNs, zeros and
// poles. Plain integer and IEEE arithmetic only, so every build gives the same bits.
#pragma once

double CalcExp(double x);
double CalcLog(double x);
double CalcLog10(double x);
double CalcPow(double x, double y);
double CalcSinh(double x);
double CalcCosh(double x);
double CalcTanh(double x);
double CalcAsin(double x);
double CalcAcos(double x);
double CalcAtan(double x);
double CalcAtan2(double y, double x);
