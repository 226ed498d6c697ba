#include "platform/dialog_monitor.h"

#include "platform/monitor_fit.h"
#include "platform/work_area.h"

namespace {
// The innermost fit of this thread.
thread_local CScopedOwnedDialogFit* current = nullptr;
}  // namespace

void KeepOnOwnersMonitor(HWND window, HWND owner) {
    if (!window || !owner)
        return;
    HWND top = GetAncestor(owner, GA_ROOTOWNER);
    RECT topRect, ownerRect, dialog;
    if (!GetWindowRect(top ? top : owner, &topRect) || !GetWindowRect(owner, &ownerRect) ||
        !GetWindowRect(window, &dialog))
        return;
    auto work = MonitorWorkArea(topRect);
    if (!work)
        return;
    RECT place = DialogWithin(dialog, ownerRect, *work);
    if (place.left != dialog.left || place.top != dialog.top)
        SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CScopedOwnedDialogFit::CScopedOwnedDialogFit(HWND owner) : owner_(owner), outer_(current) {
    hook_ = SetWindowsHookExA(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    current = this;
}

CScopedOwnedDialogFit::~CScopedOwnedDialogFit() {
    if (hook_)
        UnhookWindowsHookEx(hook_);
    current = outer_;
}

// The dialog has its size once it is first activated, just before it is seen.
LRESULT CALLBACK CScopedOwnedDialogFit::OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    CScopedOwnedDialogFit* fit = current;
    if (fit && code == HCBT_ACTIVATE && !fit->placed_ && GetWindow(window, GW_OWNER) == fit->owner_) {
        fit->placed_ = true;
        KeepOnOwnersMonitor(window, fit->owner_);
    }
    return CallNextHookEx(fit ? fit->hook_ : nullptr, code, wParam, lParam);
}
