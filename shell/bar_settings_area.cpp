#include "shell/bar_settings_area.h"

#include <windows.h>

#include "platform/dialog.h"
#include "modes/pavra_mode_base.h"
#include "platform/work_area.h"
#include "resources/resource.h"
#include "shell/bar_frame.h"
#include "shell/bar_keys.h"
#include "shell/bar_names.h"
#include "shell/bar_notices.h"
#include "shell/bar_title_strip.h"
#include "shell/bar_tray.h"
#include "shell/pavra_param_dlg.h"

BarSettingsArea::BarSettingsArea(const CDialog& owner, Bar& target, BarSettings& barSettings,
                                 BarFrame& barFrame, BarTitleStrip& barTitleStrip, BarTray& barTray,
                                 BarKeys& barKeys, BarNotices& barNotices)
    : dialog(owner),
      bar(target),
      settings(barSettings),
      frame(barFrame),
      titleStrip(barTitleStrip),
      tray(barTray),
      keys(barKeys),
      notices(barNotices) {}

void BarSettingsArea::PressTitleButton(int id) {
    titleStrip.ShowPressed(id);
    if (id == IDC_PIN) {
        int& pinned = settings[BarSettings::DialogPinFixed];
        pinned = 1 - pinned;
        settings.Write(BarSettings::DialogPinFixed);
        titleStrip.ShowBitmap(IDC_PIN, pinned ? IDB_PIN_DOWN : IDB_PIN_SIDE);
        bar.FocusInput();
    } else if (id == IDC_MINIMIZE) {
        bar.FocusInput();
        bar.MinimizeBar();
    } else {
        bar.FocusInput();
        bar.CloseBar();
    }
}

void BarSettingsArea::OnSettingsAreaClick(int id) {
    switch (id) {
    case IDC_SETTINGS_TOGGLE: ToggleSettingsArea(); break;
    case IDC_MANUAL: keys.ManualCommand("man"); break;
    case IDC_DETAIL: OpenDetailedSettings(); break;
    default: OnOption(id); break;
    }
}

// From the keyboard the settings area opens with the focus on its first box, from where Tab
// reaches every control in it; the same key closes it again.
void BarSettingsArea::SettingsAreaKey() {
    ToggleSettingsArea();
    if (settingsOpen)
        SetFocus(GetDlgItem(dialog.hwnd(), IDC_TOPMOST));
}

void BarSettingsArea::ToggleSettingsArea() {
    settingsOpen = 1 - settingsOpen;
    titleStrip.ShowBitmap(IDC_SETTINGS_TOGGLE, settingsOpen ? IDB_UP : IDB_DOWN);
    NameSettingsToggle(dialog.hwnd(), settingsOpen != 0);
    // Asking for one more pixel lets the height rule set the new height.
    RECT rect = {};
    GetWindowRect(dialog.hwnd(), &rect);
    SetWindowPos(dialog.hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.FocusInput();
}

void BarSettingsArea::OnOption(int id) {
    int state = IsDlgButtonChecked(dialog.hwnd(), id) == BST_CHECKED ? 1 : 0;
    if (id == IDC_TOPMOST) {
        settings[BarSettings::DialogTopMost] = state;
        settings.Write(BarSettings::DialogTopMost);
        frame.ApplyTopMost();
        bar.FocusInput();
    } else if (id == IDC_TOPPOS) {
        settings[BarSettings::DialogTopPos] = state;
        settings.Write(BarSettings::DialogTopPos);
        if (state) {
            RECT rect = {};
            GetWindowRect(dialog.hwnd(), &rect);
            SetWindowPos(dialog.hwnd(), nullptr, rect.left, TopEdgeOf(rect, DisplayMonitors()), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else {
        settings[BarSettings::DialogTaskTray] = state;
        settings.Write(BarSettings::DialogTaskTray);
        tray.SetTaskTrayMode(state);
    }
}

void BarSettingsArea::OpenDetailedSettings() {
    CpavraParamDlg detailed;
    detailed.hotkeyKey = static_cast<uint16_t>(settings[BarSettings::HotkeyKey]);
    detailed.hotkeyModifiers = static_cast<uint16_t>(settings[BarSettings::HotkeyMod]);
    detailed.registerCombination = [this](uint16_t key, uint16_t modifiers) {
        return tray.TryHotkey(key, modifiers);
    };
    INT_PTR result = detailed.DoModal(dialog.hwnd());
    if (result == -1)
        notices.Tell(kDialogOpenFailed);
    if (result == IDOK) {
        settings[BarSettings::HotkeyKey] = detailed.hotkeyKey;
        settings.Write(BarSettings::HotkeyKey);
        settings[BarSettings::HotkeyMod] = detailed.hotkeyModifiers;
        settings.Write(BarSettings::HotkeyMod);
        // The chosen combination is registered already; key 0 is registered as it is.
        if (detailed.hotkeyKey == 0)
            tray.RegisterBarHotkey();
    }
    bar.FocusInput();
}
