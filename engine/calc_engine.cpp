#include "engine/calc_engine.h"

#include <cstring>

#include "engine/calc_parser.h"
#include "engine/calc_tables.h"

namespace {

double lastAnswer = 0.0;

// A command word counts only when the line holds nothing else but spaces.
int MatchCommand(const char* text) {
    for (int i = 0; i < static_cast<int>(sizeof kCalcCommands / sizeof kCalcCommands[0]); ++i) {
        const char* word = kCalcCommands[i].word;
        if (text[0] != word[0])
            continue;
        size_t length = std::strlen(word);
        if (std::strncmp(text, word, length) != 0)
            continue;
        const char* rest = text + length;
        while (*rest == ' ')
            ++rest;
        if (*rest == '\0')
            return i + 1;
    }
    return -1;
}

}  // namespace

int CalcEvaluate(bool degree, const char* line, VariableStore& store, CalcResult* result) {
    *result = CalcResult();
    const char* text = line;
    while (*text == ' ')
        ++text;
    int command = *text == '\0' ? CalcEmpty : MatchCommand(text);
    if (command >= 0) {
        result->isCommand = true;
        result->command = command;
        return 0;
    }
    CalcParser parser(line, degree, store, lastAnswer);
    double value;
    if (!parser.ParseLine(&value)) {
        result->error = parser.ErrorText();
        return -1;
    }
    result->value = value;
    result->assigned = parser.Assigned();
    lastAnswer = value;
    return 0;
}

double CalcLastAnswer() { return lastAnswer; }

void CalcResetLastAnswer() { lastAnswer = 0.0; }

int32_t ToInt32(double x) {
    if (x > -2147483649.0 && x < 2147483648.0)  // false for NaN
        return static_cast<int32_t>(x);
    return INT32_MIN;
}
