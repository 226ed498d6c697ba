#include "shell/bar_notices.h"

#include "platform/accessible.h"
#include "platform/dialog.h"
#include "resources/resource.h"
#include "shell/pavra_param_dlg.h"

BarNotices::BarNotices(const CDialog& owner, std::string& answerText, const BarSettings& barSettings)
    : dialog(owner), answerLineText(answerText), settings(barSettings) {}

// Shown when the write fails, as any error is; the mode's lines stay as they are.
bool BarNotices::TellUnsavedSettings() {
    std::string message = unsavedSettings.Take();
    if (message.empty())
        return false;
    Tell(message);
    return true;
}

void BarNotices::TellTakenHotkey() {
    Tell(TakenHotkeyText(static_cast<UINT>(settings[BarSettings::HotkeyKey]),
                         static_cast<UINT>(settings[BarSettings::HotkeyMod])) +
         "詳細設定で変更できます");
}

void BarNotices::Tell(const std::string& text) {
    answerLineText = text;
    dialog.SetItemText(IDC_ANSWER, answerLineText);
    AnnounceLine(dialog.Item(IDC_ANSWER), answerLineText);
}
