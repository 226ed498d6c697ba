#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc_test_util.h"
#include "engine/calc_tables.h"

namespace {

const char kUsage[] = "Error: 関数の使用法が間違っています";

std::string Failed(const char* name) { return std::string("Error: 関数内でエラーが起きました") + name; }
std::string Text(double value) { return FormatValue(value, false, false); }

class Functions : public ::testing::Test {
protected:
    void SetUp() override { CalcResetLastAnswer(); }
};

// Each name reaches its own function (a mix-up of the table order shows here). The texts are
// those of the correctly rounded values, the same in every build.
TEST_F(Functions, EveryNameComputesItsFunction) {
    const LineCase cases[] = {
        {"abs(-0.7)", "0.7"},
        {"acos(0.7)", "0.7953988301841436"},
        {"asin(0.7)", "0.775397496610753"},
        {"atan2(0.7, 0.3)", "1.165904540509813"},
        {"atan(0.7)", "0.6107259643892086"},
        {"ceil(-0.7)", "-0"},
        {"cosh(0.7)", "1.255169005630943"},
        {"cos(0.7)", "0.7648421872844885"},
        {"exp(0.7)", "2.013752707470477"},
        {"fabs(-0.7)", "0.7"},
        {"floor(-0.7)", "-1"},
        {"fmod(0.7, 0.3)", Text(std::fmod(0.7, 0.3))},
        {"log10(0.7)", "-0.1549019599857432"},
        {"log(0.7)", "-0.3566749439387324"},
        {"pow(0.7, 0.3)", "0.8985234417906397"},
        {"sinh(0.7)", "0.7585837018395335"},
        {"sin(0.7)", "0.644217687237691"},
        {"sqrt(0.7)", Text(std::sqrt(0.7))},
        {"tanh(0.7)", "0.6043677771171635"},
        {"tan(0.7)", "0.8422883804630794"},
    };
    static_assert(sizeof cases / sizeof cases[0] == sizeof kCalcFunctions / sizeof kCalcFunctions[0], "");
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Functions, ValuesInBothBuilds) {
    const LineCase cases[] = {
        {"ans", "0"},
        {"sqrt(16)", "4"},
        {"-sqrt(16)", "-4"},
        {"pow(2, 10)", "1024"},
        {"fabs(-2.5)", "2.5"},
        {"abs(-2.5)", "2.5"},
        {"ceil(-1.5)", "-1"},
        {"floor(-1.5)", "-2"},
        {"e", "2.718281828459045"},
        {"pi", "3.141592653589793"},
        {"-pi", "-3.141592653589793"},
        {"+e", "2.718281828459045"},
        {"log10(1000)", "3"},
        {"log(1)", "0"},
        {"exp(0)", "1"},
        {"atan2(0, -1)", "3.141592653589793"},
        {"fmod(-7, 3)", "-1"},
        {"fmod(7.5, 2)", "1.5"},
        {"sin (0)", "0"},
        {"sqrt( x = 16 ) + x", "20"},
        {"cosh(0) + cos(0)", "2"},
        {"sinh(0) + tanh(0)", "0"},
        {"exp(-1000)", "0"},
        {"pow(2, -1080)", "0"},
        {"pow(2, -1070)", Text(std::ldexp(1.0, -1070))},
        {"cosh(1000)", "inf"},
        {"sinh(-1000)", "-inf"},
        {"tanh(1e308*10)", "1"},
        {"sin(1e308*10)", "nan"},
        {"atan(1e308*10 - 1e308*10)", "nan"},
        {"sqrt(1e308*10 - 1e308*10)", "nan"},
        {"pow(1e308*10 - 1e308*10, 0)", "1"},
        {"exp(1e308*10)", "inf"},
        {"log(1e308*10)", "inf"},
        {"exp(-1e308*10)", "0"},
        {"atan2(0, 0)", "0"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

// The checked functions fail on a domain error, a pole or an overflow, whatever the C runtime
// does with errno.
TEST_F(Functions, Errors) {
    const LineCase cases[] = {
        {"sqrt(-1)", Failed("sqrt")},
        {"sqrt(-1e308*10)", Failed("sqrt")},
        {"log(0)", Failed("log")},
        {"log(-0)", Failed("log")},
        {"log(-1e308*10)", Failed("log")},
        {"log10(-1)", Failed("log10")},
        {"log10(0)", Failed("log10")},
        {"fmod(7, 0)", Failed("fmod")},
        {"fmod(1e308*10, 2)", Failed("fmod")},
        {"exp(1000)", Failed("exp")},
        {"pow(10, 400)", Failed("pow")},
        {"pow(0, -1)", Failed("pow")},
        {"pow(-8, 1/3)", Failed("pow")},
        {"acos(2)", Failed("acos")},
        {"asin(-1.5)", Failed("asin")},
        {"tan(1e308*10)", Failed("tan")},
        {"-sqrt(-1)", Failed("sqrt")},
        {"1 + log(0) + nope", Failed("log")},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Functions, Usage) {
    const LineCase cases[] = {
        {"pow(2)", kUsage},
        {"pow(2, 3, 4)", kUsage},
        {"sin 1", kUsage},
        {"sin = 3", kUsage},
        {"sqrt", kUsage},
        {"sqrt 4", kUsage},
        {"sqrt(4", kUsage},
        {"sqrt(4, 5)", kUsage},
        {"atan2(1 1)", kUsage},
        {"atan2(1,", "Error: 数式の最後に何かが足りません"},
        {"sqrt()", "Error: 不正な数です"},
        {"abs(1))", "Error: 数式の最後に余計なものが付いています"},
        {"s in(1)", "Error: 不正な数です"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

// Arguments of the trigonometric and hyperbolic functions are degrees, results of the inverse
// ones are degrees; pi stays pi and the other functions are untouched.
TEST_F(Functions, DegreeMode) {
    const LineCase cases[] = {
        {"sin(90)", "1"},
        {"asin(1)", "90"},
        {"acos(0)", "90"},
        {"atan(1)", "45"},
        {"atan2(1, 1)", "45"},
        {"sinh(90)", "2.301298902307295"},
        {"cos(0)", "1"},
        {"tan(0)", "0"},
        {"pi", "3.141592653589793"},
        {"sqrt(16)", "4"},
        {"exp(0)", "1"},
        {"tan(1e308)", Failed("tan")},
        {"asin(2)", Failed("asin")},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line, true), c.expected) << c.line;
    EXPECT_EQ(EvalText("asin(1)"), "1.570796326794897");
    volatile double ninety = 90.0;
    EXPECT_EQ(EvalText("sinh(90)"), Text(std::sinh(ninety)));
}

// The value of one line, which must succeed.
double Value(const char* line, bool degree = false) {
    VariableStore store;
    CalcResult result;
    EXPECT_EQ(CalcEvaluate(degree, line, store, &result), 0) << line;
    return result.value;
}

// How many units in the last place a computed value is away from the true one.
double Ulps(double got, double truth) {
    return std::fabs(got - truth) / (std::nextafter(std::fabs(truth), 1e300) - std::fabs(truth));
}

// Trigonometric functions of any argument stay within one unit in the last place of the true
// value (given here to 17 digits) in both builds: one C runtime reduces large arguments with a
// rounded pi and is wrong from about 1e6 on, down to the sign near 1e18.
TEST_F(Functions, TrigonometryOfLargeArguments) {
    struct {
        const char* x;
        double sin, cos, tan;
    } cases[] = {
        {"1e6", -0.34999350217129294, 0.93675212753314474, -0.37362445398759903},
        {"1e15", 0.85827279317023586, -0.51319373778697031, -1.672414782127583},
        {"1e18", -0.99296932074040511, 0.11837199021871073, -8.3885496805936874},
        {"1e22", -0.85220084976718879, 0.52321478539513899, -1.6287782256068988},
        {"-1e22", 0.85220084976718879, 0.52321478539513899, 1.6287782256068988},
        {"1e300", -0.81788191211590855, -0.57538611195754907, 1.4214488238747245},
        {"1.7976931348623157e308", 0.004961954789184062, -0.99998768942655991, -0.0049620158744448951},
        {"123456789.123", 0.99984293955204506, 0.017722760166677856, 56.415757486350181},
        {"355", -3.0144353359488451e-05, -0.99999999954565899, 3.0144353373184265e-05},
        {"9.42477796076938", 3.6739403974420594e-16, -1, -3.6739403974420594e-16},
        {"0.7853981633974484", 0.70710678118654757, 0.70710678118654746, 1.0000000000000002},
        {"5.497787143782138", -0.70710678118654768, 0.70710678118654735, -1.0000000000000004},
        {"-2.5", -0.59847214410395655, -0.8011436155469337, 0.74702229723866032},
    };
    for (const auto& c : cases) {
        std::string x = c.x;
        EXPECT_LE(Ulps(Value(("sin(" + x + ")").c_str()), c.sin), 1.0) << "sin " << x;
        EXPECT_LE(Ulps(Value(("cos(" + x + ")").c_str()), c.cos), 1.0) << "cos " << x;
        EXPECT_LE(Ulps(Value(("tan(" + x + ")").c_str()), c.tan), 1.0) << "tan " << x;
    }
    EXPECT_EQ(EvalText("sin(1e22)"), "-0.8522008497671888");
    EXPECT_EQ(EvalText("tan(90)", true), "1.633123935319537e+016");
    EXPECT_EQ(EvalText("sin(180)", true), "1.224646799147353e-016");
    EXPECT_EQ(EvalText("cos(180)", true), "-1");
}

// Function names are reserved: never assigned, never looked up as variables; longer names
// are tried before their prefixes.
TEST_F(Functions, ReservedNames) {
    VariableStore store;
    for (const CalcFunctionInfo& f : kCalcFunctions) {
        std::string line = std::string(f.name) + " = 1";
        EXPECT_EQ(EvalText(line.c_str(), store), kUsage) << line;
    }
    EXPECT_EQ(store.Count(), 0u);
    const LineCase cases[] = {
        {"sqrt2 = 3", "3"},        {"sqrt2", "3"},   {"log10(100)", "2"}, {"atan2(1, 0) == asin(1)", "1"},
        {"cosh(0) - cos(0)", "0"}, {"tanh(0)", "0"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line, store), c.expected) << c.line;
}

}  // namespace
