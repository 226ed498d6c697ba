// Output throughput of the command-prompt mode (not a test): how long `type` of a file of 1, 2, 4
// and 8 MB takes until the whole output is in the "DOS Prompt" window, against the floor: the same
// command's output read through the same kind of pipe from the same interpreter and thrown away.
// It also times the output window's edit box alone taking the same text in one piece: the least
// the window can add to the floor.
// Usage: dos_bench.exe [WORK_FOLDER] [MB...]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "modes/dos/child_link.h"
#include "modes/dos/command_history.h"
#include "modes/dos/dos_resp_dlg.h"
#include "modes/dos/output_messages.h"
#include "platform/process.h"

namespace {

const char kMarker[] = "END-OF-OUTPUT";

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
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
    double start = NowMs();
    WriteAll(input.write.Get(), command.data(), command.size());
    bool done = readUntil(true);
    double elapsed = NowMs() - start;
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
double WindowMs(const std::string& folder, const std::string& file, size_t bytes) {
    CdosRespDlg* window = OpenOutputWindow();
    if (!window)
        return -1;
    HWND edit = GetDlgItem(window->hwnd(), 1009);
    CommandHistory history;
    ChildLink link;
    window->SetLink(&link);
    link.OpenLink(window->hwnd(), &history, folder, "");
    double limit = NowMs() + 20000;
    while (!EndsWith(window->Text(), ">") && NowMs() < limit)
        Pump();
    double start = NowMs();
    link.SendCommand("type " + file);
    bool done = false;
    double lastCheck = 0;
    limit = start + 600000;
    while (!done && NowMs() < limit) {
        Pump();
        // Reading a long text back costs the window time too: look only now and then, and only
        // at the length until it can be complete.
        if (NowMs() - lastCheck < 50)
            continue;
        lastCheck = NowMs();
        if (static_cast<size_t>(GetWindowTextLengthA(edit)) >= bytes)
            done = FinishedAfterMarker(WindowTail(edit));
    }
    double elapsed = NowMs() - start;
    if (!done)
        printf("window: %d of %zu bytes after %.0f ms\n", GetWindowTextLengthA(edit), bytes, elapsed);
    link.CloseLink();
    window->Close();
    Pump();
    return done ? elapsed : -1;
}

// The edit box of a visible output window taking the file's text in one piece (no interpreter).
double BoxMs(const std::string& folder, const std::string& file) {
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
    double start = NowMs();
    SendMessageA(window->hwnd(), kAppendOutputMessage, reinterpret_cast<WPARAM>(text.c_str()), 0);
    double elapsed = NowMs() - start;
    window->Close();
    Pump();
    return elapsed;
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

    printf("%4s %10s %10s %10s %10s %8s %7s %9s %9s\n", "MB", "floor s", "floor MB/s", "window s", "window MB/s",
           "box s", "ratio", "x floor", "x window");
    double previousFloor = 0;
    double previousWindow = 0;
    for (int mb : sizes) {
        size_t bytes = static_cast<size_t>(mb) << 20;  // then the file's exact size
        std::string name = "output" + std::to_string(mb) + "mb.txt";
        if (!WriteOutputFile(folder + "\\" + name, bytes)) {
            printf("cannot write %s\n", name.c_str());
            return 1;
        }
        double floor = FloorMs(folder, name);
        double window = WindowMs(folder, name, bytes);
        double box = BoxMs(folder, name);
        if (floor <= 0 || window <= 0 || box <= 0) {
            printf("%4d run failed (floor %.0f ms, window %.0f ms)\n", mb, floor, window);
            return 1;
        }
        printf("%4d %10.2f %10.2f %10.2f %10.2f %8.2f %7.2f", mb, floor / 1000, mb / (floor / 1000),
               window / 1000, mb / (window / 1000), box / 1000, window / floor);
        if (previousWindow > 0)
            printf(" %9.2f %9.2f", floor / previousFloor, window / previousWindow);
        printf("\n");
        fflush(stdout);
        previousFloor = floor;
        previousWindow = window;
        DeleteFileA((folder + "\\" + name).c_str());
    }
    printf("box: the window's edit box taking the same text in one piece, without the interpreter\n");
    printf("goals: ratio <= 1.5 at 8 MB; doubling the output costs <= 2.2 times (x window)\n");
    return 0;
}
