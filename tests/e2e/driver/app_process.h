// A program under test, started by the driver and always ended with it: the process runs in a
// job that kills it (and whatever it started) when the driver lets go of it, even after a crash.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct MemoryFigures {
    size_t workingSetKiB = 0;
    size_t privateKiB = 0;  // private bytes (Wine reports them as the page-file usage)
};

class AppProcess {
public:
    AppProcess() = default;
    ~AppProcess();

    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Starts exe (a DOS path) with the working folder cwd. On failure Error() says why.
    bool Launch(const std::string& exe, const std::string& cwd);
    // Waits for a visible top-level window of the process titled title whose keyboard focus is on
    // its control focusId, and returns it; null (and Error()) when it does not come within ms.
    HWND WaitMainWindow(const std::string& title, int focusId, int ms);

    bool Launched() const { return process_ != nullptr; }
    bool Running() const;
    // Waits for the process to end by itself; true when it has.
    bool WaitExit(int ms);
    // The exit code once ended; STILL_ACTIVE before.
    DWORD ExitCode() const;
    // Ends the process at once (and everything it started), as a kill from outside does.
    void Kill();

    DWORD Id() const { return processId_; }
    DWORD ThreadId() const { return threadId_; }
    HANDLE Handle() const { return process_; }

    // Top-level windows of the process (tooltips included), in z-order.
    std::vector<HWND> Windows() const;
    // The first top-level window of the process with this title (and class, when given).
    HWND FindWindowByTitle(const std::string& title, const char* className = nullptr) const;
    MemoryFigures Memory() const;

    const std::string& Error() const { return error_; }

private:
    void Release();

    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    std::string error_;
};

// The control that has the keyboard focus in the thread that owns window (another process's too).
HWND FocusOf(HWND window);
// The active window of the foreground thread: the window that receives keyboard input.
HWND ForegroundWindow();

}  // namespace e2e
