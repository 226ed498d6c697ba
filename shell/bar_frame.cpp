#include "shell/bar_frame.h"

#include "platform/dialog.h"
#include "platform/work_area.h"
#include "resources/resource.h"

BarFrame::BarFrame(const CDialog& owner, const BarSettings& barSettings, const BarVisibility& barVisibility)
    : bar(owner),
      settings(barSettings),
      visibility(barVisibility),
      icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PAVRA), IMAGE_ICON,
                                         0, 0, LR_DEFAULTSIZE))) {}

// A taskbar along the top or the left does not cover a bar placed in the work area.
void BarFrame::PlaceBar() const {
    RECT r = {};
    GetWindowRect(bar.hwnd(), &r);
    RECT a = WorkArea().value_or(RECT{0, 0, r.right, r.bottom});
    int width = r.right - r.left, height = r.bottom - r.top;
    POINT at = StartPosition({width, height}, a, settings[BarSettings::DialogTopPos] != 0);
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(
        bar.hwnd(), nullptr, 0, 0, width,
        visibility.FrameHeight() + bar.Scaled(BarVisibility::ClientHeight(BarVisibility::Normal, false)),
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(bar.hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyTopMost();
}

void BarFrame::ApplyTopMost() const {
    SetWindowPos(bar.hwnd(), settings[BarSettings::DialogTopMost] ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool BarFrame::OnPaint() const {
    if (!IsIconic(bar.hwnd())) {
        ApplyTopMost();
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(bar.hwnd(), &paint);
    RECT client;
    GetClientRect(bar.hwnd(), &client);
    int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon.Get());
    EndPaint(bar.hwnd(), &paint);
    return true;
}

void BarFrame::FollowDpi(const RECT& suggested) const {
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(bar.hwnd(), nullptr, 0, 0, suggested.right - suggested.left,
                 visibility.FrameHeight() + visibility.BarHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowPos(bar.hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
