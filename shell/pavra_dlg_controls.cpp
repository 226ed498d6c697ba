// The layout of the bar's own controls.
#include <windows.h>
#include <commctrl.h>

#include "platform/dpi.h"
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

void CpavraDlg::PressPin() { settingsArea.PressTitleButton(IDC_PIN); }

void CpavraDlg::SettingsAreaKey() { settingsArea.SettingsAreaKey(); }

// A theme chosen in the system (high contrast on or off) shows at once: the strip and the title
// icon take their colours again, and every control is drawn anew.
void CpavraDlg::OnColoursChanged() {
    titleStrip.LoadBitmaps(Dpi(), settingsArea.settingsOpen != 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
