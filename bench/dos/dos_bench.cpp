// Output throughput of the command-prompt mode (not a test): how long `type` of a file of 1, 2, 4
// and 8 MB takes until the whole output is in the "DOS Prompt" window, against the floor: the same
// command's output read through the same kind of pipe from the same interpreter and thrown away.
// Floor and window take turns, three times each, and their medians are compared. It also times
// the window's output view alone taking the same text in one piece: the least the window can add
// to the floor. Last, the real pavra.exe, started by the end-to-end driver in a fresh folder, runs
// the same command while a key is typed into its input line every 50 ms, and each key is timed
// until the input line shows it.
// Usage: dos_bench.exe [WORK_FOLDER] [MB...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls.h"
#include "key_latency.h"
#include "pavra_bar.h"
#include "wait.h"

#include "modes/dos/child_link.h"
#include "modes/dos/command_history.h"
#include "modes/dos/dos_resp_dlg.h"
#include "modes/dos/output_messages.h"
#include "platform/process.h"
#include "resources/resource.h"

namespace {

const char kMarker[] = "END-OF-OUTPUT";
const int kRounds = 3;

// CPU time of this process (all its threads), in milliseconds.
double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e4;
    };
    return ms(kernel) + ms(user);
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Lines of 80 bytes with their CR LF, the marker line last; bytes becomes the file's size.
bool WriteOutputFile(const std::string& path, size_t& bytes) {
    std::string text;
    text.reserve(bytes + 100);
    char line[96];
    for (int n = 1; text.size() + 82 < bytes; ++n) {
        snprintf(line, sizeof line, "%08d %069d\r\n", n, n);
        text += line;
    }
    text += kMarker;
    text += "\r\n";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = WriteAll(file, text.data(), text.size());
    bytes = text.size();
    CloseHandle(file);
    return written;
}

// The interpreter's output after the marker has ended in its next prompt.
bool FinishedAfterMarker(const std::string& tail) {
    size_t marker = tail.rfind(kMarker);
    return marker != std::string::npos && EndsWith(tail, ">");
}

// The floor: cmd.exe started the same way, its output read in pieces of 4,095 bytes and dropped.
double FloorMs(const std::string& folder, const std::string& file) {
    PipeEnds output;
    PipeEnds input;
    if (!CreatePipeEnds(output, false, true) || !CreatePipeEnds(input, true, false))
        return -1;
    ChildProcess child;
    if (!StartHiddenProcess(ChildLink::BuildCommandLine("cmd.exe", folder, ""), input.read.Get(),
                            output.write.Get(), output.write.Get(), child))
        return -1;
    char buffer[4096];
    std::string tail;
    auto readUntil = [&](bool afterMarker) {
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(output.read.Get(), buffer, 4095, &got, nullptr))
                return false;
            tail.append(buffer, got);
            if (tail.size() > 256)
                tail.erase(0, tail.size() - 256);
            if (afterMarker ? FinishedAfterMarker(tail) : EndsWith(tail, ">"))
                return true;
        }
    };
    if (!readUntil(false))
        return -1;
    tail.clear();
    std::string command = "type " + file + "\r\n";
    double start = e2e::NowMs();
    WriteAll(input.write.Get(), command.data(), command.size());
    bool done = readUntil(true);
    double elapsed = e2e::NowMs() - start;
    WriteAll(input.write.Get(), "exit\r\n", 6);
    WaitForSingleObject(child.process.Get(), 5000);
    return done ? elapsed : -1;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
}

std::string WindowTail(HWND edit) {
    int length = GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(edit, &text[0], length + 1);
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text.size() > 256 ? text.substr(text.size() - 256) : text;
}

// A visible output window of the bar's usual size; null when it cannot be made.
CdosRespDlg* OpenOutputWindow() {
    CdosRespDlg* window = nullptr;
    if (!CdosRespDlg::Open(nullptr, &window))
        return nullptr;
    SetWindowPos(window->hwnd(), nullptr, 0, 40, 1000, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return window;
}

// Through the link into a visible output window of the bar's usual size, until the window holds the
// whole output and the next prompt.
// cpuMs gets the CPU time the process took meanwhile: the link's reader, the window, and this
// loop's own looking.
double WindowMs(const std::string& folder, const std::string& file, size_t bytes, double& cpuMs) {
    CdosRespDlg* window = OpenOutputWindow();
    if (!window)
        return -1;
    HWND edit = GetDlgItem(window->hwnd(), 1009);
    CommandHistory history;
    ChildLink link;
    window->SetLink(&link);
    link.OpenLink(window->hwnd(), &history, folder, "");
    double limit = e2e::NowMs() + 20000;
    while (!EndsWith(window->Text(), ">") && e2e::NowMs() < limit)
        Pump();
    double start = e2e::NowMs();
    double cpuStart = ProcessCpuMs();
    link.SendCommand("type " + file);
    bool done = false;
    double lastCheck = 0;
    limit = start + 600000;
    while (!done && e2e::NowMs() < limit) {
        Pump();
        // Reading a long text back costs the window time too: look only now and then, and only
        // at the length until it can be complete.
        if (e2e::NowMs() - lastCheck < 50)
            continue;
        lastCheck = e2e::NowMs();
        if (static_cast<size_t>(GetWindowTextLengthA(edit)) >= bytes)
            done = FinishedAfterMarker(WindowTail(edit));
    }
    double elapsed = e2e::NowMs() - start;
    cpuMs = ProcessCpuMs() - cpuStart;
    if (!done)
        printf("window: %d of %zu bytes after %.0f ms\n", GetWindowTextLengthA(edit), bytes, elapsed);
    link.CloseLink();
    window->Close();
    Pump();
    return done ? elapsed : -1;
}

// The output view of a visible output window taking the file's text in one piece (no interpreter).
double ViewMs(const std::string& folder, const std::string& file) {
    std::string text;
    HANDLE handle = CreateFileA((folder + "\\" + file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return -1;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(handle);
    CdosRespDlg* window = OpenOutputWindow();
    if (!window)
        return -1;
    Pump();
    double start = e2e::NowMs();
    SendMessageA(window->hwnd(), kAppendOutputMessage, reinterpret_cast<WPARAM>(text.c_str()), 0);
    double elapsed = e2e::NowMs() - start;
    window->Close();
    Pump();
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// pavra.exe in the command-prompt mode: `type file` while a key is typed into the input line every
// 50 ms until the whole output is in the window. Empty when it fails.
std::vector<double> KeyMs(const std::string& folder, const std::string& file, size_t bytes) {
    e2e::PavraBar bar("dos-bench-keys");
    if (!bar.WriteIni("[pavra]\r\nModeIndex=1\r\n[dos]\r\nInitialDirectory=" + folder + "\r\n") ||
        !bar.Start())
        return {};
    HWND output = bar.FindWindowByTitle("DOS Prompt");
    HWND view = output ? GetDlgItem(output, IDC_DOS_OUTPUT) : nullptr;
    if (!view || !e2e::WaitUntil([&] { return EndsWith(e2e::WindowText(view), ">"); }, 20000) ||
        !bar.Enter("type " + file))
        return {};
    auto flooding = [&] { return static_cast<size_t>(std::max(0L, e2e::WindowTextLength(view))) < bytes; };
    std::vector<double> keys = e2e::TimeKeys(bar.Item(IDC_INPUT), flooding, 50, 2000).ms;
    bar.Close();
    return keys;
}

}  // namespace

int main(int argc, char** argv) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = argc > 1 ? argv[1] : std::string(temp) + "pavra_dos_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(atoi(argv[i]));
    if (sizes.empty())
        sizes = {1, 2, 4, 8};

    printf("%4s %8s %10s %9s %11s %7s %6s %7s %8s %6s %6s %6s %6s %6s\n", "MB", "floor s", "floor MB/s",
           "window s", "window MB/s", "view s", "ratio", "x floor", "x window", "cpu s", "keys", "med ms",
           "p95 ms", "max ms");
    double previousFloor = 0;
    double previousWindow = 0;
    for (int mb : sizes) {
        size_t bytes = static_cast<size_t>(mb) << 20;  // then the file's exact size
        std::string name = "output" + std::to_string(mb) + "mb.txt";
        if (!WriteOutputFile(folder + "\\" + name, bytes)) {
            printf("cannot write %s\n", name.c_str());
            return 1;
        }
        std::vector<double> floors, windows, cpus;
        for (int round = 0; round < kRounds; ++round) {
            double cpu = 0;
            floors.push_back(FloorMs(folder, name));
            windows.push_back(WindowMs(folder, name, bytes, cpu));
            cpus.push_back(cpu);
            if (floors.back() <= 0 || windows.back() <= 0) {
                printf("%4d run failed (floor %.0f ms, window %.0f ms)\n", mb, floors.back(), windows.back());
                return 1;
            }
        }
        double floor = Median(floors);
        double window = Median(windows);
        double view = ViewMs(folder, name);
        printf("%4d %8.2f %10.2f %9.2f %11.2f %7.2f %6.2f", mb, floor / 1000, mb / (floor / 1000),
               window / 1000, mb / (window / 1000), view / 1000, window / floor);
        if (previousWindow > 0)
            printf(" %7.2f %8.2f", floor / previousFloor, window / previousWindow);
        else
            printf(" %7s %8s", "-", "-");
        printf(" %6.2f", Median(cpus) / 1000);
        std::vector<double> keys = KeyMs(folder, name, bytes);
        if (!keys.empty()) {
            e2e::KeySummary summary = e2e::Summarize(keys);
            printf(" %6zu %6.0f %6.0f %6.0f", keys.size(), summary.median, summary.p95, summary.max);
        }
        printf("\n");
        fflush(stdout);
        previousFloor = floor;
        previousWindow = window;
        DeleteFileA((folder + "\\" + name).c_str());
    }
    printf(
        "medians of %d turns each; view: the window's output view taking the same text in one piece; cpu: "
        "the "
        "processor time of the window's process meanwhile (reader, window and the benchmark's own looking)\n",
        kRounds);
    printf(
        "keys: typed into pavra.exe's input line every 50 ms while the output floods in, each timed until "
        "the line shows it\n");
    printf(
        "goals: ratio <= 1.5 at 8 MB; doubling the output costs <= 2.2 times (x window); "
        "keys p95 <= 100 ms and max <= 300 ms\n");
    return 0;
}
