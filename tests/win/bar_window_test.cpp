// The bar window with stand-in modes: initialisation, applying a mode's changes, switching,
// the title buttons, the options, the layout and height rule, tooltips and shutdown.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/common_controls.h"
#include "platform/profile.h"
#include "resources/resource.h"
#include "shell/pavra_dlg.h"
#include "shell/report_error.h"
#include "profile_file_test.h"

namespace {

std::vector<std::string> g_journal;
int g_modeCount = 2;

class StandInMode : public CpavraModeBase {
public:
    explicit StandInMode(int index) : CpavraModeBase(index), name_("stand" + std::to_string(index)) {}

    void Initialize() override { Log(owner ? "Initialize" : "Initialize without owner"); }
    void Shutdown() override { Log("Shutdown"); }
    void Activate() override {
        Log("Activate");
        PublishMode0("M0");
        PublishMode1("M1");
        PublishButtons("B0", "", "B2");
    }
    void Deactivate(const std::string& line) override { Log("Deactivate:" + line); }
    void Execute(const std::string& line) override {
        Log("Execute:" + line);
        PublishInput("");
        PublishAnswer("= " + line);
    }
    void HistoryPrevious() override { PublishInput("earlier line"); }
    const char* GetSection() override { return name_.c_str(); }
    const char* GetCaption() override { return index == 0 ? "代役モード" : "予備モード"; }
    int GetIntCount() override { return 1; }
    int GetInt(int) override { return flag; }
    int GetIntMax(int) override { return 1; }
    const char* GetIntKey(int) override { return "Flag"; }
    void SetInt(int, int value) override { flag = value; }
    int GetStringCount() override { return 1; }
    const char* GetString(int) override { return text.c_str(); }
    const char* GetStringKey(int) override { return "Text"; }
    void SetString(int, const char* value) override { text = value; }
    const char* GetInputTip() override { return "入力のヒント"; }
    const char* GetMode1Tip() override { return "ラベル1のヒント"; }

    int flag = 1;
    std::string text = "既定";

private:
    void Log(const std::string& what) { g_journal.push_back(std::to_string(index) + ":" + what); }
    std::string name_;
};

std::vector<StandInMode*> g_modes;

ModeList StandInModes() {
    ModeList modes;
    g_modes.clear();
    for (int i = 0; i < g_modeCount; ++i) {
        g_modes.push_back(new StandInMode(i));
        modes.emplace_back(g_modes.back());
    }
    return modes;
}

std::string g_boxText;
int RecordBox(HWND, const char* text, const char*, UINT) {
    g_boxText = text;
    return IDOK;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CDialog::RouteMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

class BarWindowTest : public ProfileFileTest {
protected:
    void SetUp() override {
        InitAllCommonControls();
        ProfileFileTest::SetUp();
        g_journal.clear();
        g_modeCount = 2;
    }
    void TearDown() override {
        if (bar_ && bar_->hwnd())
            DestroyWindow(bar_->hwnd());
        bar_.reset();
        ProfileFileTest::TearDown();
    }

    HWND Open(const std::string& ini = std::string()) {
        if (!ini.empty())
            TempFolder::Write(ini_, ini);
        bar_ = std::make_unique<CpavraDlg>(StandInModes);
        EXPECT_TRUE(bar_->Create(nullptr));
        Pump();
        return bar_->hwnd();
    }
    std::string Text(int id) const { return bar_->ItemText(id); }
    int FileInt(const char* section, const char* key) const {
        return static_cast<int>(GetPrivateProfileIntA(section, key, -999, ini_.c_str()));
    }
    RECT ClientRectOf(int id) const {
        RECT rect;
        GetWindowRect(bar_->Item(id), &rect);
        MapWindowPoints(nullptr, bar_->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    SIZE Client() const {
        RECT rect;
        GetClientRect(bar_->hwnd(), &rect);
        return {rect.right, rect.bottom};
    }
    void Command(int id, int code) {
        SendMessageA(bar_->hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(bar_->Item(id)));
    }

    std::unique_ptr<CpavraDlg> bar_;
};

}  // namespace

TEST_F(BarWindowTest, InitialisationActivatesTheStoredMode) {
    HWND bar = Open("[pavra]\r\nModeIndex=1\r\n[stand1]\r\nFlag=7\r\nText=手書き\r\n");
    ASSERT_TRUE(bar);
    std::vector<std::string> expected = {"0:Initialize", "1:Initialize", "1:Activate"};
    EXPECT_EQ(g_journal, expected);
    EXPECT_EQ(g_modes[1]->flag, 1);  // clamped
    EXPECT_EQ(g_modes[1]->text, "手書き");
    EXPECT_EQ(FileInt("stand0", "Flag"), 1);  // every mode written back
    EXPECT_EQ(FileInt("stand1", "Flag"), 1);
    EXPECT_EQ(FileInt("pavra", "ModeIndex"), 1);

    char title[16];
    GetWindowTextA(bar, title, sizeof title);
    EXPECT_STREQ(title, "Pavra");
    EXPECT_EQ(Text(IDC_MD0), "M0");
    EXPECT_EQ(Text(IDC_MD1), "M1");
    EXPECT_EQ(Text(IDC_BUTTON0), "B0");
    EXPECT_TRUE(IsWindowEnabled(bar_->Item(IDC_BUTTON0)));
    EXPECT_EQ(Text(IDC_BUTTON1), "button1");
    EXPECT_FALSE(IsWindowEnabled(bar_->Item(IDC_BUTTON1)));
    EXPECT_EQ(Text(IDC_MODE_GROUP), "予備モード設定");
    HWND list = bar_->Item(IDC_MODE_LIST);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(IsDlgButtonChecked(bar, IDC_TOPMOST), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(bar, IDC_TOPPOS), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(Client().cy, 49);
}

TEST_F(BarWindowTest, AStoredModeThatDoesNotExistEndsTheBar) {
    MessageBoxFunction previous = SetMessageBoxFunction(RecordBox);
    g_boxText.clear();
    HWND bar = Open("[pavra]\r\nModeIndex=2\r\n");
    SetMessageBoxFunction(previous);
    EXPECT_NE(g_boxText.find("0x00001003）"), std::string::npos) << g_boxText;
    EXPECT_FALSE(IsWindow(bar));  // the posted close request ended it
    std::vector<std::string> expected = {"0:Initialize", "1:Initialize", "0:Shutdown", "1:Shutdown"};
    EXPECT_EQ(g_journal, expected);
}

TEST_F(BarWindowTest, ApplyModeChangesCopiesWhatTheModePublished) {
    Open();
    StandInMode& mode = *g_modes[0];
    bar_->SetItemText(IDC_INPUT, "typed");

    // A label alone: no line is rewritten.
    mode.mode0Changed = true;
    mode.mode0Text = "HEX";
    EXPECT_FALSE(bar_->ApplyModeChanges());
    EXPECT_EQ(Text(IDC_MD0), "HEX");
    EXPECT_EQ(Text(IDC_INPUT), "typed");
    EXPECT_FALSE(mode.mode0Changed);

    // An answer: both lines get the bar's texts.
    bar_->inputLineText = "typed";
    mode.answerChanged = true;
    mode.answerText = "Error: 構文エラー";
    EXPECT_TRUE(bar_->ApplyModeChanges());
    EXPECT_EQ(Text(IDC_ANSWER), "Error: 構文エラー");
    EXPECT_EQ(Text(IDC_INPUT), "typed");

    struct ButtonCase {
        bool CpavraModeBase::*flag;
        std::string CpavraModeBase::*text;
        int id;
        const char *caption, *shown;
        bool enabled;
    } buttons[] = {
        {&CpavraModeBase::button0Changed, &CpavraModeBase::button0Text, IDC_BUTTON0, "", "button0", false},
        {&CpavraModeBase::button1Changed, &CpavraModeBase::button1Text, IDC_BUTTON1, "関数", "関数", true},
        {&CpavraModeBase::button2Changed, &CpavraModeBase::button2Text, IDC_BUTTON2, "", "button2", false},
    };
    for (const ButtonCase& c : buttons) {
        mode.*c.flag = true;
        mode.*c.text = c.caption;
        EXPECT_FALSE(bar_->ApplyModeChanges());
        EXPECT_EQ(Text(c.id), c.shown);
        EXPECT_EQ(IsWindowEnabled(bar_->Item(c.id)) != FALSE, c.enabled) << c.id;
    }

    // Settings are written at once, integers and strings, and the lists emptied.
    mode.flag = 0;
    mode.text = "変更";
    mode.intChanged = mode.stringChanged = true;
    mode.changedInts = {0};
    mode.changedStrings = {0};
    bar_->ApplyModeChanges();
    EXPECT_EQ(FileInt("stand0", "Flag"), 0);
    EXPECT_EQ(ProfileReadString("stand0", "Text", "?"), "変更");
    EXPECT_TRUE(mode.changedInts.empty());
    EXPECT_TRUE(mode.changedStrings.empty());
    EXPECT_FALSE(mode.intChanged || mode.stringChanged);
}

TEST_F(BarWindowTest, QuitRequestEndsTheBarAndWritesTheModeIndex) {
    TempFolder::Write(ini_, "[pavra]\r\nModeIndex=0\r\n");
    HWND bar = Open();
    SendMessageA(bar_->Item(IDC_MODE_LIST), CB_SETCURSEL, 1, 0);
    bar_->SetItemText(IDC_INPUT, "carried");
    Command(IDC_MODE_LIST, CBN_SELCHANGE);
    std::vector<std::string> switched = {"0:Initialize",         "1:Initialize",         "0:Activate",
                                         "0:Deactivate:carried", "1:Deactivate:carried", "1:Activate"};
    EXPECT_EQ(g_journal, switched);
    EXPECT_EQ(Text(IDC_MODE_GROUP), "予備モード設定");
    EXPECT_EQ(FileInt("pavra", "ModeIndex"), 0);  // only written at quit

    g_journal.clear();
    g_modes[1]->quitRequest = true;
    bar_->ApplyModeChanges();
    EXPECT_FALSE(IsWindow(bar));
    std::vector<std::string> ended = {"1:Deactivate:carried", "0:Shutdown", "1:Shutdown"};
    EXPECT_EQ(g_journal, ended);
    EXPECT_EQ(FileInt("pavra", "ModeIndex"), 1);
}

TEST_F(BarWindowTest, ReturnAndUpInTheInputLine) {
    Open();
    HWND input = bar_->Item(IDC_INPUT);
    bar_->SetItemText(IDC_INPUT, "1+1");
    PostMessageA(input, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(g_journal.back(), "0:Execute:1+1");
    EXPECT_EQ(Text(IDC_INPUT), "");
    EXPECT_EQ(Text(IDC_ANSWER), "= 1+1");

    bar_->SetItemText(IDC_INPUT, "abcd");
    SendMessageA(input, EM_SETSEL, 2, 4);
    PostMessageA(input, WM_KEYDOWN, VK_UP, 0);
    Pump();
    EXPECT_EQ(Text(IDC_INPUT), "earlier line");
    DWORD start = 0, end = 0;
    SendMessageA(input, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);  // the caret goes where the selection started
    EXPECT_EQ(end, 2u);
}

TEST_F(BarWindowTest, PinWritesAtOnceAndSwapsItsPicture) {
    HWND bar = Open();
    HWND pin = bar_->Item(IDC_PIN);
    LRESULT lying = SendMessageA(pin, BM_GETIMAGE, IMAGE_BITMAP, 0);
    Command(IDC_PIN, BN_SETFOCUS);
    EXPECT_EQ(FileInt("pavra", "DialogPinFixed"), 1);
    LRESULT pressed = SendMessageA(pin, BM_GETIMAGE, IMAGE_BITMAP, 0);
    EXPECT_NE(pressed, lying);
    Command(IDC_PIN, BN_SETFOCUS);
    EXPECT_EQ(FileInt("pavra", "DialogPinFixed"), 0);
    EXPECT_EQ(SendMessageA(pin, BM_GETIMAGE, IMAGE_BITMAP, 0), lying);
    EXPECT_TRUE(IsWindow(bar));
}

TEST_F(BarWindowTest, OptionsAreWrittenWhenTicked) {
    HWND bar = Open();
    ShowWindow(bar, SW_SHOWNOACTIVATE);  // the user ticks the boxes of a bar on screen
    SetWindowPos(bar, nullptr, 100, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Back and forth: the bar must get into the top-most band again.
    for (int expected : {0, 1, 0, 1}) {
        SendMessageA(bar_->Item(IDC_TOPMOST), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(FileInt("pavra", "DialogTopMost"), expected);
        EXPECT_EQ((GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, expected == 1);
    }

    SendMessageA(bar_->Item(IDC_TOPPOS), BM_CLICK, 0, 0);
    EXPECT_EQ(FileInt("pavra", "DialogTopPos"), 1);
    RECT rect;
    GetWindowRect(bar, &rect);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.left, 100);
    SendMessageA(bar_->Item(IDC_TASKTRAY), BM_CLICK, 0, 0);
    EXPECT_EQ(FileInt("pavra", "DialogTaskTray"), 1);
}

BOOL WINAPI RefusingShell(DWORD, PNOTIFYICONDATAA) { return FALSE; }
BOOL WINAPI WillingShell(DWORD, PNOTIFYICONDATAA) { return TRUE; }

// The shell under Wine never refuses the icon: a stand-in does. Until the icon is there the bar
// keeps its taskbar button and goes there; once it is, the bar hides into the notification area.
TEST_F(BarWindowTest, WithoutItsIconTheBarGoesToTheTaskbar) {
    struct ShellStandIn {
        ShellStandIn() { TrayIcon::SetShellCall(RefusingShell); }
        ~ShellStandIn() { TrayIcon::SetShellCall(nullptr); }
    } refusing;
    HWND bar = Open("[pavra]\r\nDialogTaskTray=1\r\n");
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    Pump();
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    struct Step {
        BOOL(WINAPI* shell)(DWORD, PNOTIFYICONDATAA);
        bool appWindow;  // after a retry
        bool iconic;     // after the close button
    } steps[] = {
        {RefusingShell, true, true},   // still refused: minimised, not hidden
        {WillingShell, false, false},  // the icon is there: hidden
    };
    for (const Step& step : steps) {
        TrayIcon::SetShellCall(step.shell);
        SendMessageA(bar, WM_TIMER, 1, 0);
        Pump();
        EXPECT_EQ((GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, step.appWindow);
        Command(IDC_CLOSE, BN_SETFOCUS);
        Pump();
        EXPECT_TRUE(IsWindow(bar)) << "the close button of the notification-area mode never quits";
        EXPECT_EQ(IsIconic(bar) != FALSE, step.iconic);
        EXPECT_EQ(IsWindowVisible(bar) != FALSE, step.iconic);
        ShowWindow(bar, SW_RESTORE);
        Pump();
    }
    // Hidden with its icon, then the shell restarts and refuses it: the bar goes to the taskbar.
    Command(IDC_CLOSE, BN_SETFOCUS);
    Pump();
    ASSERT_FALSE(IsWindowVisible(bar));
    TrayIcon::SetShellCall(RefusingShell);
    SendMessageA(bar, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Pump();
    EXPECT_TRUE(IsIconic(bar) && IsWindowVisible(bar));
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(BarWindowTest, LayoutFollowsTheWidthAndTheHeightIsFixed) {
    HWND bar = Open();
    RECT window, client;
    GetWindowRect(bar, &window);
    GetClientRect(bar, &client);
    int frameWidth = (window.right - window.left) - client.right;
    struct Case {
        int clientWidth;
        size_t spaces;
    } cases[] = {{301, 61}, {57, 0}, {640, 145}};
    for (const Case& c : cases) {
        SetWindowPos(bar, nullptr, 0, 0, c.clientWidth + frameWidth, 400, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_EQ(Client().cx, c.clientWidth);
        EXPECT_EQ(Client().cy, 49);  // the height rule
        EXPECT_EQ(Text(IDC_TITLE), " Pavra" + std::string(c.spaces, ' '));
        int w = c.clientWidth;
        struct Place {
            int id, x, y, width, height;
        } places[] = {
            {IDC_TITLE, 16, 0, w - 61, 12},
            {IDC_PIN, w - 45, 0, 15, 12},
            {IDC_CLOSE, w - 15, 0, 15, 12},
            {IDC_INPUT, 0, 12, w - 86, 19},
            {IDC_ANSWER, 0, 31, w - 86, 18},
            {IDC_MD1, w - 53, 31, 33, 18},
            {IDC_SETTINGS_TOGGLE, w - 19, 32, 17, 16},
        };
        for (const Place& p : places) {
            RECT r = ClientRectOf(p.id);
            EXPECT_EQ(r.left, p.x) << p.id << " at width " << w;
            EXPECT_EQ(r.top, p.y) << p.id;
            if (p.width > 0) {
                EXPECT_EQ(r.right - r.left, p.width) << p.id;
            }
            EXPECT_EQ(r.bottom - r.top, p.height) << p.id;
        }
        EXPECT_EQ(ClientRectOf(IDC_MODE_LIST).left, w - 86);
    }

    GetWindowRect(bar, &window);
    SendMessageA(bar_->Item(IDC_SETTINGS_TOGGLE), BM_CLICK, 0, 0);
    EXPECT_EQ(Client().cy, 169);
    RECT opened;
    GetWindowRect(bar, &opened);
    EXPECT_EQ(opened.top, window.top);  // it grows downwards
    SendMessageA(bar_->Item(IDC_SETTINGS_TOGGLE), BM_CLICK, 0, 0);
    EXPECT_EQ(Client().cy, 49);
}

TEST_F(BarWindowTest, TooltipTextsComeFromTheCurrentMode) {
    struct Case {
        const char* ini;
        int id;
        const char* text;
    } cases[] = {
        {"", IDC_INPUT, "入力のヒント"},
        {"", IDC_ANSWER, ""},  // the mode gives none
        {"", IDC_MD1, "ラベル1のヒント"},
        {"", IDC_MODE_LIST, "モードを選択"},
        {"", IDC_SETTINGS_TOGGLE, "設定ダイアログを開く／閉じる"},
        {"", IDC_PIN, "自動的に隠す／隠さない"},
        {"", IDC_MINIMIZE, "最小化"},
        {"", IDC_CLOSE, "終了"},
        {"[pavra]\r\nDialogTaskTray=1\r\n", IDC_CLOSE, "閉じる"},
        {"", IDC_TOPMOST, "ウィンドウを常に他のアプリケーションより前面に表示"},
        {"", IDC_TOPPOS, "ウィンドウをデスクトップ最上部に貼付け"},
        {"", IDC_TASKTRAY, "アプリケーションをタスクトレイに常駐"},
    };
    for (const Case& c : cases) {
        DeleteFileA(ini_.c_str());
        HWND bar = Open(c.ini);
        NMTTDISPINFOA request = {};
        request.hdr.code = TTN_GETDISPINFOA;
        request.hdr.idFrom = reinterpret_cast<UINT_PTR>(bar_->Item(c.id));
        request.uFlags = TTF_IDISHWND;
        SendMessageA(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
        ASSERT_NE(request.lpszText, nullptr) << c.id;
        EXPECT_STREQ(request.lpszText, c.text) << c.id;
        DestroyWindow(bar);
    }
}

TEST_F(BarWindowTest, ShutdownDeactivatesAndShutsEveryModeDown) {
    HWND bar = Open();
    g_journal.clear();
    bar_->inputLineText = "last";
    DestroyWindow(bar);
    std::vector<std::string> expected = {"0:Deactivate:last", "0:Shutdown", "1:Shutdown"};
    EXPECT_EQ(g_journal, expected);
    EXPECT_EQ(FileInt("pavra", "ModeIndex"), 0);
}

TEST_F(BarWindowTest, AMegabytePasteIsCutAndSaidSo) {
    Open();
    std::string megabyte;
    while (megabyte.size() < 1000000)
        megabyte += "1+";
    megabyte += "1";
    ASSERT_TRUE(OpenClipboard(bar_->hwnd()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, megabyte.size() + 1);
    memcpy(GlobalLock(memory), megabyte.c_str(), megabyte.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    HWND input = bar_->Item(IDC_INPUT);
    SendMessageA(input, WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowTextLengthA(input), 32767);
    EXPECT_EQ(Text(IDC_ANSWER), "Error: 入力が長すぎます（32767文字まで）");

    PostMessageA(input, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(g_journal.back(), "0:Execute:" + megabyte.substr(0, 32767));
    EXPECT_EQ(Text(IDC_INPUT), "");
}
