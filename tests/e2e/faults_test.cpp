// Nothing lost in silence: a settings file that cannot be written and a hotkey that is taken are
// told on the answer line (and in the detailed settings dialog), once, and the bar works on.
#include "bar_e2e.h"

#include <functional>

namespace e2e {
namespace {

const std::string kPinnedTray = std::string("DialogTaskTray=1\r\n") + kPinned;

std::string Unsaved(const PavraBar& bar) {
    return "Error: 設定を保存できません（" + bar.IniPath() + "）。設定はこのPavraを終了するまで有効です";
}

const char kTakenAtStart[] = "ホットキー Ctrl+Shift+C は他のプログラムが使用中です。詳細設定で変更できます";

// Read-only the Windows way and, since Wine runs as root here and root writes any file, immutable
// the Unix way too; both undone when it goes (or the folder could not be removed).
class ReadOnly {
public:
    explicit ReadOnly(std::string path) : path_(std::move(path)) {
        if (!(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY))
            SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
        RunUnixCommand({"chattr", "+i", UnixPath(path_)});
    }
    ~ReadOnly() {
        RunUnixCommand({"chattr", "-i", UnixPath(path_)});
        if (!(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY))
            SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

private:
    std::string path_;
};

// The calculator's greeting, where no fault is told.
bool Greets(const PavraBar& bar) { return bar.Text(IDC_ANSWER).rfind("Calc: ", 0) == 0; }

// A calculation replaces whatever the answer line told (a box clicked last has the focus).
::testing::AssertionResult Calculates(PavraBar& bar) {
    if (::testing::AssertionResult clicked = bar.Click(IDC_INPUT); !clicked)
        return clicked;
    if (::testing::AssertionResult entered = bar.Enter("6*7"); !entered)
        return entered;
    return bar.WaitText(IDC_ANSWER, "42");
}

// "上辺貼付き" ticked or cleared: one write of the settings file.
::testing::AssertionResult ToggleTopEdge(PavraBar& bar) {
    if (bar.ClientSize().cy != 169)
        if (::testing::AssertionResult opened = OpenSettingsArea(bar); !opened)
            return opened;
    const bool was = bar.Checked(IDC_TOPPOS);
    if (::testing::AssertionResult clicked = bar.Click(IDC_TOPPOS); !clicked)
        return clicked;
    if (!WaitUntil([&] { return bar.Checked(IDC_TOPPOS) != was; }))
        return ::testing::AssertionFailure() << "the box did not change";
    return ::testing::AssertionSuccess();
}

// The message of an answer line told once: shown after a change, not again after the next.
void ToldOnceOnChanges(PavraBar& bar) {
    ASSERT_TRUE(ToggleTopEdge(bar));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, Unsaved(bar)));
    ASSERT_TRUE(Calculates(bar));
    ASSERT_TRUE(ToggleTopEdge(bar));
    EXPECT_TRUE(StaysFalse([&] { return bar.Text(IDC_ANSWER) != "42"; })) << bar.Text(IDC_ANSWER);
}

// Writes a complete settings file the way the program does: one start and quit.
::testing::AssertionResult FirstRun(PavraBar& bar) {
    if (::testing::AssertionResult started = bar.Start(); !started)
        return started;
    return bar.Quit();
}

void ReadOnlyFile(PavraBar& bar) {
    ASSERT_TRUE(FirstRun(bar));
    const std::string before = bar.Ini().Text();
    {
        ReadOnly locked(bar.IniPath());
        ASSERT_TRUE(bar.Start());
        EXPECT_TRUE(Greets(bar)) << "nothing to write at start, nothing to tell";
        ToldOnceOnChanges(bar);
        ASSERT_TRUE(Calculates(bar));
        ASSERT_TRUE(bar.Quit());
    }
    EXPECT_EQ(bar.Ini().Text(), before);
}

void ReadOnlyFolder(PavraBar& bar) {
    ReadOnly locked(bar.Folder().Path());
    ASSERT_TRUE(bar.Start());
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, Unsaved(bar))) << "the first start cannot write its file";
    ASSERT_TRUE(Calculates(bar));
    ASSERT_TRUE(ToggleTopEdge(bar));
    EXPECT_TRUE(StaysFalse([&] { return bar.Text(IDC_ANSWER) != "42"; })) << bar.Text(IDC_ANSWER);
    ASSERT_TRUE(bar.Quit());
    EXPECT_FALSE(bar.Folder().Exists("pavra.ini"));
}

void WritableAgain(PavraBar& bar) {
    ASSERT_TRUE(FirstRun(bar));
    ASSERT_TRUE(bar.Start());
    {
        ReadOnly locked(bar.IniPath());
        ToldOnceOnChanges(bar);
    }
    ASSERT_TRUE(ToggleTopEdge(bar));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogTopPos") == bar.Checked(IDC_TOPPOS); }));
    EXPECT_EQ(bar.Text(IDC_ANSWER), "42");
    ReadOnly lockedAgain(bar.IniPath());
    ASSERT_TRUE(ToggleTopEdge(bar));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, Unsaved(bar))) << "told again after a write went through";
    ASSERT_TRUE(bar.Quit());
}

// Ctrl+Shift+C held by the test itself; the dialog refuses it and takes Ctrl+Shift+A.
void HotkeyTaken(PavraBar& bar) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'C'));
    struct Release {
        ~Release() { UnregisterHotKey(nullptr, 1); }
    } release;
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinnedTray)));
    ASSERT_TRUE(bar.Start());
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, kTakenAtStart));

    HWND dialog = OpenHotkeyDialog(bar);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(ClickWindow(GetDlgItem(dialog, IDOK)));
    HWND box = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (box = bar.FindWindowByTitle("Pavra詳細設定", "#32770")) != dialog; }));
    bool named = false;
    for (const std::string& text : ChildTexts(box))
        named =
            named ||
            text == "ホットキー Ctrl+Shift+C は他のプログラムが使用中です。別の組み合わせを選んでください";
    EXPECT_TRUE(named) << "the box names the taken combination";
    ASSERT_TRUE(ClickWindow(GetDlgItem(box, IDOK)));
    ASSERT_TRUE(WaitUntil([&] {
        return !IsWindow(box) && FocusOf(dialog) == GetDlgItem(dialog, IDC_HOTKEY);
    })) << "the dialog stays for another choice";
    ASSERT_TRUE(PressKeys("Ctrl+Shift+A"));
    ASSERT_TRUE(
        WaitUntil([&] { return Combination(dialog) == MAKEWORD('A', HOTKEYF_CONTROL | HOTKEYF_SHIFT); }));
    ASSERT_TRUE(ClickWindow(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "HotkeyKey") == 'A'; }));

    // On a loaded machine the shell can refuse the icon at start; the bar asks again every 10 s,
    // and only with the icon there does the close button hide it.
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(bar.Window()); }, 25000));
    ASSERT_TRUE(bar.Click(IDC_CLOSE));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar.Window()); }))
        << "iconic " << IsIconic(bar.Window()) << " icon " << TrayIconShown(bar.Window()) << " answer "
        << bar.Text(IDC_ANSWER);
    EXPECT_TRUE(bar.ComesBackOn("Ctrl+Shift+A")) << "the free one works";
    ASSERT_TRUE(bar.Quit());
}

// Two copies in two folders: the second is told, the first is not, and each keeps its own file.
void TwoCopies(PavraBar& bar) {
    PavraBar second(CurrentTestName() + "-second");
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinnedTray + "DialogTransparency=100\r\n")));
    ASSERT_TRUE(second.WriteIni(PavraIni(kPinnedTray + "DialogTransparency=200\r\n")));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.WaitText(IDC_ANSWER, kTakenAtStart));
    EXPECT_TRUE(Greets(bar));
    ASSERT_TRUE(Calculates(second));
    ASSERT_TRUE(second.Quit());
    ASSERT_TRUE(bar.Quit());
    for (auto [copy, transparency] : {std::pair<PavraBar*, int>{&bar, 100}, {&second, 200}}) {
        const IniFile file = copy->Ini();
        EXPECT_TRUE(file.WellFormed()) << copy->IniPath();
        EXPECT_EQ(file.Int("pavra", "DialogTransparency"), transparency) << copy->IniPath();
        EXPECT_EQ(file.Int("pavra", "HotkeyKey"), 'C');
        EXPECT_EQ(file.Sections(), (std::vector<std::string>{"pavra", "calc", "dos", "www"}));
    }
}

TEST_F(BarTest, FailuresAreToldOnTheAnswerLine) {
    const struct Row {
        const char* name;
        std::function<void(PavraBar&)> run;
    } rows[] = {
        {"read-only file", ReadOnlyFile},  {"read-only folder", ReadOnlyFolder},
        {"writable again", WritableAgain}, {"hotkey taken", HotkeyTaken},
        {"two copies", TwoCopies},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PavraBar run(CurrentTestName() + "-" + row.name);
        row.run(run);
    }
}

}  // namespace
}  // namespace e2e
