// libFuzzer target: any line through the evaluator and every output format. Besides crashes,
// leaks and undefined behaviour it stops on a broken promise of the engine.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "engine/calc_engine.h"
#include "tests/mpfr/mpfr_reference.h"

namespace {

void Require(bool condition, const char* what, const std::string& line) {
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\nline: %s\n", what, line.c_str());
    std::abort();
}

std::string WithoutCommas(std::string text) {
    std::string out;
    for (char c : text) {
        if (c != ',')
            out += c;
    }
    return out;
}

void CheckFormats(double value, const std::string& line) {
    std::string plain = FormatValue(value, false, false);
    std::string grouped = FormatValue(value, false, true);
    std::string hex = FormatValue(value, true, false);
    Require(!plain.empty() && plain.size() <= 24, "decimal text length", line);
    Require(WithoutCommas(grouped) == plain, "commas only add commas", line);
    Require(grouped.find(",,") == std::string::npos && grouped[0] != ',' && grouped.rfind("-,", 0) != 0,
            "comma placement", line);
    Require(hex.rfind("0x", 0) == 0 && hex.size() >= 3 && hex.size() <= 10, "hex text", line);
    Require(FormatValue(value, true, true) == hex, "hex ignores commas", line);

    // A shown value reads back as itself (subnormals are refused as literals: underflow).
    if (std::isfinite(value) && (value == 0.0 || std::fabs(value) >= std::numeric_limits<double>::min())) {
        VariableStore store;
        CalcResult again;
        Require(CalcEvaluate(false, plain.c_str(), store, &again) == 0 && !again.isCommand, "text reads back",
                line);
        // Sixteen digits are one short of a double's: near a power of ten two doubles can share a
        // text, so the value read back is the one shown up to the last of those digits.
        Require(std::fabs(again.value - value) <= 1e-15 * std::fabs(value), "text reads back as the value",
                line);
    }
}

// The input's first bytes as a function and its arguments: the value is MPFR's, correctly
// rounded, to the last bit.
void CheckFunctionValue(const uint8_t* data, size_t size) {
    const size_t count = sizeof kMathFunctions / sizeof kMathFunctions[0];
    if (size < 17)
        return;
    const MathFunction& f = kMathFunctions[data[0] % count];
    double a, b;
    std::memcpy(&a, data + 1, sizeof a);
    std::memcpy(&b, data + 9, sizeof b);
    static MpfrDouble mpfr;
    double truth = mpfr.Value(f, a, b);
    // With the first evaluation's Dekker products, then with the fused multiply-add where it is there.
    for (bool fused : {false, true}) {
        QuickUseFused(fused);
        double got = f.pavra(a, b);
        if (!SameDouble(got, truth)) {
            std::fprintf(stderr, "broken: %s(%a, %a) = %a, correctly rounded %a (%s)\n", f.name, a, b, got,
                         truth, fused ? "fused" : "Dekker");
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static VariableStore store;
    if (store.Count() > 256)
        store.Clear();
    CheckFunctionValue(data, size);
    std::string line(reinterpret_cast<const char*>(data), size);
    for (bool degree : {false, true}) {
        CalcResult result;
        int status = CalcEvaluate(degree, line.c_str(), store, &result);
        if (status != 0) {
            Require(status == -1 && result.error.rfind("Error: ", 0) == 0 && !result.assigned, "error result",
                    line);
            continue;
        }
        Require(result.error.empty(), "no error text with a value", line);
        if (result.isCommand) {
            Require(result.command >= CalcEmpty && result.command <= CalcVars && !result.assigned,
                    "command code", line);
            continue;
        }
        Require(CalcLastAnswer() == result.value || std::isnan(result.value), "ans follows the value", line);
        CheckFormats(result.value, line);
    }
    return 0;
}
