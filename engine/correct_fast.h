// The functions' fast path: double-double evaluation with a proven relative error bound. Each
// returns true with the correctly rounded value when every value within that bound rounds to the
// same double, and false otherwise (then the precise path decides). Only +, -, *, / on doubles,
// so every build gives the same bits. The arguments are those the precise path takes.
#pragma once

bool FastExp(double x, double* out);
bool FastLog(double x, double* out);
bool FastLog10(double x, double* out);
bool FastPow(double x, double y, double* out);  // x > 0, x != 1, |y log x| below about 4096
bool FastSinh(double x, double* out);
bool FastCosh(double x, double* out);
bool FastTanh(double x, double* out);
bool FastSin(double x, double* out);
bool FastCos(double x, double* out);
bool FastTan(double x, double* out);
bool FastAtan(double x, double* out);             // 2^-30 <= |x|
bool FastAtan2(double y, double x, double* out);  // both finite and non-zero
bool FastAsin(double x, double* out);             // 2^-30 <= |x| < 1
bool FastAcos(double x, double* out);             // |x| < 1

// For the tests: while set, each rounding test of the fast path stores here the double-double it
// rounds and its bound (the value before the last scaling by a power of two or change of sign).
struct FastRecord {
    double hi = 0, lo = 0, eps = 0;
    bool made = false;
};
void FastRecordTo(FastRecord* record);
