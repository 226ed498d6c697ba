// pavra-calc: the calculator on a console. Each line read from standard input gives exactly one
// output line: the text the calculator's answer line shows after Enter.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "console/text_converter.h"
#include "engine/calc_engine.h"
#include "engine/calc_tables.h"

namespace {

struct ConsoleState {
    bool hex = false;
    bool degree = false;
    bool comma = true;
    bool valueShown = false;
    double lastShown = 0.0;
    VariableStore store;
};

const char kUsage[] =
    "usage: pavra-calc [--hex] [--deg] [--no-comma]\n"
    "Reads calculator lines from standard input and prints one answer line for each.\n";

// The answer to one command word; sets *quit for "exit" and "quit".
std::string RunCommand(int command, ConsoleState* state, bool* quit) {
    switch (command) {
    case CalcEmpty: return kCalcGreeting;
    case CalcClear: state->store.Clear(); break;
    case CalcDeg: state->degree = true; break;
    case CalcRad: state->degree = false; break;
    case CalcHex:
    case CalcDec:
        state->hex = command == CalcHex;
        if (state->valueShown)
            return FormatValue(state->lastShown, state->hex, state->comma);
        break;
    case CalcExit:
    case CalcQuit: *quit = true; break;
    default: break;
    }
    return CalcCommandAnswer(command);
}

std::string Answer(std::string& line, ConsoleState* state, bool* quit) {
    // The calculator reads up to a NUL; a NUL typed inside the line must not hide the rest, so
    // it becomes a byte that no token accepts.
    for (char& c : line) {
        if (c == '\0')
            c = '\x7f';
    }
    CalcResult result;
    if (CalcEvaluate(state->degree, line.c_str(), state->store, &result) != 0)
        return result.error;
    if (result.isCommand)
        return RunCommand(result.command, state, quit);
    state->valueShown = true;
    state->lastShown = result.value;
    return FormatValue(result.value, state->hex, state->comma);
}

}  // namespace

int main(int argc, char** argv) {
    ConsoleState state;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hex") == 0) {
            state.hex = true;
        } else if (std::strcmp(argv[i], "--deg") == 0) {
            state.degree = true;
        } else if (std::strcmp(argv[i], "--no-comma") == 0) {
            state.comma = false;
        } else {
            std::fputs(kUsage, std::strcmp(argv[i], "--help") == 0 ? stdout : stderr);
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }
#ifdef _WIN32
    // Code page 932 bytes pass unchanged; a 0x1A inside a line is no end of input.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    TextConverter text;
    if (!text.Ready()) {
        std::fputs("pavra-calc: no UTF-8 to CP932 converter available\n", stderr);
        return 1;
    }
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string calcLine = text.ToCalc(line);
        bool quit = false;
        std::string answer = text.FromCalc(Answer(calcLine, &state, &quit));
        answer += '\n';
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fflush(stdout);
        if (quit)
            return 0;
    }
    return 0;
}
