#include "app_process.h"

#include "wait.h"

#include <psapi.h>

namespace e2e {

AppProcess::~AppProcess() { Release(); }

void AppProcess::Release() {
    if (job_) {
        // The job kills the program and its children; a program that ended keeps its exit code.
        TerminateJobObject(job_, 1);
        CloseHandle(job_);
        job_ = nullptr;
    }
    if (process_) {
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
        process_ = nullptr;
    }
}

bool AppProcess::Launch(const std::string& exe, const std::string& cwd) {
    Release();
    error_.clear();
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Now and then Wine fails a start with an internal error (1359) just after another program
    // of the run ended; a second try a moment later starts it. Any other failure is reported.
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                           cwd.empty() ? nullptr : cwd.c_str(), &startup, &info)) {
            error = ERROR_SUCCESS;
            break;
        }
        error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR)
            break;
        Sleep(250);
    }
    if (error != ERROR_SUCCESS) {
        error_ = "cannot start " + exe + " (error " + std::to_string(error) + ")";
        return false;
    }
    if (job_)
        AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
    return true;
}

bool AppProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool AppProcess::WaitExit(int ms) {
    return !process_ || WaitForSingleObject(process_, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

DWORD AppProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_)
        GetExitCodeProcess(process_, &code);
    return code;
}

void AppProcess::Kill() {
    if (!process_)
        return;
    TerminateProcess(process_, 9);
    WaitForSingleObject(process_, 10000);
}

std::vector<HWND> AppProcess::Windows() const {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId_, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AppProcess::FindWindowByTitle(const std::string& title, const char* className) const {
    for (HWND window : Windows()) {
        char text[256] = "";
        GetWindowTextA(window, text, sizeof text);
        char windowClass[256] = "";
        GetClassNameA(window, windowClass, sizeof windowClass);
        if (title == text && (!className || lstrcmpiA(className, windowClass) == 0))
            return window;
    }
    return nullptr;
}

HWND AppProcess::WaitMainWindow(const std::string& title, int focusId, int ms) {
    HWND found = nullptr;
    const bool ready = WaitUntil(
        [&] {
            if (!Running())
                return true;
            found = FindWindowByTitle(title, "#32770");
            return found && IsWindowVisible(found) && FocusOf(found) == GetDlgItem(found, focusId);
        },
        ms);
    if (!Running()) {
        error_ = "the program ended with code " + std::to_string(ExitCode()) + " before its window was ready";
        return nullptr;
    }
    if (!ready) {
        error_ = found ? "the window \"" + title + "\" came, but control " + std::to_string(focusId) +
                             " did not get the focus within " + std::to_string(ms) + " ms"
                       : "no visible window \"" + title + "\" within " + std::to_string(ms) + " ms";
        return nullptr;
    }
    // The window can be shown and focused while the program still works through its start (a
    // loaded machine): keys typed then could reach it before its key hook is listening.
    WaitForInputIdle(process_, static_cast<DWORD>(ms));
    return found;
}

MemoryFigures AppProcess::Memory() const {
    MemoryFigures figures;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (process_ && GetProcessMemoryInfo(process_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                         sizeof counters)) {
        figures.workingSetKiB = counters.WorkingSetSize / 1024;
        // Windows fills both; Wine leaves PrivateUsage at 0 and reports private pages as page-file use.
        const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        figures.privateKiB = privateBytes / 1024;
    }
    return figures;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

HWND ForegroundWindow() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(0, &info) && info.hwndActive)
        return info.hwndActive;
    return GetForegroundWindow();
}

}  // namespace e2e
