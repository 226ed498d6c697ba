// The command-prompt mode in the real pavra.exe with Wine's real cmd.exe: the output window, the
// history keys, a restart after "exit", the initial directory and script, and quitting while a
// command streams output.
#include "pavra_driver.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace e2e;

namespace {

const char kStartupAnswer[] = "DOS: コマンドプロンプトです。DOSコマンドを入力してください。";

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class DosPrompt : public BarTest {
protected:
    // Starts the bar in the command-prompt mode with extra lines for the [dos] section, and waits
    // for the interpreter's first prompt.
    ::testing::AssertionResult StartInDos(const std::string& dosSection = "") {
        if (!bar.WriteIni("[pavra]\r\nModeIndex=1\r\n[dos]\r\n" + dosSection))
            return ::testing::AssertionFailure() << "cannot write pavra.ini";
        ::testing::AssertionResult started = bar.Start();
        if (!started)
            return started;
        if (!bar.WaitText(IDC_ANSWER, kStartupAnswer))
            return ::testing::AssertionFailure() << "answer line: " << bar.Text(IDC_ANSWER);
        if (!WaitUntil([&] { return EndsWith(Output(), ">"); }))
            return ::testing::AssertionFailure() << "no prompt in the output window: " << Output();
        return ::testing::AssertionSuccess();
    }

    HWND OutputWindow() const { return bar.FindWindowByTitle("DOS Prompt"); }
    std::string Output() const {
        HWND window = OutputWindow();
        return window ? WindowText(GetDlgItem(window, IDC_DOS_OUTPUT)) : std::string();
    }

    // Enters a command and waits until the window shows its output followed by a prompt.
    ::testing::AssertionResult Run(const std::string& command, const std::string& output) {
        ::testing::AssertionResult entered = bar.Enter(command);
        if (!entered)
            return entered;
        if (!WaitUntil([&] { return Contains(Output(), output) && EndsWith(Output(), ">"); }))
            return ::testing::AssertionFailure() << command << ": " << Output();
        return ::testing::AssertionSuccess();
    }

    // Ctrl+X Ctrl+C ends the program within a second, and the mode is kept.
    void QuitQuickly(const char* during) {
        double start = NowMs();
        ASSERT_TRUE(PressKeys("Ctrl+X Ctrl+C"));
        ASSERT_TRUE(bar.WaitExit(5000));
        double quitMs = NowMs() - start;
        std::printf("quit during %s: %.0f ms\n", during, quitMs);
        EXPECT_LT(quitMs, 1000.0);
        EXPECT_EQ(bar.Ini().Int("pavra", "ModeIndex"), 1);
    }

    // Switches to the calculator and back through the mode list.
    ::testing::AssertionResult LeaveAndComeBack() {
        for (const char* key : {"Up", "Down"}) {
            if (bar.FocusId() != IDC_MODE_LIST) {
                bar.Keys("Tab Tab");
                if (!WaitUntil([&] { return bar.FocusId() == IDC_MODE_LIST; }))
                    return ::testing::AssertionFailure() << "Tab does not reach the mode list";
            }
            int want = *key == 'U' ? 0 : 1;
            bar.Keys(key);
            if (!WaitUntil([&] { return bar.ModeSelection() == want; }))
                return ::testing::AssertionFailure() << "the mode list does not select " << want;
        }
        bar.Click(IDC_INPUT);
        if (!WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }))
            return ::testing::AssertionFailure() << "the input line does not get the focus back";
        return ::testing::AssertionSuccess();
    }
};

}  // namespace

TEST_F(DosPrompt, FirstActivationShowsTheWindowBelowTheBar) {
    ASSERT_TRUE(StartInDos());
    HWND output = OutputWindow();
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(IsWindowVisible(output));
    EXPECT_EQ(GetWindow(output, GW_OWNER), bar.Window());
    EXPECT_TRUE(ExStyleOf(output) & WS_EX_TOOLWINDOW);
    RECT barRect = bar.WindowRect();
    RECT place = WindowRectOf(output);
    EXPECT_EQ(place.left, barRect.left);
    EXPECT_EQ(place.right, barRect.right);
    EXPECT_EQ(place.top, barRect.bottom);
    EXPECT_EQ(place.bottom - place.top, 400);
    EXPECT_EQ(bar.Text(IDC_BUTTON0), "設定");
    // The interpreter starts in the user's profile folder.
    EXPECT_TRUE(WaitUntil([&] { return Contains(Output(), "\\users\\"); })) << Output();
    bar.Screenshot("dos-first-activation");

    ASSERT_TRUE(Run("echo pavra", "pavra\r\n"));
    EXPECT_EQ(bar.Text(IDC_INPUT), "");
}

TEST_F(DosPrompt, UpStepsBackThroughCommandsWithTheirOutputs) {
    ASSERT_TRUE(StartInDos());
    const std::string startup = Output();
    ASSERT_TRUE(Run("echo one", "one\r\n"));
    const std::string first = Output();
    ASSERT_TRUE(Run("echo two", "two\r\n"));
    const std::string second = Output();
    EXPECT_FALSE(Contains(second, "one"));

    struct {
        const char* input;
        const std::string& output;
    } steps[] = {{"echo two", second}, {"echo one", first}, {"", startup}};
    for (const auto& step : steps) {
        ASSERT_TRUE(bar.Keys("Up"));
        // The input line shows the command as sent; a single-line box stops at its line end.
        EXPECT_TRUE(WaitUntil([&] {
            std::string shown = bar.Text(IDC_INPUT);
            return *step.input ? shown.rfind(step.input, 0) == 0 : shown.empty();
        })) << bar.Text(IDC_INPUT);
        EXPECT_TRUE(WaitUntil([&] { return Output() == step.output; })) << Output();
    }
    // A fourth Up changes nothing.
    ASSERT_TRUE(bar.Keys("Up"));
    Sleep(300);
    EXPECT_EQ(Output(), startup);
    EXPECT_EQ(bar.Text(IDC_INPUT), "");
}

TEST_F(DosPrompt, ExitEndsTheInterpreterAndTheNextActivationStartsAnother) {
    ASSERT_TRUE(StartInDos());
    ASSERT_TRUE(bar.Enter("exit"));
    Sleep(500);
    ASSERT_TRUE(LeaveAndComeBack());
    ASSERT_TRUE(WaitUntil([&] { return EndsWith(Output(), ">"); })) << Output();
    ASSERT_TRUE(Run("echo again", "again\r\n"));
}

TEST_F(DosPrompt, StartsInTheInitialDirectoryAndRunsTheInitialScript) {
    ASSERT_TRUE(bar.Folder().MakeFolder("work"));
    const std::string work = bar.Folder().File("work");
    const std::string marker = bar.Folder().File("work\\marker.txt");
    ASSERT_TRUE(bar.Folder().Write("setup.bat", "@echo made> \"" + marker + "\"\r\n"));
    ASSERT_TRUE(StartInDos("InitialDirectory=" + work +
                           "\r\nInitialScript=" + bar.Folder().File("setup.bat") + "\r\n"));
    EXPECT_TRUE(WaitUntil([&] { return bar.Folder().Exists("work\\marker.txt"); }));
    ASSERT_TRUE(Run("cd", work + "\r\n"));
}

// 4 MB of output through the real interpreter while the user types a key every 50 ms: each key
// shows in the input line soon after it is pressed, none is lost, all the output arrives, and
// Ctrl+X Ctrl+C in the middle of the next flood ends the program at once, keeping the mode.
TEST_F(DosPrompt, KeysAreServedWhileOutputFloodsInAndQuittingIsQuick) {
    std::string big;
    for (int n = 1; big.size() < (4u << 20); ++n)
        big += std::to_string(n) + std::string(70, 'x') + "\r\n";
    big += "END-OF-OUTPUT\r\n";
    ASSERT_TRUE(bar.Folder().Write("big.txt", big));
    ASSERT_TRUE(StartInDos("InitialDirectory=" + bar.Folder().Path() + "\r\n"));
    const size_t before = Output().size();
    HWND view = GetDlgItem(OutputWindow(), IDC_DOS_OUTPUT);
    // A screen reader listens all along: the view tells it of the output a few times a second.
    WinEventRecorder events(bar.Process().Id(), EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE);
    ASSERT_TRUE(events.Hooked());
    const double floodStart = NowMs();
    ASSERT_TRUE(bar.Enter("type big.txt"));
    auto complete = [&] { return static_cast<size_t>(std::max(0L, WindowTextLength(view))) >= big.size(); };

    const KeyTimes keys = TimeKeys(
        bar.Item(IDC_INPUT), [&] { return !complete(); }, 50, 600);
    ASSERT_FALSE(keys.ms.empty()) << "key " << keys.typed.size() << " never reached the input line";
    ASSERT_TRUE(WaitUntil(complete, 60000));
    const double floodMs = NowMs() - floodStart;
    size_t valueEvents = 0;
    WaitUntil([&] { return (valueEvents = events.Count(EVENT_OBJECT_VALUECHANGE, view)) > 0; }, 2000);
    std::printf("value changes of the output view: %zu in %.0f ms\n", valueEvents, floodMs);
    EXPECT_GE(valueEvents, 1u);
    EXPECT_LE(valueEvents, static_cast<size_t>(floodMs / 250) + 3);
    EXPECT_EQ(bar.Text(IDC_INPUT), keys.typed);
    const std::string output = Output();
    EXPECT_TRUE(Contains(output, big)) << output.size() - before << " bytes of " << big.size();
    EXPECT_TRUE(EndsWith(output, ">")) << output.substr(output.size() - 200);

    const KeySummary times = Summarize(keys.ms);
    std::printf(
        "keys during the flood: %d of %zu; latency median %.0f ms, 95th percentile %.0f ms, max %.0f ms\n",
        keys.whileBusy, keys.ms.size(), times.median, times.p95, times.max);
    EXPECT_GE(keys.whileBusy, 5);
    EXPECT_LE(times.p95, 100.0);
    EXPECT_LE(times.max, 300.0);

    ASSERT_TRUE(bar.ClearInput());
    ASSERT_TRUE(bar.Enter("type big.txt"));
    ASSERT_TRUE(WaitUntil([&] { return WindowTextLength(view) > 200000; }));
    ASSERT_FALSE(complete());
    QuitQuickly("the flood");
}

// Quitting while the interpreter runs a long loop of its own, which reads no input until it ends:
// the program ends at once all the same and keeps the mode.
TEST_F(DosPrompt, QuittingDuringALongLoopOfTheInterpreterIsQuick) {
    ASSERT_TRUE(StartInDos());
    ASSERT_TRUE(bar.Enter("for /l %i in (1,1,100000) do @echo line %i"));
    ASSERT_TRUE(WaitUntil([&] { return Contains(Output(), "line 200\r\n"); })) << Output().size();
    QuitQuickly("the loop");
}

// The first activation shows all that the interpreter wrote on its start, as the history keeps
// it, in every one of several starts.
TEST_F(DosPrompt, TheFirstActivationShowsAllTheStartupOutput) {
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(StartInDos());
        const std::string shown = Output();
        ASSERT_TRUE(Run("echo pavra", "pavra\r\n"));
        ASSERT_TRUE(bar.Keys("Up"));
        ASSERT_TRUE(bar.Keys("Up"));
        EXPECT_TRUE(WaitUntil([&] { return !Contains(Output(), "pavra"); })) << Output();
        EXPECT_EQ(shown, Output());
        ASSERT_TRUE(bar.Quit());
    }
}

// An initial directory at the longest the settings file holds: the interpreter cannot start in
// it. The window says so on a line of its own, the bar goes on answering, the next activation
// tries again, and quitting is as quick as ever.
TEST_F(DosPrompt, AnInterpreterThatCannotStartIsReportedAndTheBarGoesOn) {
    const std::string directory = "C:\\" + std::string(4092, 'd');
    ASSERT_TRUE(bar.WriteIni("[pavra]\r\nModeIndex=1\r\n[dos]\r\nInitialDirectory=" + directory + "\r\n"));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, kStartupAnswer)) << bar.Text(IDC_ANSWER);
    const char kNotice[] = "［コマンドプロンプトが";
    EXPECT_TRUE(WaitUntil([&] { return Contains(Output(), kNotice); })) << Output();
    // The window is emptied here so that the next attempt's notice shows it was made.
    SendMessageA(GetDlgItem(OutputWindow(), IDC_DOS_OUTPUT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_TRUE(LeaveAndComeBack());
    EXPECT_TRUE(WaitUntil([&] { return Contains(Output(), kNotice); })) << Output();
    ASSERT_TRUE(bar.Enter("1+1"));
    double start = NowMs();
    PostMessageA(bar.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(bar.WaitExit(5000));
    EXPECT_LT(NowMs() - start, 1000.0);
    EXPECT_EQ(bar.Ini().String("dos", "InitialDirectory"), directory);
}
