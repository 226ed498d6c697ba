#include "foreign_window.h"

#include "app_process.h"
#include "controls.h"
#include "mouse.h"
#include "wait.h"

namespace e2e {

ForeignWindow::ForeignWindow(RECT place) {
    created_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&ForeignWindow::Run, this, place);
    WaitForSingleObject(created_, 10000);
}

ForeignWindow::~ForeignWindow() {
    if (window_ && IsWindow(window_))
        PostMessageA(window_, WM_CLOSE, 0, 0);
    if (thread_.joinable())
        thread_.join();
    CloseHandle(created_);
}

void ForeignWindow::Run(RECT place) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "PavraE2eForeignWindow";
    RegisterClassA(&windowClass);
    window_ =
        CreateWindowExA(0, windowClass.lpszClassName, "e2e foreign window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        place.left, place.top, place.right - place.left, place.bottom - place.top, nullptr,
                        nullptr, windowClass.hInstance, nullptr);
    SetEvent(created_);
    if (!window_)
        return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool ForeignWindow::Activate() {
    if (!window_)
        return false;
    SetForegroundWindow(window_);
    if (WaitUntil([&] { return ForegroundWindow() == window_; }, 2000))
        return true;
    RECT client = ClientRectOnScreen(window_);
    Click((client.left + client.right) / 2, (client.top + client.bottom) / 2);
    return WaitUntil([&] { return ForegroundWindow() == window_; }, 5000);
}

}  // namespace e2e
