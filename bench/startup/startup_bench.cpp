// Start-up benchmark: how long pavra.exe takes from its start until the bar is ready (window
// visible, input line focused, Return answered), and how much private memory it then holds,
// against a minimal Win32 dialog program measured the same way in the same run (the floor), and
// against that program showing the bar's own window (the window's share of the time), and, when
// given, against pavra.exe built without its manifest (the cost of the themed common controls).
// The time a Wine process takes to exit is not part of any figure.
#include "app_process.h"
#include "controls.h"
#include "keyboard.h"
#include "test_folder.h"
#include "wait.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double shownMs = 0;     // visible with the input line focused
    double answeredMs = 0;  // and the answer to "1+1" Return on the answer line
    e2e::MemoryFigures memory;
};

struct Program {
    const char* label;
    std::string exe;
    const char* title;
    std::vector<Sample> samples;
};

const int kInput = 1000;
const int kAnswer = 1001;

bool Measure(Program& program, e2e::TestFolder& folder, Sample& sample) {
    e2e::AppProcess process;
    const double start = e2e::NowMs();
    if (!process.Launch(folder.File("program.exe"), folder.Path()))
        return false;
    HWND window = process.WaitMainWindow(program.title, kInput, 30000);
    if (!window) {
        std::fprintf(stderr, "%s: %s\n", program.label, process.Error().c_str());
        return false;
    }
    sample.shownMs = e2e::NowMs() - start;
    // Keys go to the foreground window: the program has it once it shows itself.
    if (!e2e::WaitUntil([&] { return e2e::ForegroundWindow() == window; }, 10000))
        SetForegroundWindow(window);
    e2e::TypeText("1+1\n");
    HWND answer = GetDlgItem(window, kAnswer);
    if (!e2e::WaitUntil([&] { return !e2e::WindowText(answer).empty(); }, 30000)) {
        std::fprintf(stderr, "%s: no answer to Return\n", program.label);
        return false;
    }
    sample.answeredMs = e2e::NowMs() - start;
    sample.memory = process.Memory();
    PostMessageA(window, WM_CLOSE, 0, 0);
    process.WaitExit(10000);
    return true;
}

template <typename Get>
double Median(const std::vector<Sample>& samples, Get get) {
    std::vector<double> values;
    for (const Sample& sample : samples)
        values.push_back(static_cast<double>(get(sample)));
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: startup_bench PAVRA.EXE FLOOR.EXE FLOOR_BAR.EXE ROUNDS [PAVRA_BARE.EXE]\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[4]));
    const int kPrograms = argc > 5 ? 4 : 3;
    Program programs[4] = {{"pavra", argv[1], "Pavra", {}},
                           {"floor", argv[2], "Floor", {}},
                           {"bar", argv[3], "FloorBar", {}},
                           {"bare", argc > 5 ? argv[5] : "", "Pavra", {}}};
    e2e::TestFolder pavraFolder("startup-pavra");
    e2e::TestFolder floorFolder("startup-floor");
    e2e::TestFolder barFolder("startup-floor-bar");
    e2e::TestFolder bareFolder("startup-pavra-bare");
    e2e::TestFolder* folders[4] = {&pavraFolder, &floorFolder, &barFolder, &bareFolder};

    for (int i = 0; i < kPrograms; ++i) {
        if (!folders[i]->CopyIn(programs[i].exe, "program.exe")) {
            std::fprintf(stderr, "cannot copy %s\n", programs[i].exe.c_str());
            return 1;
        }
        // The first start is not counted: it warms the caches and lets pavra.exe write its
        // settings file, which every later start then reads as a user's start does.
        Sample warmUp;
        if (!Measure(programs[i], *folders[i], warmUp))
            return 1;
    }
    // Take turns, so that a slower moment of a shared machine falls on all of them. pavra.exe and
    // pavra.exe without its manifest come one right after the other, so that each pair of starts
    // meets the same load, and which goes first alternates, so that neither gains from its place.
    const int orders[2][4] = {{0, 3, 1, 2}, {3, 0, 1, 2}};
    for (int round = 0; round < rounds; ++round) {
        for (int i : orders[round % 2]) {
            if (i >= kPrograms)
                continue;
            Sample sample;
            if (!Measure(programs[i], *folders[i], sample))
                return 1;
            programs[i].samples.push_back(sample);
        }
    }

    std::printf("start-up under Wine, median of %d starts each (after one warm-up start)\n", rounds);
    std::printf("floor: a minimal dialog; bar: the same program showing the bar's window%s\n",
                kPrograms > 3 ? "; bare: pavra.exe without its manifest" : "");
    std::printf("%-6s %12s %14s %14s %14s\n", "", "shown ms", "answered ms", "private KiB", "working KiB");
    double figures[4][4];
    for (int i = 0; i < kPrograms; ++i) {
        const std::vector<Sample>& samples = programs[i].samples;
        figures[i][0] = Median(samples, [](const Sample& s) { return s.shownMs; });
        figures[i][1] = Median(samples, [](const Sample& s) { return s.answeredMs; });
        figures[i][2] = Median(samples, [](const Sample& s) { return s.memory.privateKiB; });
        figures[i][3] = Median(samples, [](const Sample& s) { return s.memory.workingSetKiB; });
        std::printf("%-6s %12.1f %14.1f %14.0f %14.0f\n", programs[i].label, figures[i][0], figures[i][1],
                    figures[i][2], figures[i][3]);
    }
    auto ratio = [&](int of, int to, int column) {
        return figures[to][column] > 0 ? figures[of][column] / figures[to][column] : 0.0;
    };
    std::printf(
        "ratio pavra/floor: ready (answered) %.2fx (goal <= 1.3x), shown %.2fx, "
        "private memory %.2fx (goal <= 1.5x), working set %.2fx\n",
        ratio(0, 1, 1), ratio(0, 1, 0), ratio(0, 1, 2), ratio(0, 1, 3));
    std::printf("ratio bar/floor (the bar's window alone): ready %.2fx, private memory %.2fx\n",
                ratio(2, 1, 1), ratio(2, 1, 2));
    std::printf("ratio pavra/bar (pavra's own work): ready %.2fx, private memory %.2fx\n", ratio(0, 2, 1),
                ratio(0, 2, 2));
    if (kPrograms > 3) {
        // The ratio within each round's pair, whose median a busy machine moves less than the
        // ratio of the two medians.
        std::vector<double> pairs;
        for (int round = 0; round < rounds; ++round)
            pairs.push_back(programs[0].samples[round].answeredMs / programs[3].samples[round].answeredMs);
        std::sort(pairs.begin(), pairs.end());
        const size_t n = pairs.size();
        std::printf("paired pavra/bare: ready %.3fx (median of the ratios within each round)\n",
                    n % 2 ? pairs[n / 2] : (pairs[n / 2 - 1] + pairs[n / 2]) / 2);
        std::printf(
            "ratio pavra/bare (the manifest: themed common controls, DPI awareness): ready %.3fx "
            "(goal <= 1.03x), shown %.3fx, private memory %.3fx (goal <= 1.03x), working set %.3fx\n",
            ratio(0, 3, 1), ratio(0, 3, 0), ratio(0, 3, 2), ratio(0, 3, 3));
    }
    return 0;
}
