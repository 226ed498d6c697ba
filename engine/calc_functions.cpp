#include "engine/calc_functions.h"

#include <cmath>
#include <cstring>

#include "engine/calc_tables.h"
#include "engine/calc_trig.h"
#include "engine/correct_math.h"

namespace {

// In the order of kCalcFunctions.
enum Function {
    Abs,
    Acos,
    Asin,
    Atan2,
    Atan,
    Ceil,
    Cosh,
    Cos,
    Exp,
    Fabs,
    Floor,
    Fmod,
    Log10,
    Log,
    Pow,
    Sinh,
    Sin,
    Sqrt,
    Tanh,
    Tan,
    FunctionCount
};
static_assert(FunctionCount == sizeof kCalcFunctions / sizeof kCalcFunctions[0], "one case per function");

// The product is rounded to a double before the division, as a C compiler would do it.
double FromDegrees(double x, bool degree) {
    if (!degree)
        return x;
    double product = kCalcPi * x;
    return product / 180.0;
}

double ToDegrees(double x, bool degree) {
    if (!degree)
        return x;
    double product = x * 180.0;
    return product / kCalcPi;
}

// A domain error shows as NaN from arguments that were not NaN, a pole or an overflow as an
// infinity from finite arguments. Judging by the values rather than errno gives one answer
// with every C runtime: some leave errno alone on an overflowing pow or on fmod(7, 0), and an
// underflow to zero or to a subnormal is a value, not an error, whatever errno says.
bool Failed(double result, double a, double b) {
    if (std::isnan(result))
        return !std::isnan(a) && !std::isnan(b);
    if (std::isinf(result))
        return std::isfinite(a) && std::isfinite(b);
    return false;
}

}  // namespace

namespace {

// The reserved words with their lengths, and which bytes can begin one, built once from the
// tables so that a name is told apart without a string search.
struct ReservedWords {
    std::string_view functions[FunctionCount];
    std::string_view constants[sizeof kCalcConstants / sizeof kCalcConstants[0]];
    bool first[256] = {};

    ReservedWords() {
        for (int i = 0; i < FunctionCount; ++i) {
            functions[i] = kCalcFunctions[i].name;
            first[static_cast<unsigned char>(functions[i][0])] = true;
        }
        for (size_t i = 0; i < sizeof constants / sizeof constants[0]; ++i) {
            constants[i] = kCalcConstants[i].name;
            first[static_cast<unsigned char>(constants[i][0])] = true;
        }
    }
};

// Built at start-up from kCalcFunctions and kCalcConstants, which are constant data and so
// are ready before any constructor runs.
const ReservedWords kReserved;

}  // namespace

bool CalcIsReserved(std::string_view name) {
    const ReservedWords& words = kReserved;
    if (name.empty() || name.size() > 5 || !words.first[static_cast<unsigned char>(name[0])])
        return false;
    for (std::string_view f : words.functions) {
        if (f == name)
            return true;
    }
    for (std::string_view c : words.constants) {
        if (c == name)
            return true;
    }
    return false;
}

int CalcMatchFunction(const char* text) {
    const ReservedWords& words = kReserved;
    if (!words.first[static_cast<unsigned char>(text[0])])
        return -1;
    for (int i = 0; i < FunctionCount; ++i) {
        std::string_view name = words.functions[i];
        if (text[0] == name[0] && std::strncmp(text, name.data(), name.size()) == 0)
            return i;
    }
    return -1;
}

bool CalcApplyFunction(int index, double a, double b, bool degree, double* result) {
    double r = 0.0;
    bool checked = true;
    switch (static_cast<Function>(index)) {
    case Abs:
    case Fabs:
        r = std::fabs(a);
        checked = false;
        break;
    case Acos: r = CalcAcos(a); break;
    case Asin: r = CalcAsin(a); break;
    case Atan2: r = CalcAtan2(a, b); break;
    case Atan:
        r = CalcAtan(a);
        checked = false;
        break;
    case Ceil:
        r = std::ceil(a);
        checked = false;
        break;
    case Cosh:
        r = CalcCosh(FromDegrees(a, degree));
        checked = false;
        break;
    case Cos:
        r = CalcCos(FromDegrees(a, degree));
        checked = false;
        break;
    case Exp: r = CalcExp(a); break;
    case Floor:
        r = std::floor(a);
        checked = false;
        break;
    case Fmod: r = std::fmod(a, b); break;
    case Log10: r = CalcLog10(a); break;
    case Log: r = CalcLog(a); break;
    case Pow: r = CalcPow(a, b); break;
    case Sinh:
        r = CalcSinh(FromDegrees(a, degree));
        checked = false;
        break;
    case Sin:
        r = CalcSin(FromDegrees(a, degree));
        checked = false;
        break;
    case Sqrt: r = std::sqrt(a); break;
    case Tanh:
        r = CalcTanh(FromDegrees(a, degree));
        checked = false;
        break;
    case Tan:
        a = FromDegrees(a, degree);
        r = CalcTan(a);
        break;
    case FunctionCount: return false;
    }
    if (checked && Failed(r, a, kCalcFunctions[index].arguments == 2 ? b : 0.0))
        return false;
    if (index == Acos || index == Asin || index == Atan2 || index == Atan)
        r = ToDegrees(r, degree);
    *result = r;
    return true;
}
