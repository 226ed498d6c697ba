// The bar, its companions and its dialogs as a screen reader reads them through MSAA from another
// process: every control has a name that says something, the output view is read-only text
// holding the output, and an answer raises one value change.
#include "bar_e2e.h"

#include <oleacc.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

bool LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// A name says something when it has a letter, a digit, kana or kanji: "▼" or "..." do not.
bool SaysSomething(const std::string& name) {
    for (size_t i = 0; i < name.size();) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (LeadByte(c) && i + 1 < name.size()) {
            if (c != 0x81)  // row 0x81 holds the symbols
                return true;
            i += 2;
        } else {
            if (isalnum(c) || (c >= 0xA6 && c <= 0xDF))
                return true;
            ++i;
        }
    }
    return false;
}

// The child controls of window that a screen reader cannot name, with what it reads for them.
std::vector<std::string> Unnamed(HWND window, bool visibleOnly) {
    std::vector<std::string> unnamed;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (visibleOnly && !IsWindowVisible(child))
            continue;
        AccessibleRead read = ReadAccessible(child);
        if (FAILED(read.result) || !SaysSomething(read.name))
            unnamed.push_back(std::to_string(GetDlgCtrlID(child)) + " \"" + read.name + "\"");
    }
    return unnamed;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts)
        out += text + "; ";
    return out;
}

using Accessible = BarTest;

// Opens a modal dialog with open, checks its controls and closes it with Cancel.
void ExpectDialogNamed(PavraBar& bar, const char* title, const std::function<void()>& open) {
    open();
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (dialog = bar.FindWindowByTitle(title, "#32770")) && IsWindowVisible(dialog);
    })) << title;
    EXPECT_EQ(Joined(Unnamed(dialog, false)), "") << title;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !bar.FindWindowByTitle(title, "#32770"); })) << title;
}

// Switches modes as a user does from the keyboard: Tab Tab to the mode list, then Down.
::testing::AssertionResult NextModeFromTheList(PavraBar& bar, int index) {
    if (bar.FocusId() != IDC_MODE_LIST) {
        bar.Keys("Tab Tab");
        if (!WaitUntil([&] { return bar.FocusId() == IDC_MODE_LIST; }))
            return ::testing::AssertionFailure() << "Tab does not reach the mode list";
    }
    bar.Keys("Down");
    if (!WaitUntil([&] { return bar.ModeSelection() == index; }))
        return ::testing::AssertionFailure() << "the mode list does not select " << index;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(Accessible, EveryVisibleControlOfTheBarIsNamedInEachModeWithTheSettingsAreaOpenOrClosed) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned)));
    ASSERT_TRUE(bar.Start());
    struct {
        int id;
        const char* name;
    } named[] = {{IDC_TITLE_ICON, "メニュー"}, {IDC_PIN, "ピン留め"},
                 {IDC_MINIMIZE, "最小化"},     {IDC_CLOSE, "閉じる"},
                 {IDC_INPUT, "入力"},          {IDC_ANSWER, "答え"},
                 {IDC_MODE_LIST, "モード"},    {IDC_SETTINGS_TOGGLE, "設定を開く"}};
    for (const auto& control : named)
        EXPECT_EQ(ReadAccessible(bar.Item(control.id)).name, control.name) << control.id;
    for (int mode = 0; mode < 3; ++mode) {
        if (mode) {
            ASSERT_TRUE(NextModeFromTheList(bar, mode));
        }
        EXPECT_EQ(Joined(Unnamed(bar.Window(), true)), "") << "mode " << mode << ", settings closed";
        ASSERT_TRUE(OpenSettingsArea(bar));
        EXPECT_EQ(ReadAccessible(bar.Item(IDC_SETTINGS_TOGGLE)).name, "設定を閉じる");
        EXPECT_EQ(Joined(Unnamed(bar.Window(), true)), "") << "mode " << mode << ", settings open";
        ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
        ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49; }));
        EXPECT_EQ(ReadAccessible(bar.Item(IDC_SETTINGS_TOGGLE)).name, "設定を開く");
    }
}

TEST_F(Accessible, CalculatorWindowsAndTheBarsDialogsNameEveryControl) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned)));
    ASSERT_TRUE(bar.Start());
    for (const char* command : {"ref", "vars"}) {
        ASSERT_TRUE(bar.Enter(command));
        const char* title = *command == 'r' ? "Calc リファレンスマニュアル" : "変数一覧";
        HWND window = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (window = bar.FindWindowByTitle(title)) != nullptr; })) << title;
        EXPECT_EQ(Joined(Unnamed(window, false)), "") << title;
    }
    ASSERT_TRUE(OpenSettingsArea(bar));
    ExpectDialogNamed(bar, "Calc設定", [&] { bar.Click(IDC_BUTTON2); });
    ExpectDialogNamed(bar, "Pavra詳細設定", [&] { bar.Click(IDC_DETAIL); });
    ExpectDialogNamed(bar, "Pavra バージョン情報",
                      [&] { PostMessageA(bar.Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0); });
}

TEST_F(Accessible, OutputViewIsReadOnlyTextHoldingTheOutputAndTheDosWindowsAreNamed) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned) + "ModeIndex=1\r\n"));
    ASSERT_TRUE(bar.Start());
    HWND output = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (output = bar.FindWindowByTitle("DOS Prompt")) != nullptr; }));
    HWND view = GetDlgItem(output, IDC_DOS_OUTPUT);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(view).find('>') != std::string::npos; }));
    ASSERT_TRUE(bar.Enter("echo pavra-a11y"));
    AccessibleRead read;
    EXPECT_TRUE(WaitUntil([&] {
        read = ReadAccessible(view);
        return read.value.find("pavra-a11y\r\n") != std::string::npos && read.value.back() == '>';
    })) << read.value;
    EXPECT_EQ(read.role, ROLE_SYSTEM_TEXT);
    EXPECT_TRUE(read.state & STATE_SYSTEM_READONLY);
    EXPECT_EQ(read.name, "DOS Prompt");
    EXPECT_EQ(read.value, WindowText(view));
    EXPECT_EQ(Joined(Unnamed(output, false)), "");
    ASSERT_TRUE(OpenSettingsArea(bar));
    ExpectDialogNamed(bar, "DOS設定", [&] { bar.Click(IDC_BUTTON0); });
}

TEST_F(Accessible, TheSiteChooserIsNamed) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned) + "ModeIndex=2\r\n"));
    ASSERT_TRUE(bar.Start());
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : bar.Process().Windows()) {
            if (GetDlgItem(window, IDC_WWW_SITES) && IsWindowVisible(window))
                chooser = window;
        }
        return chooser != nullptr;
    }));
    EXPECT_EQ(ReadAccessible(GetDlgItem(chooser, IDC_WWW_SITES)).name, "検索サイト");
    EXPECT_EQ(Joined(Unnamed(chooser, false)), "");
}

// Wine has no UiaRaiseNotificationEvent: the answer goes out as a live region's change.
TEST_F(Accessible, AnAnswerRaisesOneValueChangeAndOneLiveRegionChange) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned)));
    ASSERT_TRUE(bar.Start());
    WinEventRecorder events(bar.Process().Id(), EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED);
    ASSERT_TRUE(events.Hooked());
    HWND answer = bar.Item(IDC_ANSWER);
    ASSERT_TRUE(bar.Enter("1+1"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "2"));
    EXPECT_TRUE(WaitUntil([&] { return events.Count(EVENT_OBJECT_VALUECHANGE, answer) >= 1; }));
    EXPECT_TRUE(StaysFalse([&] { return events.Count(EVENT_OBJECT_VALUECHANGE, answer) > 1; }, 1000));
    EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE, answer), 1u);
    EXPECT_EQ(events.Count(EVENT_OBJECT_LIVEREGIONCHANGED, answer), 1u);

    // Typing raises none for the answer line; the next answer one more.
    events.Clear();
    ASSERT_TRUE(bar.Type("2*3"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "2*3"));
    EXPECT_TRUE(StaysFalse([&] { return events.Count(EVENT_OBJECT_VALUECHANGE, answer) > 0; }, 500));
    ASSERT_TRUE(bar.Keys("Return"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "6"));
    EXPECT_TRUE(WaitUntil([&] { return events.Count(EVENT_OBJECT_VALUECHANGE, answer) == 1; }));
}

// The pin and the settings area have keys of their own; in the open area Tab and Space reach and
// work every box and button.
TEST_F(Accessible, PinAndSettingsAreaAreReachedFromTheKeyboard) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Keys("Ctrl+X P"));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogPinFixed") == 0; }));
    ASSERT_TRUE(bar.Keys("Ctrl+X P"));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogPinFixed") == 1; }));

    ASSERT_TRUE(bar.Keys("Ctrl+X S"));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 169 && bar.FocusId() == IDC_TOPMOST; }))
        << "client height " << bar.ClientSize().cy << ", focus " << bar.FocusId();
    EXPECT_EQ(ReadAccessible(bar.Item(IDC_SETTINGS_TOGGLE)).name, "設定を閉じる");
    ASSERT_TRUE(bar.Keys("Tab"));
    ASSERT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_TOPPOS; })) << bar.FocusId();
    ASSERT_TRUE(bar.Keys("Shift+Tab"));
    ASSERT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_TOPMOST; })) << bar.FocusId();
    // Space works the box as a click does, and the input line takes the focus back.
    ASSERT_TRUE(bar.Keys("Space"));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogTopMost") == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; })) << bar.FocusId();
    // The same key closes the area.
    ASSERT_TRUE(bar.Keys("Ctrl+X S"));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49; })) << bar.ClientSize().cy;
}

}  // namespace e2e
