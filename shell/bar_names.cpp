#include "shell/bar_names.h"

#include "platform/accessible.h"
#include "resources/resource.h"

// A bitmap button keeps a text that it does not draw; the other controls are named.
void NameBarControls(HWND bar, bool settingsOpen) {
    SetDlgItemTextA(bar, IDC_PIN, "ピン留め");
    SetDlgItemTextA(bar, IDC_MINIMIZE, "最小化");
    SetDlgItemTextA(bar, IDC_CLOSE, "閉じる");
    NameControls(
        bar,
        {{IDC_TITLE_ICON, "メニュー"}, {IDC_INPUT, "入力"}, {IDC_ANSWER, "答え"}, {IDC_MODE_LIST, "モード"}});
    NameSettingsToggle(bar, settingsOpen);
}

void NameSettingsToggle(HWND bar, bool settingsOpen) {
    SetDlgItemTextA(bar, IDC_SETTINGS_TOGGLE, settingsOpen ? "設定を閉じる" : "設定を開く");
}
