// One evaluation: a recursive-descent parser that computes while it reads. Each grammar level
// reads from the shared cursor and returns its value; the first error stops everything. The ten
// two-operand levels share one function that climbs by precedence, so that a parenthesis costs
// a few stack frames rather than one per level.
#pragma once

#include <string>
#include <string_view>

class VariableStore;

class CalcParser {
public:
    // Deeper nesting of parentheses, function arguments and assignments is refused with
    // kCalcTooComplex, so that no line can exhaust the stack of the thread that evaluates it.
    static constexpr int kMaxDepth = 256;

    CalcParser(const char* line, bool degree, VariableStore& store, double lastAnswer)
        : p_(line), degree_(degree), store_(store), lastAnswer_(lastAnswer) {}

    // Parses the whole line as one expression. False: see ErrorText().
    bool ParseLine(double* value);
    bool Assigned() const { return assigned_; }
    std::string ErrorText() const;

private:
    bool Assignment(double* value);
    bool Conditional(double* value);
    bool Binary(int minPrecedence, double* value);
    bool Primary(double* value);
    bool Operand(double* value);
    bool Call(int function, double* value);
    bool Number(double* value);
    bool HexNumber(double* value);
    bool DecimalNumber(double* value);

    bool ReadName(std::string_view* name);
    void SkipSpaces() {
        while (*p_ == ' ')
            ++p_;
    }
    bool Fail(const char* message) {
        error_ = message;
        return false;
    }
    bool Fail(const char* message, std::string_view name);

    const char* p_;
    bool degree_;
    VariableStore& store_;
    double lastAnswer_;
    bool assigned_ = false;
    int depth_ = 0;
    const char* error_ = nullptr;
    std::string errorName_;   // appended to the message (the unknown name, the failed function)
    std::string nameBuffer_;  // a name written with inner spaces, put together
};
