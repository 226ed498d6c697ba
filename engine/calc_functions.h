// The calculator's built-in functions and constants, reached from the evaluator's innermost level.
#pragma once

#include <string_view>

// Written out rather than computed: 2 * asin(1) is exactly this double, and a literal keeps
// both C runtimes in agreement.
constexpr double kCalcPi = 3.14159265358979323846;
constexpr double kCalcE = 2.71828182845904523536;

// The twenty function names and "ans", "pi", "e" can never be variables.
bool CalcIsReserved(std::string_view name);

// The index in kCalcFunctions of the function whose name the text begins with, or -1.
int CalcMatchFunction(const char* text);

// Computes function `index` of kCalcFunctions (b is ignored for one argument). False when the
// function has an error check and the call failed.
bool CalcApplyFunction(int index, double a, double b, bool degree, double* result);
