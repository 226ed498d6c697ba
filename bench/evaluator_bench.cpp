// One-shot evaluation, as the calculator does at each Enter: parse and compute one line.
// Pavra's evaluator against muparser (one parser reused: SetExpr, then Eval) on the same lines
// with the same variables, then Pavra on ever longer lines to show that the cost stays linear.
#include <muParser.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/calc_trig.h"
#include "engine/correct_fast.h"
#include "engine/correct_math.h"
#include "engine/correct_quick.h"
#include "engine/correct_slow.h"

// Every heap allocation of the process is counted, to show how many one evaluation makes.
#include "tests/engine/allocation_counter.h"

namespace {

const char* const kCorpus[] = {
    "1/(sqrt(2*pi)*0.5) * exp( -pow(1,2) / (2*pow(0.5,2)) )",
    "x = 3",
    "y = x * 2 + 1",
    "total = price * rate",
    "r = sqrt(x*x + y*y)",
    "(x + 1) * (y - 2) / 3",
    "0xFF & 0x0F",
    "(0xF0 | 0x0F) & mask",
    "1 << 10",
    "0x7FFFFFFF >> 4",
    "255 % 16",
    "sin(pi/6) + cos(pi/3)",
    "atan2(1, 2) * 180 / pi",
    "log10(1000) + log(e)",
    "floor(3.7) + ceil(-2.2) + fabs(-1.5)",
    "fmod(10, 3) + pow(2, 0.5)",
};
const int kLines = sizeof kCorpus / sizeof kCorpus[0];

struct Variable {
    const char* name;
    double value;
};
const Variable kVariables[] = {{"x", 3},      {"y", 7},     {"r", 0},      {"price", 1980},
                               {"rate", 1.1}, {"total", 0}, {"mask", 0x3C}};

// The thread's own CPU time: other work on a busy machine does not count against either side.
double CpuNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

// The best of several rounds, in nanoseconds of CPU time per call of run(line).
template <typename Run>
double NsPerLine(const std::vector<std::string>& lines, long calls, Run run) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        double start = CpuNanoseconds();
        long done = 0;
        while (done < calls) {
            for (const std::string& line : lines)
                run(line);
            done += static_cast<long>(lines.size());
        }
        double ns = (CpuNanoseconds() - start) / done;
        if (ns < best)
            best = ns;
    }
    return best;
}

// muparser with the calculator's vocabulary where it has none of its own.
double Pow(double a, double b) { return std::pow(a, b); }
double Atan2(double a, double b) { return std::atan2(a, b); }
double Fmod(double a, double b) { return std::fmod(a, b); }
double Floor(double a) { return std::floor(a); }
double Ceil(double a) { return std::ceil(a); }
double Fabs(double a) { return std::fabs(a); }
double Log(double a) { return std::log(a); }
double BitAnd(double a, double b) { return ToInt32(a) & ToInt32(b); }
double BitOr(double a, double b) { return ToInt32(a) | ToInt32(b); }
double ShiftLeft(double a, double b) {
    return static_cast<int32_t>(static_cast<uint32_t>(ToInt32(a)) << (ToInt32(b) & 31));
}
double ShiftRight(double a, double b) { return ToInt32(a) >> (ToInt32(b) & 31); }
double Remainder(double a, double b) { return ToInt32(a) % ToInt32(b); }

int HexLiteral(const char* text, int* pos, double* value) {
    if (text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return 0;
    char* end;
    *value = static_cast<double>(std::strtoul(text + 2, &end, 16));
    *pos += static_cast<int>(end - text);
    return 1;
}

void SetUpMuparser(mu::Parser& parser, std::vector<double>& storage) {
    for (size_t i = 0; i < storage.size(); ++i)
        parser.DefineVar(kVariables[i].name, &storage[i]);
    parser.DefineConst("pi", 3.141592653589793);
    parser.DefineConst("e", 2.718281828459045);
    parser.DefineFun("pow", Pow);
    parser.DefineFun("atan2", Atan2);
    parser.DefineFun("fmod", Fmod);
    parser.DefineFun("floor", Floor);
    parser.DefineFun("ceil", Ceil);
    parser.DefineFun("fabs", Fabs);
    parser.DefineFun("log", Log);
    parser.DefineOprt("&", BitAnd, mu::prLOGIC);
    parser.DefineOprt("|", BitOr, mu::prLOGIC);
    parser.DefineOprt("<<", ShiftLeft, mu::prCMP);
    parser.DefineOprt(">>", ShiftRight, mu::prCMP);
    parser.DefineOprt("%", Remainder, mu::prMUL_DIV);
    parser.AddValIdent(HexLiteral);
}

std::string Repeat(const std::string& text, size_t bytes) {
    std::string out;
    while (out.size() + text.size() < bytes)
        out += text;
    return out;
}

struct FunctionPair {
    const char* name;
    double (*pavra)(double, double);
    double (*library)(double, double);
    double low, high;                    // the arguments, spread over the range a user types
    FastValue (*first)(double, double);  // the first evaluation
    FastValue (*fast)(double, double);   // the double-double evaluation that came before it
    double (*precise)(double, double);   // and the precise path behind both
};

#define ONE(f) [](double a, double) { return f(a); }
#define TWO(f) [](double a, double b) { return f(a, b); }
const FunctionPair kFunctionPairs[] = {
    {"acos", ONE(CalcAcos), ONE(std::acos), -1, 1, ONE(QuickAcos), ONE(FastAcos), ONE(SlowAcos)},
    {"asin", ONE(CalcAsin), ONE(std::asin), -1, 1, ONE(QuickAsin), ONE(FastAsin), ONE(SlowAsin)},
    {"atan", ONE(CalcAtan), ONE(std::atan), -50, 50, ONE(QuickAtan), ONE(FastAtan), ONE(SlowAtan)},
    {"atan2", TWO(CalcAtan2), TWO(std::atan2), -100, 100, TWO(QuickAtan2), TWO(FastAtan2), TWO(SlowAtan2)},
    {"cos", ONE(CalcCos), ONE(std::cos), -1000, 1000, ONE(QuickCos), ONE(FastCos), ONE(SlowCos)},
    {"cosh", ONE(CalcCosh), ONE(std::cosh), -20, 20, ONE(QuickCosh), ONE(FastCosh), ONE(SlowCosh)},
    {"exp", ONE(CalcExp), ONE(std::exp), -40, 40, ONE(QuickExp), ONE(FastExp), ONE(SlowExp)},
    {"log", ONE(CalcLog), ONE(std::log), 0, 1000, ONE(QuickLog), ONE(FastLog), ONE(SlowLog)},
    {"log10", ONE(CalcLog10), ONE(std::log10), 0, 1000, ONE(QuickLog10), ONE(FastLog10), ONE(SlowLog10)},
    {"pow", TWO(CalcPow), TWO(std::pow), 0, 20, TWO(QuickPow), TWO(FastPow), TWO(SlowPow)},
    {"sin", ONE(CalcSin), ONE(std::sin), -1000, 1000, ONE(QuickSin), ONE(FastSin), ONE(SlowSin)},
    {"sinh", ONE(CalcSinh), ONE(std::sinh), -20, 20, ONE(QuickSinh), ONE(FastSinh), ONE(SlowSinh)},
    {"tan", ONE(CalcTan), ONE(std::tan), -1000, 1000, ONE(QuickTan), ONE(FastTan), ONE(SlowTan)},
    {"tanh", ONE(CalcTanh), ONE(std::tanh), -5, 5, ONE(QuickTanh), ONE(FastTanh), ONE(SlowTanh)},
};
#undef ONE
#undef TWO

// The best of five rounds, in nanoseconds of CPU time per call of fn on the arguments.
template <typename Fn>
double NsPerCall(const std::vector<std::pair<double, double>>& args, long calls, Fn fn) {
    volatile double sink = 0;
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        double start = CpuNanoseconds();
        long done = 0;
        while (done < calls) {
            for (const auto& [a, b] : args)
                sink = sink + fn(a, b);
            done += static_cast<long>(args.size());
        }
        double ns = (CpuNanoseconds() - start) / done;
        if (ns < best)
            best = ns;
    }
    return best;
}

// Time per call of each function against the C library's on the same arguments; the time of the
// first evaluation with its rounding test alone, and the share of calls it decides.
void FunctionRows(long calls) {
    std::printf(
        "functions: time per call against the C library on the same 1000 arguments (aim: 3x or less)\n");
    uint64_t state = 88172645463325252ull;
    for (const FunctionPair& f : kFunctionPairs) {
        std::vector<std::pair<double, double>> args;
        for (int i = 0; i < 1000; ++i) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            double u = static_cast<double>(state >> 11) / 9007199254740992.0;
            double v = static_cast<double>((state >> 3) & 0xFFFFF) / 1048576.0;
            args.emplace_back(f.low + (f.high - f.low) * u, -20 + 40 * v);
        }
        double pavra = NsPerCall(args, calls, f.pavra), library = NsPerCall(args, calls, f.library);
        auto firstFn = f.first;
        double first = NsPerCall(args, calls, [firstFn](double a, double b) {
            double r;
            return FastRound(firstFn(a, b), &r) ? r : 0.0;
        });
        auto fastFn = f.fast;
        auto preciseFn = f.precise;
        double before = NsPerCall(args, calls, [fastFn, preciseFn](double a, double b) {
            double r;
            return FastRound(fastFn(a, b), &r) ? r : preciseFn(a, b);
        });
        int decided = 0;
        for (const auto& [a, b] : args) {
            double r;
            decided += FastRound(f.first(a, b), &r);
        }
        std::printf(
            "  function %-6s pavra %9.1f ns/call  library %7.1f ns/call  ratio %6.2fx  first evaluation "
            "%7.1f "
            "ns/call decides %5.1f%%  without it %7.1f ns/call ratio %6.2fx\n",
            f.name, pavra, library, pavra / library, first, decided * 100.0 / args.size(), before,
            before / library);
    }
}

}  // namespace

int main(int argc, char** argv) {
    long calls = argc > 1 ? std::atol(argv[1]) : 400000;
    std::vector<std::string> lines(kCorpus, kCorpus + kLines);

    VariableStore store;
    for (const Variable& v : kVariables)
        store.Assign(v.name, v.value);
    std::vector<double> storage;
    for (const Variable& v : kVariables)
        storage.push_back(v.value);
    mu::Parser parser;
    SetUpMuparser(parser, storage);

    // Both must compute the same thing, or the comparison means nothing.
    int mismatches = 0;
    for (const std::string& line : lines) {
        CalcResult result;
        CalcEvaluate(false, line.c_str(), store, &result);
        double theirs = 0;
        try {
            parser.SetExpr(line);
            theirs = parser.Eval();
        } catch (mu::Parser::exception_type& e) {
            std::printf("muparser cannot read \"%s\": %s\n", line.c_str(), e.GetMsg().c_str());
            return 1;
        }
        if (!(std::fabs(theirs - result.value) <= 1e-12 * std::fabs(result.value))) {
            std::printf("results differ on \"%s\": pavra %.17g, muparser %.17g\n", line.c_str(), result.value,
                        theirs);
            ++mismatches;
        }
    }

    CalcResult result;
    long before = heapAllocations.load();
    for (const std::string& line : lines)
        CalcEvaluate(false, line.c_str(), store, &result);
    double pavraAllocs = static_cast<double>(heapAllocations.load() - before) / kLines;
    before = heapAllocations.load();
    for (const std::string& line : lines) {
        parser.SetExpr(line);
        parser.Eval();
    }
    double muAllocs = static_cast<double>(heapAllocations.load() - before) / kLines;

    double pavra = NsPerLine(
        lines, calls, [&](const std::string& line) { CalcEvaluate(false, line.c_str(), store, &result); });
    double mu = NsPerLine(lines, calls / 20, [&](const std::string& line) {
        parser.SetExpr(line);
        parser.Eval();
    });

    std::printf("evaluator: one-shot evaluation of %d typical lines (parse and compute)\n", kLines);
    std::printf("  pavra     %9.1f ns/line  %5.2f heap allocations/line\n", pavra, pavraAllocs);
    std::printf("  muparser  %9.1f ns/line  %5.2f heap allocations/line\n", mu, muAllocs);
    std::printf("  ratio     pavra takes 1/%.1f of muparser's time (goal: 1/25 or less)\n", mu / pavra);

    std::printf("evaluator: long lines (\"x*2+\" repeated, then 1)\n");
    double first = 0;
    for (size_t kb = 64; kb <= 1024; kb *= 2) {
        std::vector<std::string> one{Repeat("x*2+", kb << 10) + "1"};
        long repeat = static_cast<long>(64 * 1024 / kb);
        double ns = NsPerLine(
            one, repeat, [&](const std::string& line) { CalcEvaluate(false, line.c_str(), store, &result); });
        double perByte = ns / one[0].size();
        if (first == 0)
            first = perByte;
        std::printf("  %5zu KB  %9.3f ms/line  %6.3f ns/byte  (x%.2f of the 64 KB cost per byte)\n", kb,
                    ns / 1e6, perByte, perByte / first);
    }
    FunctionRows(calls / 40);
    return mismatches == 0 ? 0 : 1;
}
