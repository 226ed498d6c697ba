#include "engine/calc_parser.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "engine/calc_engine.h"
#include "engine/calc_functions.h"
#include "engine/calc_tables.h"
#include "engine/variable_store.h"

namespace {

const char kMissingOperand[] = "Error: 数式の最後に何かが足りません";
const char kMissingNumber[] = "Error: 数式の最後に数がありません";
const char kDoubleSign[] = "Error: 符号が二重になっています";
const char kBadNumber[] = "Error: 不正な数です";
const char kRangeError[] = "Error: レンジエラー（オーバー／アンダーフロー）";
const char kUnclosed[] = "Error: 括弧が閉じていません";
const char kUnknownVariable[] = "Error: 変数が存在しません";
const char kDivideByZero[] = "Error: 0による割り算です";
const char kBadConditional[] = "Error: 不正な条件式です";
const char kTrailingText[] = "Error: 数式の最後に余計なものが付いています";
const char kFunctionUsage[] = "Error: 関数の使用法が間違っています";
const char kFunctionFailed[] = "Error: 関数内でエラーが起きました";
const char kTooComplex[] = "Error: 数式が複雑すぎます";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Exact powers of ten: a mantissa below 2^53 times or divided by one of these is a single,
// correctly rounded operation, so the result equals what strtod gives.
const double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Digit counts stop growing here; a longer literal still reads to its end.
constexpr int kLongLiteral = 1 << 28;

double Bool(bool b) { return b ? 1.0 : 0.0; }

// The remainder of the integer operands; INT32_MIN % -1 would trap, its remainder is 0.
int32_t Remainder(int32_t a, int32_t b) { return b == -1 ? 0 : a % b; }

// Precedence of the two-operand levels, loosest first.
enum Precedence {
    kNone = 0,
    kLogicalOr = 3,
    kLogicalAnd,
    kBitOr,
    kBitXor,
    kBitAnd,
    kEquality,
    kRelational,
    kShift,
    kAdditive,
    kMultiplicative
};

struct BinaryOperator {
    int precedence;
    int length;
    char code;  // the operator's first character, or one of "o a e n l g L G" for two-character ones
};

// The operator at the cursor. Two characters are tried before one, so "||" is never read as
// two "|", "<<" and "<=" never as "<"; a lone "=" or "!" is no operator.
BinaryOperator ReadOperator(const char* p) {
    switch (p[0]) {
    case '|': return p[1] == '|' ? BinaryOperator{kLogicalOr, 2, 'o'} : BinaryOperator{kBitOr, 1, '|'};
    case '&': return p[1] == '&' ? BinaryOperator{kLogicalAnd, 2, 'a'} : BinaryOperator{kBitAnd, 1, '&'};
    case '^': return {kBitXor, 1, '^'};
    case '=': return p[1] == '=' ? BinaryOperator{kEquality, 2, 'e'} : BinaryOperator{kNone, 0, 0};
    case '!': return p[1] == '=' ? BinaryOperator{kEquality, 2, 'n'} : BinaryOperator{kNone, 0, 0};
    case '<':
        if (p[1] == '<')
            return {kShift, 2, 'l'};
        return p[1] == '=' ? BinaryOperator{kRelational, 2, 'L'} : BinaryOperator{kRelational, 1, '<'};
    case '>':
        if (p[1] == '>')
            return {kShift, 2, 'g'};
        return p[1] == '=' ? BinaryOperator{kRelational, 2, 'G'} : BinaryOperator{kRelational, 1, '>'};
    case '+':
    case '-': return {kAdditive, 1, p[0]};
    case '*':
    case '/':
    case '%': return {kMultiplicative, 1, p[0]};
    default: return {kNone, 0, 0};
    }
}

// Applies one two-operand operator. False only for "/" and "%" by zero. NaN is non-zero for
// the logical operators and unequal to everything; the integer operators work on ToInt32.
bool Apply(char code, double* value, double right) {
    double left = *value;
    switch (code) {
    case 'o': *value = Bool(left != 0.0 || right != 0.0); break;
    case 'a': *value = Bool(!(left == 0.0 || right == 0.0)); break;
    case '|': *value = ToInt32(left) | ToInt32(right); break;
    case '^': *value = ToInt32(left) ^ ToInt32(right); break;
    case '&': *value = ToInt32(left) & ToInt32(right); break;
    case 'e': *value = Bool(left == right); break;
    case 'n': *value = Bool(left != right); break;
    case '<': *value = Bool(left < right); break;
    case '>': *value = Bool(left > right); break;
    case 'L': *value = Bool(left <= right); break;
    case 'G': *value = Bool(left >= right); break;
    case 'l':
        *value = static_cast<int32_t>(static_cast<uint32_t>(ToInt32(left)) << (ToInt32(right) & 31));
        break;
    case 'g':  // arithmetic: the sign fills in
        *value = ToInt32(left) >> (ToInt32(right) & 31);
        break;
    case '+': *value = left + right; break;
    case '-': *value = left - right; break;
    case '*': *value = left * right; break;
    case '/':
        if (right == 0.0)
            return false;
        *value = left / right;
        break;
    case '%': {
        int32_t divisor = ToInt32(right);
        if (divisor == 0)
            return false;
        *value = Remainder(ToInt32(left), divisor);
        break;
    }
    }
    return true;
}

}  // namespace

bool CalcParser::Fail(const char* message, std::string_view name) {
    errorName_.assign(name.data(), name.size());
    return Fail(message);
}

std::string CalcParser::ErrorText() const {
    std::string text = error_ ? error_ : "";
    text += errorName_;
    return text;
}

bool CalcParser::ParseLine(double* value) {
    if (!Assignment(value))
        return false;
    SkipSpaces();
    if (*p_ != '\0')
        return Fail(kTrailingText);
    return true;
}

// A name is letters, digits and underscores after a letter or underscore; spaces between its
// characters are skipped and not part of it, so "my var" reads as "myvar". After spaces only a
// letter or underscore carries the name on: "sin 1" is the function without its parenthesis,
// not a variable "sin1".
bool CalcParser::ReadName(std::string_view* name) {
    const char* start = p_;
    if (!IsNameStart(*p_))
        return false;
    while (IsNameChar(*p_))
        ++p_;
    const char* end = p_;
    const char* next = end;
    while (*next == ' ')
        ++next;
    if (!IsNameStart(*next)) {
        *name = std::string_view(start, end - start);
        return true;
    }
    nameBuffer_.assign(start, end);
    for (;;) {
        next = p_;
        while (*next == ' ')
            ++next;
        if (!IsNameStart(*next))
            break;
        for (p_ = next; IsNameChar(*p_); ++p_)
            nameBuffer_ += *p_;
    }
    *name = nameBuffer_;
    return true;
}

bool CalcParser::Assignment(double* value) {
    if (++depth_ > kMaxDepth)
        return Fail(kTooComplex);
    SkipSpaces();
    const char* start = p_;
    std::string_view name;
    if (ReadName(&name) && !CalcIsReserved(name)) {
        SkipSpaces();
        if (p_[0] == '=' && p_[1] != '=') {
            ++p_;
            // The name may live in nameBuffer_, which the right side can overwrite.
            std::string spaced;
            if (name.data() == nameBuffer_.data()) {
                spaced = nameBuffer_;
                name = spaced;
            }
            if (!Assignment(value))
                return false;
            store_.Assign(name, *value);
            assigned_ = true;
            --depth_;
            return true;
        }
    }
    p_ = start;
    if (!Conditional(value))
        return false;
    --depth_;
    return true;
}

// c ? a : b is right-associative in b. All operands are evaluated, left to right, before the
// choice is made, so the chain is read in a loop: the first condition that holds picks its value.
bool CalcParser::Conditional(double* value) {
    bool chosen = false;
    double result = 0.0;
    for (;;) {
        double condition;
        if (!Binary(kLogicalOr, &condition))
            return false;
        SkipSpaces();
        if (*p_ != '?') {
            *value = chosen ? result : condition;
            return true;
        }
        ++p_;
        double middle;
        if (!Binary(kLogicalOr, &middle))
            return false;
        SkipSpaces();
        if (*p_ != ':')
            return Fail(kBadConditional);
        ++p_;
        if (!chosen && condition != 0.0) {  // NaN counts as non-zero
            chosen = true;
            result = middle;
        }
    }
}

bool CalcParser::Binary(int minPrecedence, double* value) {
    if (!Primary(value))
        return false;
    for (;;) {
        SkipSpaces();
        BinaryOperator op = ReadOperator(p_);
        if (op.precedence < minPrecedence)
            return true;
        p_ += op.length;
        double right;
        if (!Binary(op.precedence + 1, &right))
            return false;
        if (!Apply(op.code, value, right))
            return Fail(kDivideByZero);
    }
}

// One operand with at most one sign in front: a parenthesised expression, a variable, a
// function call, a constant or a number.
bool CalcParser::Primary(double* value) {
    SkipSpaces();
    if (*p_ == '\0')
        return Fail(kMissingOperand);
    double sign = 1.0;
    if (*p_ == '+' || *p_ == '-') {
        sign = *p_ == '-' ? -1.0 : 1.0;
        ++p_;
        SkipSpaces();
    }
    if (!Operand(value))
        return false;
    *value *= sign;
    return true;
}

bool CalcParser::Operand(double* value) {
    if (*p_ == '(') {
        ++p_;
        if (!Assignment(value))
            return false;
        SkipSpaces();
        if (*p_ != ')')
            return Fail(kUnclosed);
        ++p_;
        return true;
    }
    const char* start = p_;
    std::string_view name;
    if (ReadName(&name) && !CalcIsReserved(name)) {
        if (!store_.Lookup(name, value))
            return Fail(kUnknownVariable, name);
        return true;
    }
    // A reserved word is matched in the raw text, so one written with inner spaces is not one.
    p_ = start;
    int function = CalcMatchFunction(p_);
    if (function >= 0)
        return Call(function, value);
    if (std::strncmp(p_, "ans", 3) == 0) {
        p_ += 3;
        *value = lastAnswer_;
        return true;
    }
    if (p_[0] == 'p' && p_[1] == 'i') {
        p_ += 2;
        *value = kCalcPi;
        return true;
    }
    if (*p_ == 'e') {
        ++p_;
        *value = kCalcE;
        return true;
    }
    return Number(value);
}

bool CalcParser::Call(int function, double* value) {
    const CalcFunctionInfo& info = kCalcFunctions[function];
    p_ += std::strlen(info.name);
    SkipSpaces();
    if (*p_ != '(')
        return Fail(kFunctionUsage);
    ++p_;
    double a;
    double b = 0.0;
    if (!Assignment(&a))
        return false;
    if (info.arguments == 2) {
        SkipSpaces();
        if (*p_ != ',')
            return Fail(kFunctionUsage);
        ++p_;
        if (!Assignment(&b))
            return false;
    }
    SkipSpaces();
    if (*p_ != ')')
        return Fail(kFunctionUsage);
    ++p_;
    if (!CalcApplyFunction(function, a, b, degree_, value))
        return Fail(kFunctionFailed, info.name);
    return true;
}

bool CalcParser::Number(double* value) {
    SkipSpaces();
    if (*p_ == '\0')
        return Fail(kMissingNumber);
    if (*p_ == '+' || *p_ == '-')
        return Fail(kDoubleSign);
    if (p_[0] == '0' && (p_[1] == 'x' || p_[1] == 'X'))
        return HexNumber(value);
    return DecimalNumber(value);
}

// 0x followed by up to 32 bits of hexadecimal digits, then an optional suffix: L takes the
// bits as signed, UL and U change nothing.
bool CalcParser::HexNumber(double* value) {
    p_ += 2;
    uint64_t bits = 0;
    const char* digits = p_;
    for (int d; (d = HexDigit(*p_)) >= 0; ++p_) {
        bits = bits * 16 + d;
        if (bits > 0xFFFFFFFFu)
            return Fail(kRangeError);
    }
    if (p_ == digits)
        return Fail(kBadNumber);
    if (*p_ == 'l' || *p_ == 'L') {
        ++p_;
        *value = static_cast<double>(static_cast<int64_t>(bits) - (bits > 0x7FFFFFFFu ? 0x100000000 : 0));
        return true;
    }
    if ((p_[0] == 'u' && p_[1] == 'l') || (p_[0] == 'U' && p_[1] == 'L'))
        p_ += 2;
    else if (*p_ == 'u' || *p_ == 'U')
        ++p_;
    *value = static_cast<double>(bits);
    return true;
}

// Digits, an optional fraction and an optional exponent (1, 1.5, .5, 5., 2.5E-3). Short
// literals are converted here exactly; the rest go to strtod, which reads the same text.
bool CalcParser::DecimalNumber(double* value) {
    const char* start = p_;
    uint64_t mantissa = 0;  // the digits after the leading zeros, while there are few of them
    int significant = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    bool anyDigit = false;
    for (;; ++p_) {
        if (*p_ == '.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!IsDigit(*p_))
            break;
        anyDigit = true;
        if (significant > 0 || *p_ != '0') {
            if (significant < 19)
                mantissa = mantissa * 10 + (*p_ - '0');
            if (significant < kLongLiteral)
                ++significant;
        }
        if (inFraction && fractionDigits < kLongLiteral)
            ++fractionDigits;
    }
    if (!anyDigit)
        return Fail(kBadNumber);
    int exponent = 0;
    if (*p_ == 'e' || *p_ == 'E') {
        const char* q = p_ + 1;
        bool negative = *q == '-';
        if (*q == '+' || *q == '-')
            ++q;
        if (IsDigit(*q)) {
            for (; IsDigit(*q); ++q) {
                if (exponent < kLongLiteral / 10)
                    exponent = exponent * 10 + (*q - '0');
            }
            if (negative)
                exponent = -exponent;
            p_ = q;
        }
    }
    int scale = exponent - fractionDigits;
    double result;
    if (significant == 0) {
        result = 0.0;
    } else if (significant <= 15 && scale >= -22 && scale <= 22) {
        result = static_cast<double>(mantissa);
        result = scale < 0 ? result / kExactPowers[-scale] : result * kExactPowers[scale];
    } else {
        // strtod stops where the scan above stopped: what follows there is no part of a number.
        result = std::strtod(start, nullptr);
    }
    // Beyond the double range: too large, or so small that digits would be lost (an underflow).
    if (std::isinf(result) || (significant > 0 && std::fabs(result) < std::numeric_limits<double>::min()))
        return Fail(kRangeError);
    *value = result;
    return true;
}
