#include "shell/pavra_dlg.h"

#include <commctrl.h>

#include <utility>

#include "platform/dpi.h"
#include "platform/profile.h"
#include "resources/resource.h"
#include "shell/bar_bitmaps.h"
#include "shell/mode_settings.h"
#include "shell/report_error.h"

namespace {

const int kInputLimit = 32767;
// Loaded in this order; indices into CpavraDlg::bitmaps_.
const int kBitmapIds[] = {IDB_DOWN,       IDB_UP,       IDB_CLOSE,   IDB_MINIMIZE,
                          IDB_TITLE_ICON, IDB_PIN_DOWN, IDB_PIN_SIDE};

int BitmapSlot(int id) {
    for (int i = 0; i < 7; ++i) {
        if (kBitmapIds[i] == id)
            return i;
    }
    return 0;
}

}  // namespace

CpavraDlg::CpavraDlg(ModeFactory createModes)
    : CDialog(IDD_PAVRA),
      createModes_(createModes),
      icon_(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PAVRA), IMAGE_ICON,
                                          0, 0, LR_DEFAULTSIZE))) {}

CpavraDlg::~CpavraDlg() = default;

CpavraModeBase* CpavraDlg::CurrentMode() const {
    if (currentMode < 0 || currentMode >= static_cast<int>(modes.size()))
        return nullptr;
    return modes[currentMode].get();
}

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
    inputLine.Attach(Item(IDC_INPUT));
    answerLine.Attach(Item(IDC_ANSWER));
    BuildSystemMenu();
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    // The settings are read and written back key by key; the batch reads each section once.
    ProfileBatch batch;
    settings.Load();
    SetWindowTextA(hwnd(), "Pavra");
    ApplyTaskbarButton();
    PlaceBar();
    LoadBitmaps(WindowDpi(hwnd()));
    SetupControls();
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutBar(client.right);

    CreateModesAndLoad();
    currentMode = previousMode = settings[BarSettings::ModeIndex];
    CpavraModeBase* mode = CurrentMode();
    if (!mode) {
        ReportError(ErrNoStartMode);
        PostMessageA(hwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    }
    mode->Activate();
    ApplyModeChanges();
    ShowModeCaption();

    CheckDlgButton(hwnd(), IDC_TOPMOST, settings[BarSettings::DialogTopMost] ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_TOPPOS, settings[BarSettings::DialogTopPos] ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_TASKTRAY, settings[BarSettings::DialogTaskTray] ? BST_CHECKED : BST_UNCHECKED);
    HWND list = Item(IDC_MODE_LIST);
    for (auto& each : modes)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(each->GetCaption()));
    if (SendMessageA(list, CB_SETCURSEL, settings[BarSettings::ModeIndex], 0) == CB_ERR)
        SendMessageA(list, CB_SETCURSEL, 0, 0);
    FillCompletionLists();

    LONG_PTR exStyle = GetWindowLongPtrA(hwnd(), GWL_EXSTYLE);
    if (exStyle && SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED))
        SetLayeredWindowAttributes(hwnd(), 0, 255, LWA_ALPHA);
    SetupTooltips();
    if (settings[BarSettings::DialogTaskTray])
        AddTrayIcon();
    RegisterBarHotkey();

    ready = true;
    FocusInput();
    return FALSE;
}

// Again whenever the bar's DPI changes: the controls take the new bitmaps before the old ones go.
void CpavraDlg::LoadBitmaps(UINT dpi) {
    COLORREF title = RGB(settings[BarSettings::DialogTitleColorR], settings[BarSettings::DialogTitleColorG],
                         settings[BarSettings::DialogTitleColorB]);
    titleBrush_.Reset(CreateSolidBrush(title));
    CBitmap previous[7];
    for (int i = 0; i < 7; ++i) {
        previous[i] = std::move(bitmaps_[i]);
        bitmaps_[i].Reset(LoadBarBitmap(kBitmapIds[i], dpi, title));
    }
    ShowBitmap(IDC_CLOSE, IDB_CLOSE);
    ShowBitmap(IDC_MINIMIZE, IDB_MINIMIZE);
    ShowBitmap(IDC_TITLE_ICON, IDB_TITLE_ICON);
    ShowBitmap(IDC_SETTINGS_TOGGLE, settingsOpen ? IDB_UP : IDB_DOWN);
    ShowBitmap(IDC_PIN, settings[BarSettings::DialogPinFixed] ? IDB_PIN_DOWN : IDB_PIN_SIDE);
}

// A bitmap that could not be loaded leaves the control without image.
void CpavraDlg::ShowBitmap(int controlId, int bitmapId) {
    HWND control = Item(controlId);
    HBITMAP bitmap = bitmaps_[BitmapSlot(bitmapId)].Get();
    if (!control)
        return;
    UINT message = controlId == IDC_TITLE_ICON ? STM_SETIMAGE : BM_SETIMAGE;
    SendMessageA(control, message, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void CpavraDlg::SetupControls() {
    // The platform's own limit for typed and pasted text, made explicit: laying out a line costs
    // time that grows with the square of its length, so a pasted megabyte would stall the bar.
    SendMessageA(Item(IDC_INPUT), EM_SETLIMITTEXT, kInputLimit, 0);
}

void CpavraDlg::CreateModesAndLoad() {
    modes = createModes_();
    for (auto& mode : modes)
        LoadModeSettings(*mode);
    for (auto& mode : modes)
        SaveModeSettings(*mode);
    for (auto& mode : modes) {
        mode->owner = hwnd();
        mode->Initialize();
    }
}

void CpavraDlg::ShowModeCaption() {
    if (CpavraModeBase* mode = CurrentMode())
        SetItemText(IDC_MODE_GROUP, std::string(mode->GetCaption()) + "設定");
}

void CpavraDlg::SetButtonCaption(int id, const std::string& text, const char* empty) {
    EnableWindow(Item(id), !text.empty());
    SetItemText(id, text.empty() ? empty : text);
}

bool CpavraDlg::ApplyModeChanges() {
    CpavraModeBase* mode = CurrentMode();
    if (!mode)
        return false;
    bool changed = false;
    if (mode->inputChanged) {
        mode->inputChanged = false;
        inputLineText = mode->inputText;
        changed = true;
    }
    if (mode->answerChanged) {
        mode->answerChanged = false;
        answerLineText = mode->answerText;
        changed = true;
    }
    if (mode->mode1Changed) {
        mode->mode1Changed = false;
        SetItemText(IDC_MD1, mode->mode1Text);
    }
    if (mode->mode0Changed) {
        mode->mode0Changed = false;
        SetItemText(IDC_MD0, mode->mode0Text);
    }
    if (mode->followRequest) {
        mode->followRequest = false;
        mode->FollowMainWindow(ScreenRect());
    }
    if (mode->focusRequest) {
        mode->focusRequest = false;
        FocusInput();
    }
    if (mode->button0Changed) {
        mode->button0Changed = false;
        SetButtonCaption(IDC_BUTTON0, mode->button0Text, "button0");
    }
    if (mode->button1Changed) {
        mode->button1Changed = false;
        SetButtonCaption(IDC_BUTTON1, mode->button1Text, "button1");
    }
    if (mode->button2Changed) {
        mode->button2Changed = false;
        SetButtonCaption(IDC_BUTTON2, mode->button2Text, "button2");
    }
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
    if (mode->intChanged) {
        mode->intChanged = false;
        for (int i : mode->changedInts)
            WriteModeInt(*mode, i);
        mode->changedInts.clear();
    }
    if (mode->stringChanged) {
        mode->stringChanged = false;
        for (int i : mode->changedStrings)
            WriteModeString(*mode, i);
        mode->changedStrings.clear();
    }
    if (changed)
        WriteDialogData();
    return changed;
}

bool CpavraDlg::OnCommand(int id, int code, HWND) {
    CpavraModeBase* mode = CurrentMode();
    switch (id) {
    case IDC_PIN:
    case IDC_MINIMIZE:
    case IDC_CLOSE:
        // The title buttons act the moment the mouse presses them.
        if (code == BN_SETFOCUS)
            PressTitleButton(id);
        return true;
    case IDC_MODE_LIST:
        if (code == CBN_SELCHANGE)
            SwitchMode();
        return code == CBN_SELCHANGE;
    case IDC_SETTINGS_TOGGLE:
        if (code == BN_CLICKED)
            ToggleSettingsArea();
        return true;
    case IDC_TOPMOST:
    case IDC_TOPPOS:
    case IDC_TASKTRAY:
        if (code == BN_CLICKED)
            OnOption(id);
        return true;
    case IDC_MANUAL:
        if (code == BN_CLICKED)
            OnManualButton();
        return true;
    case IDC_ANSWER:
        if (code == EN_KILLFOCUS)
            DropPrompt();
        return code == EN_KILLFOCUS;
    case IDC_INPUT:
        // A paste that did not fit was cut off: say so rather than let a shortened formula
        // pass for the whole one.
        if (code == EN_MAXTEXT) {
            answerLineText = "Error: 入力が長すぎます（32767文字まで）";
            SetItemText(IDC_ANSWER, answerLineText);
        }
        return false;
    case IDM_TRAY_QUIT: Quit(); return true;
    case IDC_TITLE_ICON:
        if (code == STN_CLICKED)
            ShowTitleIconMenu();
        return true;
    case IDC_DETAIL:
        if (code == BN_CLICKED)
            OpenDetailedSettings();
        return true;
    default: break;
    }
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

INT_PTR CpavraDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        INT_PTR brush = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        handled = brush != 0;
        return brush;
    }
    case WM_NCHITTEST: SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, HitTest(lParam)); return TRUE;
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(icon_.Get());
    case WM_WINDOWPOSCHANGING:
        ApplyHeightRule(reinterpret_cast<WINDOWPOS*>(lParam));
        handled = false;
        return 0;
    case WM_WINDOWPOSCHANGED:
        iconic = IsIconic(hwnd()) != FALSE;
        handled = false;
        return 0;
    case WM_MOVE: OnBarMoved(); return 0;
    case WM_DESTROY: Shutdown(); return 0;
    default: return OnBarMessage(message, wParam, lParam, handled);
    }
}

void CpavraDlg::OnOK() {
    ReadDialogData();
    EndDialog(IDOK);
}

void CpavraDlg::OnCancel() { Quit(); }

void CpavraDlg::Shutdown() {
    settings.Write(BarSettings::ModeIndex);
    if (CpavraModeBase* mode = CurrentMode())
        mode->Deactivate(inputLineText);
    for (auto& mode : modes) {
        mode->Shutdown();
        mode.reset();
    }
    modes.clear();
    tooltip_.Reset();
    ReleaseTrayAndHotkey();
}
