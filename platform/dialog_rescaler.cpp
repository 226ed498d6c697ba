#include "platform/dialog_rescaler.h"

namespace {

// Windows 10 1703 rescales a per-monitor dialog itself; the rescaler does it here instead, the
// same way on every system. Found at run time so that older systems start.
void TurnOffSystemRescaling(HWND dialog) {
    using SetBehaviourFunction = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour = reinterpret_cast<SetBehaviourFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    const int disableAll = 1;  // DDC_DISABLE_ALL
    if (setBehaviour)
        setBehaviour(dialog, disableAll, disableAll);
}

}  // namespace

void DialogRescaler::Record(HWND dialog, UINT dpi) {
    dialog_ = dialog;
    recordedDpi_ = dpi_ = dpi;
    TurnOffSystemRescaling(dialog);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    hasFont_ = font && GetObjectA(font, sizeof font_, &font_) == sizeof font_;
    children_.clear();
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        children_.push_back({child, place});
    }
}

void DialogRescaler::Rescale(UINT dpi) {
    if (!dialog_ || dpi == 0 || dpi == dpi_)
        return;
    dpi_ = dpi;
    auto scale = [this](LONG value) {
        return MulDiv(value, static_cast<int>(dpi_), static_cast<int>(recordedDpi_));
    };
    HFONT font = nullptr;
    if (hasFont_) {
        LOGFONTA scaled = font_;
        scaled.lfHeight = scale(font_.lfHeight);
        font = CreateFontIndirectA(&scaled);
    }
    for (const Child& child : children_) {
        if (!IsWindow(child.window))
            continue;
        if (font)
            SendMessageA(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // Edges scaled, sizes their differences: neighbours stay touching.
        int left = scale(child.place.left), top = scale(child.place.top);
        MoveWindow(child.window, left, top, scale(child.place.right) - left, scale(child.place.bottom) - top,
                   TRUE);
    }
    // The children hold the new font now; the one before it can go.
    if (font)
        scaledFont_.Reset(font);
}
