// The bar's parts through their own interfaces: the height rule and the ways out of sight, the
// prompts of the answer line, and the ways back (hotkey, icon, taskbar button).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/common_controls.h"
#include "platform/dialog.h"
#include "resources/resource.h"
#include "shell/bar_prompt.h"
#include "shell/bar_tray.h"
#include "shell/bar_visibility.h"

namespace {

TEST(BarVisibility, ClientHeightAndTheHeightRule) {
    struct Case {
        int visibility;
        bool settingsOpen;
        int height;
    } heights[] = {
        {BarVisibility::Normal, false, 49},    {BarVisibility::Normal, true, 169},
        {BarVisibility::RolledUp, true, 12},   {BarVisibility::Hidden, false, 49},
        {BarVisibility::Unrolling, true, 169},
    };
    for (const Case& c : heights)
        EXPECT_EQ(BarVisibility::ClientHeight(c.visibility, c.settingsOpen), c.height) << c.visibility;

    const RECT window = {100, 200, 500, 257};  // 57 high: a frame of 8 around 49
    struct Proposal {
        WINDOWPOS pos;
        bool kept;
        int y, cy;
    } proposals[] = {
        {{nullptr, nullptr, 100, 300, 400, 400, 0}, true, 200, 8 + 169},         // a drag of the bottom edge
        {{nullptr, nullptr, 100, 300, 600, 57, 0}, false, 300, 57},              // wider only
        {{nullptr, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE}, false, 0, 0},  // no size at all
    };
    for (Proposal& p : proposals) {
        EXPECT_EQ(BarVisibility::KeepHeight(p.pos, window, 8, 169), p.kept) << p.pos.cy;
        EXPECT_EQ(p.pos.y, p.y);
        EXPECT_EQ(p.pos.cy, p.cy);
    }
}

// The bar's template without the bar: its controls, and no behaviour of its own.
class BarTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        InitAllCommonControls();
        ASSERT_TRUE(dialog.Create(nullptr));
        ShowWindow(dialog.hwnd(), SW_SHOWNOACTIVATE);
    }
    void TearDown() override { DestroyWindow(dialog.hwnd()); }
    int ClientHeight() const {
        RECT client;
        GetClientRect(dialog.hwnd(), &client);
        return client.bottom;
    }

    CDialog dialog{IDD_PAVRA};
    BarSettings settings;
    int settingsOpen = 0;
    bool ready = true;
    std::vector<std::string> journal;
    BarVisibility visibility{dialog,
                             settings,
                             settingsOpen,
                             ready,
                             {[this] { journal.push_back("leave"); }, [this] { journal.push_back("enter"); },
                              [this](int show) { journal.push_back("show " + std::to_string(show)); }}};
};

// A title button acts while the mouse is down on it: the bar it takes away must not keep the
// button pressed and holding the mouse, whether the button took the mouse before it reported the
// press (Windows) or after (Wine).
TEST_F(BarTemplate, EveryWayOutOfSightEndsAPressOfTheMouse) {
    struct Case {
        void (BarVisibility::*away)();
        bool captureFirst;
        int visibility;
        const char* journal;
    } cases[] = {
        {&BarVisibility::Hide, true, BarVisibility::Hidden, "show 0"},
        {&BarVisibility::Hide, false, BarVisibility::Hidden, "show 0"},
        {&BarVisibility::Minimize, true, BarVisibility::Minimized, "show 5"},
        {&BarVisibility::Minimize, false, BarVisibility::Minimized, "show 5"},
    };
    HWND close = dialog.Item(IDC_CLOSE);
    for (const Case& c : cases) {
        journal.clear();
        visibility.Show();
        if (c.captureFirst)
            SetCapture(close);
        (visibility.*c.away)();
        if (!c.captureFirst)
            SetCapture(close);
        SendMessageA(close, BM_SETSTATE, TRUE, 0);
        MSG msg;
        while (PeekMessageA(&msg, dialog.hwnd(), 0, 0, PM_REMOVE)) {
            INT_PTR result;
            if (!visibility.OnMessage(msg.message, msg.wParam, msg.lParam, result))
                DispatchMessageA(&msg);
        }
        EXPECT_EQ(GetCapture(), nullptr) << c.visibility << " " << c.captureFirst;
        EXPECT_FALSE(SendMessageA(close, BM_GETSTATE, 0, 0) & BST_PUSHED) << c.visibility;
        EXPECT_EQ(visibility.visibility, c.visibility);
        EXPECT_EQ(journal.back(), c.journal);
    }
    ReleaseCapture();
}

TEST_F(BarTemplate, RollingUpLeavesTheModeAndUnrollingBringsItBack) {
    SetWindowPos(dialog.hwnd(), nullptr, 0, 0, 400, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    visibility.SetClientHeight(visibility.BarHeight());
    ASSERT_EQ(ClientHeight(), 49);
    settings[BarSettings::DialogPinFixed] = 1;
    EXPECT_FALSE(visibility.MayRollUp());
    settings[BarSettings::DialogPinFixed] = 0;
    ASSERT_TRUE(visibility.MayRollUp());

    visibility.RollUp();
    EXPECT_EQ(visibility.visibility, BarVisibility::RolledUp);
    EXPECT_EQ(ClientHeight(), 12);
    EXPECT_FALSE(visibility.MayRollUp());
    settingsOpen = 1;
    visibility.Unroll();
    EXPECT_EQ(visibility.visibility, BarVisibility::Normal);
    EXPECT_EQ(ClientHeight(), 169);
    EXPECT_EQ(journal, (std::vector<std::string>{"leave", "enter"}));
}

TEST_F(BarTemplate, TheHotkeyTheIconAndTheTaskbarButtonSwitch) {
    BarTray tray(dialog, settings, visibility);
    const UINT taskbarButton = WM_APP + 1, icon = WM_APP + 2;
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool shown;
        LONG_PTR appWindow;
    } cases[] = {
        {WM_HOTKEY, 0, 0, true, 0},
        {WM_HOTKEY, 1, 0, false, 0},  // not the bar's key
        {icon, 100, WM_LBUTTONDOWN, true, 0},
        {icon, 100, WM_MOUSEMOVE, false, 0},
        {taskbarButton, 0, 0, true, WS_EX_APPWINDOW},
        {taskbarButton, 1, 0, true, 0},
    };
    for (const Case& c : cases) {
        visibility.Hide();
        EXPECT_TRUE(tray.OnMessage(c.message, c.wParam, c.lParam)) << c.message;
        EXPECT_EQ(IsWindowVisible(dialog.hwnd()) != FALSE, c.shown) << c.message << " " << c.lParam;
        EXPECT_EQ(visibility.visibility, c.shown ? BarVisibility::Normal : BarVisibility::Hidden);
        if (c.message == taskbarButton) {
            EXPECT_EQ(GetWindowLongPtrA(dialog.hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW, c.appWindow);
        }
    }
    EXPECT_FALSE(tray.OnMessage(WM_APP + 3, 0, 0));
}

class BarPromptTest : public BarTemplate {
protected:
    void SetUp() override {
        BarTemplate::SetUp();
        input.Attach(dialog.Item(IDC_INPUT));
        answer.Attach(dialog.Item(IDC_ANSWER));
        answer.SetReadOnly(true);
        prompt.FillCompletionLists({"calc", "dos", "www"});
        dialog.SetItemText(IDC_ANSWER, "= 42");
    }
    std::string Answer() const { return dialog.ItemText(IDC_ANSWER); }

    CeqnPavraEdit input;
    CansPavraEdit answer;
    KeyState keys;
    BarPrompt prompt{input, answer, keys};
};

TEST_F(BarPromptTest, TabCompletesAndEnterGivesTheWord) {
    struct Case {
        int kind;
        std::string proposal, typed, completed, word;
    } cases[] = {
        {kPromptBuffer, "*dos*", "*w", "Switch to buffer: *www*", "*www*"},
        {kPromptCommand, "", "cl", "M-x: close", "close"},
        {kPromptCommand, "", "nothing", "M-x: nothing", "nothing"},  // no match: the line stays
    };
    for (const Case& c : cases) {
        prompt.OpenPrompt(c.kind, input, c.proposal);
        keys.prompt = c.kind;
        EXPECT_EQ(Answer(), (c.kind == kPromptBuffer ? "Switch to buffer: " : "M-x: ") + c.proposal);
        EXPECT_EQ(GetFocus(), answer.hwnd());
        std::string line = (c.kind == kPromptBuffer ? "Switch to buffer: " : "M-x: ") + c.typed;
        dialog.SetItemText(IDC_ANSWER, line);
        prompt.CompletePrompt(c.kind, line);
        EXPECT_EQ(Answer(), c.completed);
        EXPECT_EQ(prompt.FinishPrompt(Answer()), c.word);
        EXPECT_EQ(answer.promptLength, 0);
        EXPECT_TRUE(GetWindowLongA(answer.hwnd(), GWL_STYLE) & ES_READONLY);
        prompt.ReturnFocus();
        EXPECT_EQ(GetFocus(), input.hwnd());
        prompt.DropPrompt();
        EXPECT_EQ(Answer(), "= 42") << "the answer line shows what it showed before";
        EXPECT_EQ(keys.prompt, 0);
    }
}

TEST_F(BarPromptTest, EscapeAndLosingTheFocusGiveTheAnswerBack) {
    prompt.OpenPrompt(kPromptCommand, input, "");
    prompt.CancelPrompt();
    EXPECT_EQ(Answer(), "= 42");
    EXPECT_EQ(answer.promptLength, 0);

    dialog.SetItemText(IDC_ANSWER, "= 43");
    prompt.DropPrompt();  // no prompt open: the line is left alone
    EXPECT_EQ(Answer(), "= 43");
}

}  // namespace
