// The bar's own controls: the layout, the three title buttons and the settings area with its
// options.
#include <windows.h>
#include <commctrl.h>

#include "platform/dpi.h"
#include "platform/work_area.h"
#include "resources/resource.h"
#include "shell/bar_names.h"
#include "shell/pavra_dlg.h"

// Every figure is a 96-DPI one. Edges are scaled, and sizes taken as their differences, so that
// neighbours meet without a gap or an overlap at any scale.
void CpavraDlg::LayoutBar(int w) {
    SetItemText(IDC_TITLE, BarTitleStrip::TitleText(w, Dpi()));
    auto s = [this](int value) { return Scaled(value); };
    struct Place {
        int id, left, top, right, bottom;
    };
    const Place places[] = {
        {IDC_TITLE, s(16), 0, w - s(45), s(12)},
        {IDC_TITLE_ICON, 0, 0, s(16), s(12)},
        {IDC_PIN, w - s(45), 0, w - s(30), s(12)},
        {IDC_MINIMIZE, w - s(30), 0, w - s(15), s(12)},
        {IDC_CLOSE, w - s(15), 0, w, s(12)},
        {IDC_INPUT, 0, s(12), w - s(86), s(31)},
        {IDC_MODE_LIST, w - s(86), s(12), w, s(12) + s(100)},
        {IDC_ANSWER, 0, s(31), w - s(86), s(49)},
        {IDC_MD0, w - s(86), s(31), w - s(53), s(49)},
        {IDC_MD1, w - s(53), s(31), w - s(20), s(49)},
        {IDC_SETTINGS_TOGGLE, w - s(19), s(32), w - s(2), s(48)},
    };
    for (const Place& p : places)
        MoveWindow(Item(p.id), p.left, p.top, p.right - p.left, p.bottom - p.top, TRUE);
    SendMessageA(Item(IDC_MODE_LIST), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), s(13));
}

void CpavraDlg::PressTitleButton(int id) {
    titleStrip.ShowPressed(id);
    if (id == IDC_PIN) {
        int& pinned = settings[BarSettings::DialogPinFixed];
        pinned = 1 - pinned;
        settings.Write(BarSettings::DialogPinFixed);
        titleStrip.ShowBitmap(IDC_PIN, pinned ? IDB_PIN_DOWN : IDB_PIN_SIDE);
        FocusInput();
    } else if (id == IDC_MINIMIZE) {
        FocusInput();
        MinimizeBar();
    } else {
        FocusInput();
        CloseBar();
    }
}

void CpavraDlg::OnSettingsAreaClick(int id) {
    switch (id) {
    case IDC_SETTINGS_TOGGLE: ToggleSettingsArea(); break;
    case IDC_MANUAL: keys.ManualCommand("man"); break;
    case IDC_DETAIL: OpenDetailedSettings(); break;
    default: OnOption(id); break;
    }
}

void CpavraDlg::ToggleSettingsArea() {
    settingsOpen = 1 - settingsOpen;
    titleStrip.ShowBitmap(IDC_SETTINGS_TOGGLE, settingsOpen ? IDB_UP : IDB_DOWN);
    NameSettingsToggle(hwnd(), settingsOpen != 0);
    // Asking for one more pixel lets the height rule set the new height.
    RECT rect = ScreenRect();
    SetWindowPos(hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FocusInput();
}

// From the keyboard the settings area opens with the focus on its first box, from where Tab
// reaches every control in it; the same key closes it again.
void CpavraDlg::PressPin() { PressTitleButton(IDC_PIN); }

void CpavraDlg::SettingsAreaKey() {
    ToggleSettingsArea();
    if (settingsOpen)
        SetFocus(Item(IDC_TOPMOST));
}

// A theme chosen in the system (high contrast on or off) shows at once: the strip and the title
// icon take their colours again, and every control is drawn anew.
void CpavraDlg::OnColoursChanged() {
    titleStrip.LoadBitmaps(Dpi(), settingsOpen != 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CpavraDlg::OnOption(int id) {
    int state = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED ? 1 : 0;
    if (id == IDC_TOPMOST) {
        settings[BarSettings::DialogTopMost] = state;
        settings.Write(BarSettings::DialogTopMost);
        ApplyTopMost();
        FocusInput();
    } else if (id == IDC_TOPPOS) {
        settings[BarSettings::DialogTopPos] = state;
        settings.Write(BarSettings::DialogTopPos);
        if (state) {
            RECT rect = ScreenRect();
            SetWindowPos(hwnd(), nullptr, rect.left, TopEdgeOf(rect, DisplayMonitors()), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else {
        settings[BarSettings::DialogTaskTray] = state;
        settings.Write(BarSettings::DialogTaskTray);
        tray.SetTaskTrayMode(state);
    }
}
