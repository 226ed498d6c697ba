// Helpers of the command-prompt tests: the stand-in interpreter and a message pump.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace dostest {

// The directory of the running test program, with a trailing backslash.
inline std::string ProgramDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

// The stand-in interpreter (tests/win/fake_cmd) with its options, as a program for ChildLink.
inline std::string FakeInterpreter(const std::string& options = "") {
    std::string program = "\"" + ProgramDirectory() + "fake_cmd.exe\"";
    return options.empty() ? program : program + " " + options;
}

// Runs the thread's messages until done() holds or timeoutMs pass; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

inline void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace dostest
