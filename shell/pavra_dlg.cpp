#include "shell/pavra_dlg.h"

#include <commctrl.h>

#include "platform/accessible.h"
#include "platform/dpi.h"
#include "platform/profile.h"
#include "resources/resource.h"
#include "shell/bar_names.h"
#include "shell/bar_system_menu.h"
#include "shell/mode_settings.h"
#include "shell/report_error.h"

namespace {

const int kInputLimit = 32767;

void SetButtonCaption(HWND button, const std::string& text, const char* empty) {
    EnableWindow(button, !text.empty());
    SetWindowTextA(button, text.empty() ? empty : text.c_str());
}

// An empty label shows and does nothing: it is hidden, so that a screen reader is not given a
// control without a name.
void ShowLabel(HWND label, const std::string& text) {
    SetWindowTextA(label, text.c_str());
    ShowWindow(label, text.empty() ? SW_HIDE : SW_SHOWNA);
}

void Check(HWND dialog, int id, int on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

// Queued settings are written at once.
void WriteQueuedSettings(CpavraModeBase& mode) {
    if (mode.intChanged) {
        mode.intChanged = false;
        for (int i : mode.changedInts)
            WriteModeInt(mode, i);
        mode.changedInts.clear();
    }
    if (mode.stringChanged) {
        mode.stringChanged = false;
        for (int i : mode.changedStrings)
            WriteModeString(mode, i);
        mode.changedStrings.clear();
    }
}

}  // namespace

CpavraDlg::CpavraDlg(ModeFactory modeFactory)
    : CDialog(IDD_PAVRA),
      frame(*this, settings, barVisibility),
      modes(modeFactory),
      keys(*this, modes.CurrentIndex(), modes.PreviousIndex()),
      settingsArea(*this, *this, settings, frame, titleStrip, tray, keys, notices),
      titleStrip(*this, settings),
      barVisibility(*this, settings, settingsArea.settingsOpen, ready,
                    {[this] {
                         ReadDialogData();
                         if (CpavraModeBase* mode = CurrentMode())
                             mode->Deactivate(inputLineText);
                     },
                     [this] {
                         if (CpavraModeBase* mode = CurrentMode()) {
                             // Coming back shows the same answer again: nothing new to say.
                             quietAnswer = true;
                             mode->Activate();
                             ApplyModeChanges();
                             quietAnswer = false;
                         }
                     },
                     [this](int show) {
                         if (CpavraModeBase* mode = CurrentMode())
                             mode->ShowSubWindows(show);
                     }}),
      tray(*this, settings, barVisibility),
      notices(*this, answerLineText, settings) {}

CpavraDlg::~CpavraDlg() = default;

CpavraModeBase* CpavraDlg::CurrentMode() const { return modes.Current(); }

RECT CpavraDlg::ScreenRect() const {
    RECT rect = {};
    GetWindowRect(hwnd(), &rect);
    return rect;
}

void CpavraDlg::FocusInput() const { SetFocus(Item(IDC_INPUT)); }

void CpavraDlg::ReadDialogData() {
    inputLineText = ItemText(IDC_INPUT);
    answerLineText = ItemText(IDC_ANSWER);
}

// A line whose text is already the same keeps it, and so its caret and scroll position.
void CpavraDlg::WriteDialogData() {
    if (ItemText(IDC_INPUT) != inputLineText)
        SetItemText(IDC_INPUT, inputLineText);
    if (ItemText(IDC_ANSWER) != answerLineText)
        SetItemText(IDC_ANSWER, answerLineText);
}

BOOL CpavraDlg::OnInit() {
    keys.Attach(Item(IDC_INPUT), Item(IDC_ANSWER), Item(IDC_MODE_LIST));
    BuildBarSystemMenu(hwnd());
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(frame.Icon()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(frame.Icon()));
    // The settings are read and written back key by key; the batch reads each section once.
    ProfileBatch batch;
    settings.Load();
    SetWindowTextA(hwnd(), "Pavra");
    tray.ApplyTaskbarButton();
    frame.PlaceBar();
    titleStrip.LoadBitmaps(WindowDpi(hwnd()), settingsArea.settingsOpen != 0);
    NameBarControls(hwnd(), settingsArea.settingsOpen != 0);
    // The platform's own limit for typed and pasted text, made explicit: laying out a line costs
    // time that grows with the square of its length, so a pasted megabyte would stall the bar.
    SendMessageA(Item(IDC_INPUT), EM_SETLIMITTEXT, kInputLimit, 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutBar(client.right);

    modes.CreateAndLoad(hwnd());
    CpavraModeBase* mode = modes.Start(settings[BarSettings::ModeIndex]);
    if (!mode) {
        ReportError(ErrNoStartMode);
        PostMessageA(hwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    }
    mode->Activate();
    ApplyModeChanges();
    ShowModeCaption();
    const bool hotkeyTaken = !FinishInit();
    // One line for two faults: the settings that will be lost count more than the key.
    if (!notices.TellUnsavedSettings() && hotkeyTaken)
        notices.TellTakenHotkey();
    ready = true;
    FocusInput();
    return FALSE;
}

// Once the current mode is active: the option boxes, the mode list, the prompts' completion lists,
// the layered style, the tooltips, the notification-area icon and the hotkey. False when the
// hotkey is taken.
bool CpavraDlg::FinishInit() {
    Check(hwnd(), IDC_TOPMOST, settings[BarSettings::DialogTopMost]);
    Check(hwnd(), IDC_TOPPOS, settings[BarSettings::DialogTopPos]);
    Check(hwnd(), IDC_TASKTRAY, settings[BarSettings::DialogTaskTray]);
    HWND list = Item(IDC_MODE_LIST);
    for (const std::string& caption : modes.Captions())
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    if (SendMessageA(list, CB_SETCURSEL, settings[BarSettings::ModeIndex], 0) == CB_ERR)
        SendMessageA(list, CB_SETCURSEL, 0, 0);
    keys.prompt.FillCompletionLists(ModeNames());

    LONG_PTR exStyle = GetWindowLongPtrA(hwnd(), GWL_EXSTYLE);
    if (exStyle && SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED))
        SetLayeredWindowAttributes(hwnd(), 0, 255, LWA_ALPHA);
    tooltips.Create(hwnd());
    if (settings[BarSettings::DialogTaskTray])
        tray.AddTrayIcon();
    // Key 0 is no combination: whatever the platform answers for it is not a taken key.
    return tray.RegisterBarHotkey() || settings[BarSettings::HotkeyKey] == 0;
}

void CpavraDlg::ShowModeCaption() {
    if (CpavraModeBase* mode = CurrentMode())
        SetItemText(IDC_MODE_GROUP, std::string(mode->GetCaption()) + "設定");
}

bool CpavraDlg::ApplyModeChanges() {
    CpavraModeBase* mode = CurrentMode();
    if (!mode)
        return false;
    bool changed = false, answered = false;
    if (mode->inputChanged) {
        mode->inputChanged = false;
        inputLineText = mode->inputText;
        changed = true;
    }
    if (mode->answerChanged) {
        mode->answerChanged = false;
        answerLineText = mode->answerText;
        changed = answered = true;
    }
    ApplyControlChanges(*mode);
    if (mode->quitRequest) {
        mode->quitRequest = false;
        Quit();
        if (!hwnd())  // a modeless bar is gone at once, and its modes with it
            return changed;
    }
    if (mode->manualRequest) {
        mode->manualRequest = false;
        OpenManual();
    }
    WriteQueuedSettings(*mode);
    if (changed)
        WriteDialogData();
    // The answer is read out while the focus stays where it is; a mode's word of what it did too.
    if (answered && !quietAnswer)
        AnnounceLine(Item(IDC_ANSWER), answerLineText);
    if (mode->spokenChanged) {
        mode->spokenChanged = false;
        if (!quietAnswer)
            AnnounceLine(Item(IDC_ANSWER), mode->spokenText);
    }
    notices.TellUnsavedSettings();
    return changed;
}

// The labels, the companion windows' place, the focus and the mode buttons.
void CpavraDlg::ApplyControlChanges(CpavraModeBase& mode) {
    if (mode.mode1Changed) {
        mode.mode1Changed = false;
        ShowLabel(Item(IDC_MD1), mode.mode1Text);
    }
    if (mode.mode0Changed) {
        mode.mode0Changed = false;
        ShowLabel(Item(IDC_MD0), mode.mode0Text);
    }
    if (mode.followRequest) {
        mode.followRequest = false;
        mode.FollowMainWindow(ScreenRect());
    }
    if (mode.focusRequest) {
        mode.focusRequest = false;
        FocusInput();
    }
    if (mode.button0Changed) {
        mode.button0Changed = false;
        SetButtonCaption(Item(IDC_BUTTON0), mode.button0Text, "button0");
    }
    if (mode.button1Changed) {
        mode.button1Changed = false;
        SetButtonCaption(Item(IDC_BUTTON1), mode.button1Text, "button1");
    }
    if (mode.button2Changed) {
        mode.button2Changed = false;
        SetButtonCaption(Item(IDC_BUTTON2), mode.button2Text, "button2");
    }
}

// A command that wrote a setting the file refused says so.
bool CpavraDlg::OnCommand(int id, int code, HWND) {
    const bool taken = OnBarCommand(id, code) || OnModeCommand(id, code);
    if (hwnd())
        notices.TellUnsavedSettings();
    return taken;
}

// The bar's own controls. False for a command it leaves to the mode or the platform.
bool CpavraDlg::OnBarCommand(int id, int code) {
    switch (id) {
    case IDC_PIN:
    case IDC_MINIMIZE:
    case IDC_CLOSE:
        // The title buttons act the moment the mouse presses them.
        if (code == BN_SETFOCUS)
            settingsArea.PressTitleButton(id);
        return true;
    case IDC_MODE_LIST:
        if (code == CBN_SELCHANGE)
            SwitchMode();
        return code == CBN_SELCHANGE;
    case IDC_SETTINGS_TOGGLE:
    case IDC_TOPMOST:
    case IDC_TOPPOS:
    case IDC_TASKTRAY:
    case IDC_MANUAL:
    case IDC_DETAIL:
        if (code == BN_CLICKED)
            settingsArea.OnSettingsAreaClick(id);
        return true;
    case IDC_ANSWER:
        if (code == EN_KILLFOCUS)
            keys.prompt.DropPrompt();
        return code == EN_KILLFOCUS;
    case IDC_INPUT:
        // A paste that did not fit was cut off: say so rather than let a shortened formula
        // pass for the whole one.
        if (code == EN_MAXTEXT)
            notices.Tell("Error: 入力が長すぎます（32767文字まで）");
        return false;
    case IDM_TRAY_QUIT: Quit(); return true;
    case IDC_TITLE_ICON:
        // The title icon opens the system menu under itself.
        if (code == STN_CLICKED)
            ShowBarSystemMenu(hwnd(), POINT{0, Scaled(BarVisibility::kTitleStripHeight)});
        return true;
    default: return false;
    }
}

// The labels and buttons that the mode gives their meaning.
bool CpavraDlg::OnModeCommand(int id, int code) {
    CpavraModeBase* mode = CurrentMode();
    if (code != BN_CLICKED || !mode)  // STN_CLICKED of the labels is the same code
        return false;
    switch (id) {
    case IDC_MD0: mode->OnMode0Click(); break;
    case IDC_MD1: mode->OnMode1Click(); break;
    case IDC_BUTTON0: mode->OnButton0(); break;
    case IDC_BUTTON1: mode->OnButton1(); break;
    case IDC_BUTTON2: mode->OnButton2(); break;
    default: return false;
    }
    ApplyModeChanges();
    return true;
}

void CpavraDlg::OnSize(int width, int) {
    if (!ready || IsIconic(hwnd()))
        return;
    LayoutBar(width);
    for (int id : {IDC_MD0, IDC_MD1, IDC_SETTINGS_TOGGLE, IDC_PIN, IDC_MINIMIZE, IDC_CLOSE})
        InvalidateRect(Item(id), nullptr, TRUE);
    if (CpavraModeBase* mode = CurrentMode())
        mode->FollowMainWindow(ScreenRect());
}

LRESULT CpavraDlg::OnNotify(NMHDR* header) {
    tooltips.OnNotify(header, CurrentMode(), settings[BarSettings::DialogTaskTray] != 0);
    return 0;
}

// A message taken here returns TRUE: the dialog manager then leaves it alone (a system command
// that fell through would still minimise or close the bar).
INT_PTR CpavraDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    INT_PTR result = FALSE;
    if (barVisibility.OnMessage(message, wParam, lParam, result))
        return result;
    if (tray.OnMessage(message, wParam, lParam))
        return TRUE;
    switch (message) {
    case WM_CTLCOLORSTATIC:
        result = titleStrip.OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        handled = result != 0;
        return result;
    case WM_NCHITTEST: SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, titleStrip.HitTest(lParam)); return TRUE;
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(frame.Icon());
    case WM_MOVE: OnBarMoved(); return 0;
    case WM_DESTROY: Shutdown(); return 0;
    case WM_PAINT: handled = frame.OnPaint(); return handled;
    case WM_SYSCOMMAND: handled = OnSysCommand(wParam); return handled;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        OnColoursChanged();
        handled = false;
        return FALSE;
    default: handled = false; return FALSE;
    }
}

void CpavraDlg::OnOK() {
    ReadDialogData();
    EndDialog(IDOK);
}

void CpavraDlg::OnCancel() { Quit(); }

void CpavraDlg::Quit() { EndDialog(IDCANCEL); }

void CpavraDlg::Shutdown() {
    settings.Write(BarSettings::ModeIndex);
    modes.Shutdown(inputLineText);
    tooltips.Destroy();
    tray.ReleaseTrayAndHotkey();
}
