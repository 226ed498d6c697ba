// The calculator engine: one line in, a value, a command code or an error text out.
#pragma once

#include <cstdint>
#include <string>

#include "engine/variable_store.h"

enum CalcCommand : int {
    CalcEmpty = 0,
    CalcClear = 1,
    CalcClose = 2,
    CalcDec = 3,
    CalcDeg = 4,
    CalcExit = 5,
    CalcHelp = 6,
    CalcHex = 7,
    CalcMan = 8,
    CalcManual = 9,
    CalcQuit = 10,
    CalcRad = 11,
    CalcRef = 12,
    CalcReference = 13,
    CalcVars = 14,
};

struct CalcResult {
    bool isCommand = false;
    int command = CalcEmpty;
    double value = 0.0;
    std::string error;
    bool assigned = false;
};

// Evaluates one input line (NUL-terminated, code page 932). Returns 0 for a value or a
// command, -1 for an error (message in result->error). A value also becomes lastAnswer.
int CalcEvaluate(bool degree, const char* line, VariableStore& store, CalcResult* result);

// The value of the last successful evaluation of this run, read by the constant "ans".
double CalcLastAnswer();
void CalcResetLastAnswer();

// Truncation toward zero to a signed 32-bit integer; out of range and NaN give INT32_MIN.
int32_t ToInt32(double x);

// The answer-line text of a value: hexadecimal ("0x%X" of the low 32 bits) or "%.16g"
// decimal with a three-digit exponent and optional comma grouping.
std::string FormatValue(double value, bool hex, bool comma);
