#include "shell/bar_tooltips.h"

#include "platform/tooltip.h"
#include "resources/resource.h"

void BarTooltips::Create(HWND bar) {
    // Not owned by the bar: Wine stacks an owner right below its owned windows, and below the
    // tooltip that has left the top-most band the bar could not get back into it.
    tooltip.Reset(CreateTooltip(nullptr));
    const int ids[] = {IDC_INPUT,   IDC_ANSWER,          IDC_MD0,     IDC_MD1,    IDC_BUTTON0,  IDC_BUTTON1,
                       IDC_BUTTON2, IDC_SETTINGS_TOGGLE, IDC_TOPMOST, IDC_TOPPOS, IDC_TASKTRAY, IDC_MODE_LIST,
                       IDC_PIN,     IDC_MINIMIZE,        IDC_CLOSE};
    for (int id : ids)
        AddTooltipTool(tooltip.Get(), bar, GetDlgItem(bar, id));
}

void BarTooltips::OnNotify(NMHDR* header, CpavraModeBase* mode, bool trayMode) const {
    HWND control = TooltipRequestControl(header);
    if (control && mode)
        SetTooltipText(header, TooltipText(GetDlgCtrlID(control), *mode, trayMode));
}

const char* BarTooltips::TooltipText(int id, CpavraModeBase& mode, bool trayMode) {
    switch (id) {
    case IDC_INPUT: return mode.GetInputTip();
    case IDC_ANSWER: return mode.GetAnswerTip();
    case IDC_MD0: return mode.GetMode0Tip();
    case IDC_MD1: return mode.GetMode1Tip();
    case IDC_BUTTON0: return mode.GetButton0Tip();
    case IDC_BUTTON1: return mode.GetButton1Tip();
    case IDC_BUTTON2: return mode.GetButton2Tip();
    case IDC_SETTINGS_TOGGLE: return "設定ダイアログを開く／閉じる";
    case IDC_TOPMOST: return "ウィンドウを常に他のアプリケーションより前面に表示";
    case IDC_TOPPOS: return "ウィンドウをデスクトップ最上部に貼付け";
    case IDC_TASKTRAY: return "アプリケーションをタスクトレイに常駐";
    case IDC_MODE_LIST: return "モードを選択";
    case IDC_PIN: return "自動的に隠す／隠さない";
    case IDC_MINIMIZE: return "最小化";
    case IDC_CLOSE: return trayMode ? "閉じる" : "終了";
    default: return nullptr;
    }
}
