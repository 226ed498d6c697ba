#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calc_test_util.h"

namespace {

const char kMissingOperand[] = "Error: 数式の最後に何かが足りません";
const char kMissingNumber[] = "Error: 数式の最後に数がありません";
const char kDoubleSign[] = "Error: 符号が二重になっています";
const char kBadNumber[] = "Error: 不正な数です";
const char kRange[] = "Error: レンジエラー（オーバー／アンダーフロー）";
const char kUnclosed[] = "Error: 括弧が閉じていません";
const char kDivZero[] = "Error: 0による割り算です";
const char kBadConditional[] = "Error: 不正な条件式です";
const char kTrailing[] = "Error: 数式の最後に余計なものが付いています";
const char kUsage[] = "Error: 関数の使用法が間違っています";

std::string Unknown(const char* name) { return std::string("Error: 変数が存在しません") + name; }

class Evaluator : public ::testing::Test {
protected:
    void SetUp() override { CalcResetLastAnswer(); }
};

TEST_F(Evaluator, CommandWords) {
    const LineCase cases[] = {
        {"", "command 0"},
        {"     ", "command 0"},
        {"clear", "command 1"},
        {"close", "command 2"},
        {"dec", "command 3"},
        {"deg", "command 4"},
        {"exit", "command 5"},
        {"help  ", "command 6"},
        {"  hex", "command 7"},
        {"man", "command 8"},
        {"manual", "command 9"},
        {"quit", "command 10"},
        {"rad", "command 11"},
        {"ref", "command 12"},
        {"reference", "command 13"},
        {"vars", "command 14"},
        {"help x", Unknown("helpx")},
        {"HELP", Unknown("HELP")},
        {"clears", Unknown("clears")},
        {"manu", Unknown("manu")},
        {"refer", Unknown("refer")},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Evaluator, CommandWordsAreVariablesInExpressions) {
    VariableStore store;
    EXPECT_EQ(EvalText("clear = 5", store), "5");
    EXPECT_EQ(EvalText("clear + 1", store), "6");
    EXPECT_EQ(EvalText("clear", store), "command 1");
}

TEST_F(Evaluator, Operators) {
    const LineCase cases[] = {
        {"1+2*3", "7"},
        {"2*3+4", "10"},
        {"10-2-3", "5"},
        {"2/4/2", "0.25"},
        {"1 ? 2 : 3", "2"},
        {"0 ? 2 : 0 ? 4 : 5", "5"},
        {"0 ? 2 : 1 ? 4 : 5", "4"},
        {"1 ? 2 : 0 ? 4 : 5", "2"},
        {"1 ? (2 ? 3 : 4) : 5", "3"},
        {"0/0 ? 1 : 2", kDivZero},
        {"7 % 3", "1"},
        {"-7 % 3", "-1"},
        {"7 % -3", "1"},
        {"7.9 % 2.5", "1"},
        {"-2147483648 % -1", "0"},
        {"0x80000000L % -1", "0"},
        {"1 << 33", "2"},
        {"-8 >> 1", "-4"},
        {"1 << 31", "-2147483648"},
        {"1 << -1", "-2147483648"},
        {"-1 >> 40", "-1"},
        {"0xFFFFFFFF", "4294967295"},
        {"0xFFFFFFFF | 0", "-2147483648"},
        {"0xFFFFFFFFL | 0", "-1"},
        {"3 & 5", "1"},
        {"3 && 5", "1"},
        {"3 | 4", "7"},
        {"3 || 0", "1"},
        {"0 || 0", "0"},
        {"0 && 1", "0"},
        {"6 ^ 3", "5"},
        {"1 | 2 ^ 3 & 5", "3"},
        {"2 < 3 == 1", "1"},
        {"3 > 2 > 1", "0"},
        {"2 <= 2", "1"},
        {"2 >= 3", "0"},
        {"1 != 2", "1"},
        {"1 + 2 << 1", "6"},
        {"1 < 2 << 1", "1"},
        {"1e308*10", "inf"},
        {"-1e308*10", "-inf"},
        {"1e308*10 - 1e308*10", "nan"},
        {"--5", kDoubleSign},
        {"-(-5)", "5"},
        {"1--1", "2"},
        {"2*-3", "-6"},
        {"1+-+2", kDoubleSign},
        {"+ 4", "4"},
        {"- 4", "-4"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

// NaN is non-zero for the conditional and the logical operators, and unequal to everything.
TEST_F(Evaluator, NotANumberInComparisonsAndConditions) {
    VariableStore store;
    EvalText("n = 1e308*10 - 1e308*10", store);
    const LineCase cases[] = {
        {"n ? 1 : 2", "1"}, {"n == n", "0"}, {"n != n", "1"},          {"n < 1", "0"}, {"n >= 1", "0"},
        {"n && 1", "1"},    {"n || 0", "1"}, {"n | 0", "-2147483648"}, {"5 % n", "5"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line, store), c.expected) << c.line;
}

TEST_F(Evaluator, DivisionByZero) {
    const LineCase cases[] = {
        {"1/0", kDivZero},   {"1/-0", kDivZero}, {"5 % 0.5", kDivZero}, {"5 % -0.9", kDivZero},
        {"5 % 0", kDivZero}, {"0/5", "0"},       {"5 % 1", "0"},        {"5 % 1e10", "5"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Evaluator, NumberLiterals) {
    const LineCase cases[] = {
        {"1", "1"},
        {"1.5", "1.5"},
        {".5", "0.5"},
        {"5.", "5"},
        {"1e5", "100000"},
        {"2.5E-3", "0.0025"},
        {"1e+2", "100"},
        {"007", "7"},
        {"0.000123", "0.000123"},
        {"123456789012345678", "1.234567890123457e+017"},
        {"0.1000000000000000055511151231257827", "0.1"},
        {"1.7976931348623157e308", "1.797693134862316e+308"},
        {"2.2250738585072014e-308", "2.225073858507201e-308"},
        {"1e999", kRange},
        {"1e-400", kRange},
        {"1e-310", kRange},
        {"0e999", "0"},
        {"0.0e-999", "0"},
        {"1e", kTrailing},
        {"1e+", kTrailing},
        {"1.2.3", kTrailing},
        {".", kBadNumber},
        {".e5", kBadNumber},
        {"0x", kBadNumber},
        {"0xg", kBadNumber},
        {"0x 5", kBadNumber},
        {"0x-1", kBadNumber},
        {"0x0x5", kTrailing},
        {"0XfF", "255"},
        {"0x100000000", kRange},
        {"0x000000000FFFFFFFF", "4294967295"},
        {"0x80000000L", "-2147483648"},
        {"0x7FFFFFFFL", "2147483647"},
        {"0xFFul", "255"},
        {"0xFFUL", "255"},
        {"0xFFu", "255"},
        {"0xFFU", "255"},
        {"0xFFuL", kTrailing},
        {"0xFFlu", kTrailing},
        {"0xFFLL", kTrailing},
        {"1 2", kTrailing},
        {"2pi", kTrailing},
        {"*", kBadNumber},
        {"!1", kBadNumber},
        {"~1", kBadNumber},
        {"#", kBadNumber},
        {"\t1", kBadNumber},
        {"1\t", kTrailing},
        {"１", kBadNumber},
        {"1 + あ", kBadNumber},
        {"-", kMissingNumber},
        {"1*-", kMissingNumber},
        {"1+", kMissingOperand},
        {"(", kMissingOperand},
        {"x =", kMissingOperand},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Evaluator, Parentheses) {
    const LineCase cases[] = {
        {"(1+2)*3", "9"},     {"-(1+2)", "-3"},      {"((((7))))", "7"}, {"(1+2", kUnclosed},
        {"(1 2)", kUnclosed}, {"(1+2))", kTrailing}, {")", kBadNumber},  {"()", kBadNumber},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Evaluator, NamesAndAssignments) {
    VariableStore store;
    const LineCase session[] = {
        {"a = b = 3", "3"},
        {"a == 3", "1"},
        {"b", "3"},
        {"-a", "-3"},
        {"my var = 1", "1"},
        {"myvar", "1"},
        {"m y v a r + 1", "2"},
        {"_x1 = 2", "2"},
        {"_ x1", "2"},
        {"Abc = 1", "1"},
        {"abc", Unknown("abc")},
        {"sinx = 4", "4"},
        {"e1 = 5", "5"},
        {"pi2 = 6", "6"},
        {"exp2 = 7", "7"},
        {"answer = 8", "8"},
        {"sinx + e1 + pi2 + exp2 + answer", "30"},
        {"(x = 4) + y", Unknown("y")},
        {"x", "4"},
        {"x 1", kTrailing},
        {"sqrt(z = 16) + z", "20"},
        {"c = 1 ? 2 : 3", "2"},
        {"1 ? 2 : d = 3", Unknown("d")},
        {"1 ? (d = 3) : (f = 4)", "3"},
        {"d + f", "7"},
        {"1 ? 2 : d = 3", kTrailing},
        {"(a) = 3", kTrailing},
        {"1 + a = 3", kTrailing},
        {"pi = 3", kTrailing},
        {"ans = 3", kTrailing},
        {"e = 3", kTrailing},
        {"a == 4", "0"},
        {"a = = 4", kBadNumber},
        {"a =", kMissingOperand},
        {"zz", Unknown("zz")},
        {"lo g(1)", kBadNumber},
        {"p i", kBadNumber},
    };
    for (const LineCase& c : session)
        EXPECT_EQ(EvalText(c.line, store), c.expected) << c.line;
}

TEST_F(Evaluator, AssignedFlagAndStatus) {
    VariableStore store;
    CalcResult r;
    EXPECT_EQ(CalcEvaluate(false, "q = 2", store, &r), 0);
    EXPECT_TRUE(r.assigned);
    EXPECT_FALSE(r.isCommand);
    EXPECT_EQ(CalcEvaluate(false, "q + 1", store, &r), 0);
    EXPECT_FALSE(r.assigned);
    EXPECT_EQ(r.value, 3.0);
    EXPECT_EQ(CalcEvaluate(false, "(w = 4) + nope", store, &r), -1);
    EXPECT_FALSE(r.assigned);
    double w = 0;
    EXPECT_TRUE(store.Lookup("w", &w));
    EXPECT_EQ(w, 4.0);
    EXPECT_EQ(CalcEvaluate(false, "help", store, &r), 0);
    EXPECT_TRUE(r.isCommand);
    EXPECT_TRUE(r.error.empty());
}

// The previous answer changes only with a value: errors and commands leave it alone.
TEST_F(Evaluator, PreviousAnswer) {
    VariableStore store;
    const LineCase session[] = {
        {"ans", "0"},           {"3", "3"},   {"ans*2", "6"},      {"1/0", kDivZero}, {"ans", "6"},
        {"clear", "command 1"}, {"ans", "6"}, {"ans + ans", "12"},
    };
    for (const LineCase& c : session)
        EXPECT_EQ(EvalText(c.line, store), c.expected) << c.line;
    EXPECT_EQ(CalcLastAnswer(), 12.0);
}

// The first error in reading order is the one reported.
TEST_F(Evaluator, FirstErrorWins) {
    const LineCase cases[] = {
        {"1/0 + nope", kDivZero},
        {"nope + 1/0", Unknown("nope")},
        {"(1/0", kDivZero},
        {"(1 + nope", Unknown("nope")},
        {"1 ? 2 3", kBadConditional},
        {"1 ? 2 ? 3 : 4 : 5", kBadConditional},
        {"sqrt(-1) + 1/0", "Error: 関数内でエラーが起きましたsqrt"},
        {"sqrt(1/0)", kDivZero},
        {"1 1/0", kTrailing},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(EvalText(c.line), c.expected) << c.line;
}

TEST_F(Evaluator, ToInt32) {
    const double kInf = std::numeric_limits<double>::infinity();
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct {
        double in;
        int32_t out;
    } cases[] = {
        {0.0, 0},
        {2.9, 2},
        {-2.9, -2},
        {2147483647.9, 2147483647},
        {2147483648.0, INT32_MIN},
        {-2147483648.9, INT32_MIN},
        {-2147483649.0, INT32_MIN},
        {1e300, INT32_MIN},
        {-kInf, INT32_MIN},
        {kInf, INT32_MIN},
        {kNaN, INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToInt32(c.in), c.out) << c.in;
}

}  // namespace
