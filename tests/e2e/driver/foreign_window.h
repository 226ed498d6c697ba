// A plain top-level window of the driver's own, to take the activation away from the program
// under test. It runs its own message thread, so the program never waits on the driver.
#pragma once

#include <windows.h>

#include <thread>

namespace e2e {

class ForeignWindow {
public:
    // A visible window at the given screen rectangle.
    explicit ForeignWindow(RECT place = RECT{600, 600, 900, 800});
    ~ForeignWindow();

    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND Handle() const { return window_; }
    // Brings it to the foreground (a click on it if asking is not enough); true when it has it.
    bool Activate();

private:
    void Run(RECT place);

    HWND window_ = nullptr;
    HANDLE created_ = nullptr;
    std::thread thread_;
};

}  // namespace e2e
