// The command-prompt mode inside the test process, with no bar (owner null) and the stand-in
// interpreter: activation, commands, history keys, placement and the settings dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "dos_test_support.h"
#include "modes/dos/dos_mode.h"
#include "modes/dos/dos_resp_dlg.h"
#include "platform/common_controls.h"
#include "resources/resource.h"
#include "temp_folder.h"

using namespace dostest;

namespace {

const char kStartupAnswer[] = "DOS: コマンドプロンプトです。DOSコマンドを入力してください。";

// A visible dialog-class window of this thread: the one titled title, or (title empty) the one
// owned by owner.
HWND ThreadDialog(const std::string& title, HWND owner = nullptr) {
    struct Search {
        std::string title;
        HWND owner;
        HWND found;
    } search{title, owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char className[64] = "";
            char text[256] = "";
            GetClassNameA(window, className, sizeof className);
            GetWindowTextA(window, text, sizeof text);
            if (!IsWindowVisible(window) || std::string(className) != "#32770")
                return TRUE;
            bool match = s->title.empty() ? GetWindow(window, GW_OWNER) == s->owner : s->title == text;
            if (!match)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs steps one after the other from a thread timer while a modal dialog runs its own loop. A
// step returns false to be tried again on the next tick.
class ModalScript {
public:
    explicit ModalScript(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &ModalScript::Tick);
    }
    ~ModalScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* script = current_;
        if (!script || script->busy_ || script->Finished())
            return;
        // A step may open a nested modal loop that ticks again.
        script->busy_ = true;
        if (++script->ticks_ > kGiveUpTicks) {
            // Stuck: cancel whatever dialog is up so that the test ends (and fails).
            ADD_FAILURE() << "modal script stuck at step " << script->next_;
            if (HWND dialog = ThreadDialogAny())
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        } else if (script->steps_[script->next_]()) {
            ++script->next_;
        }
        script->busy_ = false;
    }

    static HWND ThreadDialogAny();
    static const int kGiveUpTicks = 300;

    static ModalScript* current_;
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    bool busy_ = false;
    int ticks_ = 0;
    UINT_PTR timer_ = 0;
};

ModalScript* ModalScript::current_ = nullptr;

// The innermost dialog up: the settings dialog's own dialog, else the settings dialog.
HWND ModalScript::ThreadDialogAny() {
    HWND settings = ThreadDialog("DOS設定");
    HWND inner = settings ? ThreadDialog("", settings) : nullptr;
    return inner ? inner : settings;
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The text of the folder picker's selected tree item (a folder's display name), or empty.
std::string PickerSelection(HWND picker) {
    HWND tree = FindWindowExA(picker, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM item = tree ? TreeView_GetSelection(tree) : nullptr;
    char text[MAX_PATH] = "";
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    return item && TreeView_GetItem(tree, &query) ? text : "";
}

// A step of a script: the folder picker over settings selects folder and is closed with OK. OK
// waits until the folder is the picker's selected item. A folder made a moment before may be
// missing from the picker's tree (Wine can list a folder from a listing taken in the same
// second); then the picker is cancelled and opened again with its browse button.
std::function<bool()> PickFolder(const HWND& settings, const std::string& folder, int browseButton) {
    int tries = 0;
    return [&settings, folder, browseButton, tries]() mutable {
        HWND picker = ThreadDialog("", settings);
        if (!picker)
            return false;
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        if (PickerSelection(picker) == folder.substr(folder.find_last_of('\\') + 1)) {
            Click(picker, IDOK);
            return true;
        }
        if (++tries % 20 == 0) {
            Click(picker, IDCANCEL);
            Click(settings, browseButton);
        }
        return false;
    };
}

std::string ItemText(HWND dialog, int id) {
    std::string text(GetWindowTextLengthA(GetDlgItem(dialog, id)) + 1, '\0');
    text.resize(GetDlgItemTextA(dialog, id, &text[0], static_cast<int>(text.size())));
    return text;
}

class DosMode : public ::testing::Test {
protected:
    void SetUp() override {
        InitAllCommonControls();
        mode.SetInterpreter(FakeInterpreter("--no-echo"));
    }
    void TearDown() override {
        mode.Shutdown();
        PumpFor(50);
    }

    HWND Output() const { return mode.OutputWindow() ? mode.OutputWindow()->hwnd() : nullptr; }
    std::string OutputText() const {
        return mode.OutputWindow() ? mode.OutputWindow()->Text() : std::string();
    }
    bool WaitOutput(const std::string& tail) {
        return PumpUntil([&] { return EndsWith(OutputText(), tail); });
    }
    // Enter as the bar does it: the mode gets the line, then the published changes are taken.
    void Enter(const std::string& line, const std::string& tail) {
        mode.Execute(line);
        EXPECT_TRUE(mode.inputChanged);
        EXPECT_EQ(mode.inputText, "");
        mode.inputChanged = false;
        ASSERT_TRUE(WaitOutput(tail)) << line << ": " << OutputText();
    }
    void ClearRequests() {
        mode.inputChanged = mode.answerChanged = mode.followRequest = mode.focusRequest = false;
        mode.intChanged = mode.stringChanged = false;
        mode.changedInts.clear();
        mode.changedStrings.clear();
    }

    CdosMode mode{1};
};

}  // namespace

TEST_F(DosMode, FirstActivationStartsTheInterpreterAndShowsTheWindow) {
    EXPECT_STREQ(mode.GetSection(), "dos");
    EXPECT_STREQ(mode.GetCaption(), "DOSモード");
    mode.Initialize();
    mode.Activate();
    EXPECT_TRUE(mode.answerChanged);
    EXPECT_EQ(mode.answerText, kStartupAnswer);
    EXPECT_TRUE(mode.inputChanged);
    EXPECT_EQ(mode.inputText, "");
    EXPECT_EQ(mode.button0Text, "設定");
    EXPECT_EQ(mode.button1Text, "");
    EXPECT_EQ(mode.button2Text, "");
    EXPECT_TRUE(mode.followRequest && mode.focusRequest);
    ASSERT_NE(Output(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Output()));
    char title[64] = "";
    GetWindowTextA(Output(), title, sizeof title);
    EXPECT_STREQ(title, "DOS Prompt");
    EXPECT_TRUE(GetWindowLongPtrA(Output(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // The interpreter starts in the user's profile folder.
    ASSERT_TRUE(WaitOutput("FAKE>"));
    EXPECT_TRUE(Contains(OutputText(), "startup: cd /d %USERPROFILE%\r\n")) << OutputText();
    char profile[MAX_PATH] = "";
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    Enter("cd", "cwd: " + std::string(profile) + "\r\n\r\nFAKE>");
    EXPECT_EQ(OutputText(), "cwd: " + std::string(profile) + "\r\n\r\nFAKE>");
}

TEST_F(DosMode, OutputWindowFollowsTheBar) {
    mode.Activate();
    ASSERT_NE(Output(), nullptr);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct {
        RECT bar;
        RECT expected;
    } cases[] = {
        // Room below: directly below the bar.
        {{100, work.top + 50, 700, work.top + 80}, {100, work.top + 80, 700, work.top + 480}},
        // Little room below, more than 400 pixels above: directly above.
        {{10, work.bottom - 60, 500, work.bottom - 30}, {10, work.bottom - 460, 500, work.bottom - 60}},
    };
    for (const auto& c : cases) {
        mode.FollowMainWindow(c.bar);
        RECT placed;
        GetWindowRect(Output(), &placed);
        EXPECT_EQ(placed.left, c.expected.left);
        EXPECT_EQ(placed.top, c.expected.top);
        EXPECT_EQ(placed.right, c.expected.right);
        EXPECT_EQ(placed.bottom, c.expected.bottom);
    }
    // The edit box fills the window.
    RECT client;
    RECT edit;
    GetClientRect(Output(), &client);
    GetClientRect(GetDlgItem(Output(), IDC_DOS_OUTPUT), &edit);
    HWND editBox = GetDlgItem(Output(), IDC_DOS_OUTPUT);
    RECT editWindow;
    GetWindowRect(editBox, &editWindow);
    EXPECT_EQ(editWindow.right - editWindow.left, client.right);
    EXPECT_EQ(editWindow.bottom - editWindow.top, client.bottom);
}

TEST_F(DosMode, WithoutFollowingTheWindowIsPlacedOnlyOnce) {
    mode.SetInt(0, 0);
    mode.Activate();
    RECT first = {0, 100, 600, 130};
    RECT second = {50, 150, 650, 180};
    mode.FollowMainWindow(first);
    mode.FollowMainWindow(second);
    RECT placed;
    GetWindowRect(Output(), &placed);
    EXPECT_EQ(placed.top, 130);
    EXPECT_EQ(placed.left, 0);
}

TEST_F(DosMode, HistoryKeysStepThroughCommandsAndOutputs) {
    mode.Activate();
    ASSERT_TRUE(WaitOutput("FAKE>"));
    const std::string startup = OutputText();
    Enter("echo first", "first\r\n\r\nFAKE>");
    Enter("echo second", "second\r\n\r\nFAKE>");

    struct {
        const char* input;
        std::string output;
    } steps[] = {
        {"echo second\r\n", "second\r\n\r\nFAKE>"},
        {"echo first\r\n", "first\r\n\r\nFAKE>"},
        {"", startup},
    };
    for (const auto& step : steps) {
        mode.inputChanged = false;
        mode.HistoryPrevious();
        EXPECT_TRUE(mode.inputChanged);
        EXPECT_EQ(mode.inputText, step.input);
        ASSERT_TRUE(PumpUntil([&] { return OutputText() == step.output; })) << OutputText();
    }
    mode.inputChanged = false;
    mode.HistoryPrevious();
    EXPECT_FALSE(mode.inputChanged);

    // Last gives a blank line and the running command's output again.
    mode.HistoryLast();
    EXPECT_EQ(mode.inputText, "");
    EXPECT_TRUE(PumpUntil([&] { return OutputText() == "second\r\n\r\nFAKE>"; })) << OutputText();
    mode.HistoryFirst();
    EXPECT_EQ(mode.inputText, "");
    EXPECT_EQ(OutputText(), startup);
}

TEST_F(DosMode, HiddenWindowComesBackWithTheNextCommandOrHistoryKey) {
    mode.Activate();
    ASSERT_TRUE(WaitOutput("FAKE>"));
    // The close box hides the window; it is not destroyed.
    SendMessageA(Output(), WM_CLOSE, 0, 0);
    PumpFor(50);
    ASSERT_NE(Output(), nullptr);
    EXPECT_FALSE(IsWindowVisible(Output()));
    ClearRequests();
    mode.Execute("echo back");
    EXPECT_TRUE(IsWindowVisible(Output()));
    EXPECT_TRUE(mode.focusRequest);

    ShowWindow(Output(), SW_HIDE);
    ClearRequests();
    mode.HistoryPrevious();
    EXPECT_TRUE(IsWindowVisible(Output()));
    EXPECT_TRUE(mode.focusRequest);
}

TEST_F(DosMode, DeactivationHidesAndKeepsTheInputLine) {
    mode.Activate();
    mode.Deactivate("typed but not sent");
    EXPECT_FALSE(IsWindowVisible(Output()));
    ClearRequests();
    mode.Activate();
    EXPECT_TRUE(IsWindowVisible(Output()));
    EXPECT_TRUE(mode.inputChanged);
    EXPECT_EQ(mode.inputText, "typed but not sent");
    EXPECT_EQ(mode.answerText, kStartupAnswer);
    EXPECT_TRUE(mode.followRequest);
}

TEST_F(DosMode, AnEndedInterpreterIsRestartedOnActivation) {
    mode.Activate();
    ASSERT_TRUE(WaitOutput("FAKE>"));
    mode.Execute("exit");
    PumpFor(300);
    // Lines entered while no interpreter runs are dropped; the input line is cleared.
    mode.Execute("echo dropped");
    EXPECT_EQ(mode.inputText, "");
    mode.Deactivate("");
    mode.Activate();
    ASSERT_TRUE(PumpUntil([&] { return Contains(OutputText(), "Fake Interpreter"); })) << OutputText();
    ASSERT_TRUE(WaitOutput("FAKE>"));
    Enter("echo again", "again\r\n\r\nFAKE>");
    EXPECT_FALSE(Contains(OutputText(), "dropped"));
}

TEST_F(DosMode, SettingsDialogCancelAfterBrowsingChangesNothing) {
    TempFolder start;
    TempFolder other;
    mode.SetString(0, start.path().c_str());
    mode.Activate();
    ASSERT_TRUE(WaitOutput("FAKE>"));
    ClearRequests();
    HWND settings = nullptr;
    ModalScript script({
        [&] { return (settings = ThreadDialog("DOS設定")) != nullptr; },
        [&] {
            EXPECT_EQ(ItemText(settings, IDC_DOS_DIRECTORY), start.path());
            Click(settings, IDC_DOS_BROWSE_DIRECTORY);
            return true;
        },
        PickFolder(settings, other.path(), IDC_DOS_BROWSE_DIRECTORY),
        [&] {
            if (ItemText(settings, IDC_DOS_DIRECTORY) != other.path())
                return false;
            Click(settings, IDCANCEL);
            return true;
        },
    });
    mode.OnButton0();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(mode.focusRequest);
    EXPECT_FALSE(mode.stringChanged || mode.intChanged || mode.followRequest);
    EXPECT_EQ(mode.GetString(0), start.path());
}

TEST_F(DosMode, SettingsDialogOkStoresTheDirectoryAndLeavesTheInterpreterAlone) {
    TempFolder start;
    TempFolder other;
    mode.SetString(0, start.path().c_str());
    mode.SetInt(0, 0);
    mode.Activate();
    ASSERT_TRUE(WaitOutput("FAKE>"));
    ClearRequests();
    HWND settings = nullptr;
    ModalScript script({
        [&] { return (settings = ThreadDialog("DOS設定")) != nullptr; },
        [&] {
            // Ticked, then a folder browse: the box goes back to the value the dialog opened with.
            CheckDlgButton(settings, IDC_DOS_FOLLOW, BST_CHECKED);
            Click(settings, IDC_DOS_BROWSE_DIRECTORY);
            return true;
        },
        PickFolder(settings, other.path(), IDC_DOS_BROWSE_DIRECTORY),
        [&] {
            if (ItemText(settings, IDC_DOS_DIRECTORY) != other.path())
                return false;
            EXPECT_EQ(IsDlgButtonChecked(settings, IDC_DOS_FOLLOW), static_cast<UINT>(BST_UNCHECKED));
            CheckDlgButton(settings, IDC_DOS_FOLLOW, BST_CHECKED);
            Click(settings, IDOK);
            return true;
        },
    });
    mode.OnButton0();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(mode.GetString(0), other.path());
    EXPECT_TRUE(mode.stringChanged);
    EXPECT_EQ(mode.changedStrings, std::vector<int>{0});
    // Following switched on: stored, written and applied at once.
    EXPECT_EQ(mode.GetInt(0), 1);
    EXPECT_TRUE(mode.intChanged);
    EXPECT_EQ(mode.changedInts, std::vector<int>{0});
    EXPECT_TRUE(mode.followRequest);
    // The running interpreter stays where it started.
    Enter("cd", "cwd: " + start.path() + "\r\n\r\nFAKE>");
    EXPECT_EQ(OutputText(), "cwd: " + start.path() + "\r\n\r\nFAKE>");
    // The next one starts in the new folder.
    mode.Execute("exit");
    ASSERT_TRUE(PumpUntil([&] {
        mode.Activate();
        return Contains(OutputText(), "Fake Interpreter");
    }));
    ASSERT_TRUE(WaitOutput("FAKE>"));
    Enter("cd", "cwd: " + other.path() + "\r\n\r\nFAKE>");
    EXPECT_EQ(OutputText(), "cwd: " + other.path() + "\r\n\r\nFAKE>");
    mode.Shutdown();
}

TEST_F(DosMode, BatchFileBrowseKeepsTheCheckBoxAndSetsTheScript) {
    TempFolder folder;
    const std::string batch = folder.File("setup.bat");
    ASSERT_TRUE(TempFolder::Write(batch, "echo marker\r\n"));
    mode.Activate();
    ClearRequests();
    HWND settings = nullptr;
    ModalScript script({
        [&] { return (settings = ThreadDialog("DOS設定")) != nullptr; },
        [&] {
            CheckDlgButton(settings, IDC_DOS_FOLLOW, BST_UNCHECKED);
            Click(settings, IDC_DOS_BROWSE_SCRIPT);
            return true;
        },
        [&] {
            HWND chooser = ThreadDialog("", settings);
            if (!chooser)
                return false;
            // The file name box (edt1) takes the full path.
            SetDlgItemTextA(chooser, 0x480, batch.c_str());
            HWND name = GetDlgItem(chooser, 0x47C);
            if (name)
                SetWindowTextA(name, batch.c_str());
            Click(chooser, IDOK);
            return true;
        },
        [&] {
            if (ItemText(settings, IDC_DOS_SCRIPT) != batch)
                return false;
            EXPECT_EQ(IsDlgButtonChecked(settings, IDC_DOS_FOLLOW), static_cast<UINT>(BST_UNCHECKED));
            Click(settings, IDOK);
            return true;
        },
    });
    mode.OnButton0();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(mode.GetString(1), batch);
    EXPECT_EQ(mode.changedStrings, std::vector<int>{1});
    EXPECT_EQ(mode.GetInt(0), 0);
    EXPECT_EQ(mode.changedInts, std::vector<int>{0});
    EXPECT_FALSE(mode.followRequest);
}

// The folder picker opened over a directory at the longest the settings file holds: it opens,
// and cancelling it keeps the directory.
TEST_F(DosMode, FolderPickerOverTheLongestDirectoryOpensAndCancels) {
    const std::string longest = "C:\\" + std::string(4092, 'd');
    mode.SetString(0, longest.c_str());
    HWND settings = nullptr;
    ModalScript script({
        [&] { return (settings = ThreadDialog("DOS設定")) != nullptr; },
        [&] {
            Click(settings, IDC_DOS_BROWSE_DIRECTORY);
            return true;
        },
        [&] {
            HWND picker = ThreadDialog("", settings);
            if (!picker)
                return false;
            Click(picker, IDCANCEL);
            return true;
        },
        [&] {
            if (HWND picker = ThreadDialog("", settings)) {
                Click(picker, IDCANCEL);  // a click before the picker was ready is lost
                return false;
            }
            EXPECT_EQ(ItemText(settings, IDC_DOS_DIRECTORY), longest);
            Click(settings, IDCANCEL);
            return true;
        },
    });
    mode.OnButton0();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(mode.GetString(0), longest);
}
