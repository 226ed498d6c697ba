// The bar's own controls: the layout, the title strip (colours, dragging, the three title
// buttons), the settings area with its options, and the tooltips.
#include <windows.h>
#include <commctrl.h>

#include "platform/dpi.h"
#include "platform/tooltip.h"
#include "resources/resource.h"
#include "shell/pavra_dlg.h"

// A space is 4 pixels wide at 96 DPI, and the figures grow with it.
std::string CpavraDlg::TitleText(int clientWidth, UINT dpi) {
    int spaces = (clientWidth - ScaleForDpi(97, dpi)) / ScaleForDpi(4, dpi) + 10;
    return " Pavra" + std::string(spaces > 0 ? static_cast<size_t>(spaces) : 0, ' ');
}

// Every figure is a 96-DPI one. Edges are scaled, and sizes taken as their differences, so that
// neighbours meet without a gap or an overlap at any scale.
void CpavraDlg::LayoutBar(int w) {
    SetItemText(IDC_TITLE, TitleText(w, Dpi()));
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
    HWND button = Item(id);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    UpdateWindow(button);
    Sleep(100);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    UpdateWindow(button);
    if (id == IDC_PIN) {
        int& pinned = settings[BarSettings::DialogPinFixed];
        pinned = 1 - pinned;
        settings.Write(BarSettings::DialogPinFixed);
        ShowBitmap(IDC_PIN, pinned ? IDB_PIN_DOWN : IDB_PIN_SIDE);
        FocusInput();
    } else if (id == IDC_MINIMIZE) {
        FocusInput();
        MinimizeBar();
    } else {
        FocusInput();
        CloseBar();
    }
}

void CpavraDlg::ToggleSettingsArea() {
    settingsOpen = 1 - settingsOpen;
    ShowBitmap(IDC_SETTINGS_TOGGLE, settingsOpen ? IDB_UP : IDB_DOWN);
    // Asking for one more pixel lets the height rule set the new height.
    RECT rect = ScreenRect();
    SetWindowPos(hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FocusInput();
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
            SetWindowPos(hwnd(), nullptr, rect.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else {
        settings[BarSettings::DialogTaskTray] = state;
        settings.Write(BarSettings::DialogTaskTray);
        SetTaskTrayMode(state);
    }
}

void CpavraDlg::SetupTooltips() {
    // Not owned by the bar: Wine stacks an owner right below its owned windows, and below the
    // tooltip that has left the top-most band the bar could not get back into it.
    tooltip_.Reset(CreateTooltip(nullptr));
    const int ids[] = {IDC_INPUT,   IDC_ANSWER,          IDC_MD0,     IDC_MD1,    IDC_BUTTON0,  IDC_BUTTON1,
                       IDC_BUTTON2, IDC_SETTINGS_TOGGLE, IDC_TOPMOST, IDC_TOPPOS, IDC_TASKTRAY, IDC_MODE_LIST,
                       IDC_PIN,     IDC_MINIMIZE,        IDC_CLOSE};
    for (int id : ids)
        AddTooltipTool(tooltip_.Get(), hwnd(), Item(id));
}

const char* CpavraDlg::TooltipText(int id) {
    CpavraModeBase* mode = CurrentMode();
    switch (id) {
    case IDC_INPUT: return mode->GetInputTip();
    case IDC_ANSWER: return mode->GetAnswerTip();
    case IDC_MD0: return mode->GetMode0Tip();
    case IDC_MD1: return mode->GetMode1Tip();
    case IDC_BUTTON0: return mode->GetButton0Tip();
    case IDC_BUTTON1: return mode->GetButton1Tip();
    case IDC_BUTTON2: return mode->GetButton2Tip();
    case IDC_SETTINGS_TOGGLE: return "設定ダイアログを開く／閉じる";
    case IDC_TOPMOST: return "ウィンドウを常に他のアプリケーションより前面に表示";
    case IDC_TOPPOS: return "ウィンドウをデスクトップ最上部に貼付け";
    case IDC_TASKTRAY: return "アプリケーションをタスクトレイに常駐";
    case IDC_MODE_LIST: return "モードを選択";
    case IDC_PIN: return "自動的に隠す／隠さない";
    case IDC_MINIMIZE: return "最小化";
    case IDC_CLOSE: return settings[BarSettings::DialogTaskTray] ? "閉じる" : "終了";
    default: return nullptr;
    }
}

LRESULT CpavraDlg::OnNotify(NMHDR* header) {
    HWND control = TooltipRequestControl(header);
    // Without a current mode no tooltip text is given at all.
    if (control && CurrentMode())
        SetTooltipText(header, TooltipText(GetDlgCtrlID(control)));
    return 0;
}

INT_PTR CpavraDlg::OnControlColour(HDC dc, HWND control) {
    if (control == Item(IDC_TITLE)) {
        SetBkColor(dc, RGB(settings[BarSettings::DialogTitleColorR], settings[BarSettings::DialogTitleColorG],
                           settings[BarSettings::DialogTitleColorB]));
        return reinterpret_cast<INT_PTR>(titleBrush_.Get());
    }
    if (control == Item(IDC_ANSWER)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return 0;
}

LRESULT CpavraDlg::HitTest(LPARAM lParam) {
    LRESULT hit = DefWindowProcA(hwnd(), WM_NCHITTEST, 0, lParam);
    if (hit != HTCLIENT)
        return hit;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(hwnd(), &point);
    RECT client;
    GetClientRect(hwnd(), &client);
    // The title strip between the icon and the title buttons drags the bar.
    if (point.x >= Scaled(16) && point.x < client.right - Scaled(30) && point.y < Scaled(12))
        return HTCAPTION;
    return HTCLIENT;
}
