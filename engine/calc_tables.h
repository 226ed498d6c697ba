// The fixed tables the reference window shows, in the order it shows them. The names in the
// first column are the very words the evaluator and the calculator mode recognise.
#pragma once

#include <cstddef>
#include <string>

struct CalcCommandInfo {
    const char* word;
    const char* description;
};

struct CalcFunctionInfo {
    const char* name;
    int arguments;
    const char* usage;
    const char* description;
};

struct CalcConstantInfo {
    const char* name;
    const char* description;
};

struct CalcOperatorInfo {
    const char* symbol;
    const char* name;
    const char* note;  // "" where the row has no note
};

extern const CalcCommandInfo kCalcCommands[14];
extern const CalcFunctionInfo kCalcFunctions[20];
extern const CalcConstantInfo kCalcConstants[3];
extern const CalcOperatorInfo kCalcOperators[19];

// The answer text of a command word: the word, ": " and its description ("ref" and
// "reference" both answer with the text of "reference"). code is a CalcCommand.
const char* CalcCommandWord(int code);
const char* CalcCommandDescription(int code);
// The whole answer text ("clear: 定義した変数を全て削除します"); empty for code 0.
std::string CalcCommandAnswer(int code);

// The start-up and empty-line answer of the calculator.
extern const char* const kCalcGreeting;
