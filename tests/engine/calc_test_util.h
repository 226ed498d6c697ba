// Helpers for the engine tests: one line in, the answer-line text out.
#pragma once

#include <string>

#include "engine/calc_engine.h"

// The text the calculator would show: the value (decimal, no commas), the error message, or
// "command N" for a command word.
inline std::string EvalText(const char* line, VariableStore& store, bool degree = false) {
    CalcResult result;
    int status = CalcEvaluate(degree, line, store, &result);
    if (status != 0)
        return result.error;
    if (result.isCommand)
        return "command " + std::to_string(result.command);
    return FormatValue(result.value, false, false);
}

inline std::string EvalText(const std::string& line, VariableStore& store, bool degree = false) {
    return EvalText(line.c_str(), store, degree);
}

inline std::string EvalText(const char* line, bool degree = false) {
    VariableStore store;
    return EvalText(line, store, degree);
}

struct LineCase {
    const char* line;
    std::string expected;
};
