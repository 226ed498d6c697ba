#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dos_test_support.h"
#include "modes/dos/child_link.h"
#include "modes/dos/command_history.h"
#include "modes/dos/dos_resp_dlg.h"
#include "temp_folder.h"

using namespace dostest;

namespace {

class DosChildLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CdosRespDlg::Open(nullptr, &window));
        window->SetLink(&link);
    }

    void TearDown() override {
        link.CloseLink();
        if (window)
            window->Close();
    }

    void Open(const std::string& options, const std::string& directory = "", const std::string& script = "") {
        link.SetInterpreter(FakeInterpreter(options));
        link.OpenLink(window->hwnd(), &history, directory, script);
        ASSERT_TRUE(WaitForText("FAKE>")) << window->Text();
    }

    bool WaitForText(const std::string& tail, DWORD timeoutMs = 10000) {
        return PumpUntil([&] { return EndsWith(window->Text(), tail); }, timeoutMs);
    }

    // Sends a command and waits until its output, ending in the prompt, is in the window.
    void Run(const std::string& command, const std::string& expected) {
        link.SendCommand(command);
        ASSERT_TRUE(WaitForText(expected + "\r\nFAKE>")) << command << ": " << window->Text();
    }

    CommandHistory history;
    ChildLink link;
    CdosRespDlg* window = nullptr;
};

}  // namespace

TEST(DosChildLinkCommandLine, QuotesTheStartupCommand) {
    struct {
        const char* directory;
        const char* script;
        const char* line;
    } cases[] = {
        {"", "", "cmd.exe /k \"cd /d %USERPROFILE%\""},
        {"C:\\work", "setup.bat", "cmd.exe /k \"cd /d C:\\work && setup.bat\""},
        {"D:\\日本語 フォルダ", "", "cmd.exe /k \"cd /d D:\\日本語 フォルダ\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChildLink::BuildCommandLine("cmd.exe", c.directory, c.script), c.line);
}

TEST_F(DosChildLink, StartsInTheDirectoryAndRunsTheScript) {
    TempFolder temp;
    const std::string& folder = temp.path();
    Open("", folder, "cd");
    std::string text = window->Text();
    EXPECT_TRUE(Contains(text, "startup: cd /d " + folder + " && cd\r\ncwd: " + folder + "\r\n")) << text;
}

TEST_F(DosChildLink, EchoedCommandsShowEchoAndOutput) {
    Open("");
    const std::string startup = window->Text();
    // The whole echo in one chunk, then the output.
    Run("echo pavra", "echo pavra\r\npavra\r\n");
    EXPECT_EQ(window->Text(), "echo pavra\r\npavra\r\n\r\nFAKE>");
    // The echo split across two chunks.
    Run("split", "split\r\nunknown: split\r\n");
    EXPECT_EQ(window->Text(), "split\r\nunknown: split\r\n\r\nFAKE>");
    EXPECT_EQ(link.CopyPendingCommand(), "split\r\n");
    // The echo and the output in one read: both are shown.
    Run("joined pavra", "joined pavra\r\npavra\r\n");
    EXPECT_EQ(window->Text(), "joined pavra\r\npavra\r\n\r\nFAKE>");

    ASSERT_EQ(history.Count(), 3);
    NavResult first = history.MoveFirst();
    EXPECT_EQ(first.command, "");
    EXPECT_EQ(first.output, startup);
    NavResult second = history.MoveNext();
    EXPECT_EQ(second.command, "echo pavra\r\n");
    EXPECT_EQ(second.output, "echo pavra\r\npavra\r\n\r\nFAKE>");
}

// The window shows all that the child wrote on its start, as its history pair keeps it, in every
// one of several starts.
TEST_F(DosChildLink, EveryStartShowsAllTheStartupOutput) {
    link.SetInterpreter(FakeInterpreter());
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        CommandHistory starts;
        link.CloseLink();
        link.OpenLink(window->hwnd(), &starts, "", "");
        ASSERT_TRUE(WaitForText("FAKE>")) << window->Text();
        const std::string shown = window->Text();
        Run("echo pavra", "pavra\r\n");
        link.CloseLink();
        NavResult startup = starts.MoveFirst();
        EXPECT_EQ(startup.command, "");
        EXPECT_EQ(shown, startup.output);
        EXPECT_TRUE(Contains(shown, "Fake Interpreter\r\nstartup: ")) << shown;
    }
}

TEST_F(DosChildLink, UnechoedCommandsShowTheirOutput) {
    Open("--no-echo");
    Run("echo pavra", "pavra\r\n");
    EXPECT_EQ(window->Text(), "pavra\r\n\r\nFAKE>");
    // Output that happens to begin with "exit" is output like any other.
    Run("echo exited", "exited\r\n");
    EXPECT_EQ(window->Text(), "exited\r\n\r\nFAKE>");
    // An empty line keeps the line end before its prompt.
    link.SendCommand("");
    EXPECT_TRUE(PumpUntil([&] { return window->Text() == "\r\nFAKE>"; })) << window->Text();
    Run("echo next", "next\r\n");
    history.MovePrevious();
    history.MovePrevious();
    NavResult entry = history.MovePrevious();
    EXPECT_EQ(entry.command, "echo exited\r\n");
    EXPECT_EQ(entry.output, "exited\r\n\r\nFAKE>");
}

TEST_F(DosChildLink, ExitEndsTheChildAndRestartServesTheNextOne) {
    for (const char* options : {"", "--no-echo"}) {
        SCOPED_TRACE(options);
        link.CloseLink();
        Open(options);
        link.SendCommand("exit");
        ASSERT_TRUE(PumpUntil([&] { return !link.IsChildRunning(); }));
        if (*options == '\0') {
            EXPECT_EQ(window->Text(), "exit\r\n");
        }
        // Lines entered while no child runs are dropped.
        link.SendCommand("echo lost");
        link.RestartChild("", "");
        ASSERT_TRUE(link.IsChildRunning());
        ASSERT_TRUE(WaitForText("FAKE>")) << window->Text();
        EXPECT_TRUE(Contains(window->Text(), "Fake Interpreter")) << window->Text();
        EXPECT_FALSE(Contains(window->Text(), "lost"));
        Run("echo again", "again\r\n");
    }
}

TEST_F(DosChildLink, RestartReleasesTheEndedChildsHandles) {
    Open("--no-echo");
    for (int round = 0; round < 3; ++round) {
        DWORD ended = link.ChildProcessId();
        link.SendCommand("exit");
        ASSERT_TRUE(PumpUntil([&] { return !link.IsChildRunning(); }));
        // An ended process stays known while a handle to it is open: the link still holds it.
        HANDLE held = OpenProcess(SYNCHRONIZE, FALSE, ended);
        EXPECT_NE(held, nullptr);
        if (held)
            CloseHandle(held);
        link.RestartChild("", "");
        ASSERT_TRUE(link.IsChildRunning());
        EXPECT_NE(link.ChildProcessId(), ended);
        EXPECT_TRUE(PumpUntil(
            [&] {
                HANDLE reopened = OpenProcess(SYNCHRONIZE, FALSE, ended);
                if (reopened)
                    CloseHandle(reopened);
                return reopened == nullptr;
            },
            3000))
            << "the ended child's handles are still open";
    }
}

TEST_F(DosChildLink, NulBytesAreDroppedAndTheRestKept) {
    Open("--no-echo");
    Run("nul", "beforeafter\r\n");
}

TEST_F(DosChildLink, LineEndSplitAcrossReadsStaysOneLineEnd) {
    Open("--no-echo");
    Run("crlf", "one\r\ntwo\r\n");
    EXPECT_FALSE(Contains(window->Text(), "\r\r\n"));
}

TEST_F(DosChildLink, DoubleByteCharacterSplitAcrossReadsStaysWhole) {
    Open("--no-echo");
    Run("dbcs", "日本語\r\n");
    EXPECT_EQ(window->Text(), "日本語\r\n\r\nFAKE>");
}

TEST_F(DosChildLink, CommandsSentBackToBackAllRunInOrder) {
    // --lossy runs only the first line of each read of its input, as Wine's cmd.exe does.
    for (const char* options : {"--no-echo --lossy", "--lossy"}) {
        SCOPED_TRACE(options);
        link.CloseLink();
        Open(options);
        for (int i = 1; i <= 5; ++i)
            link.SendCommand("echo line" + std::to_string(i));
        ASSERT_TRUE(PumpUntil([&] { return link.CopyPendingCommand() == "echo line5\r\n"; }));
        ASSERT_TRUE(WaitForText("line5\r\n\r\nFAKE>")) << window->Text();
        link.SendCommand("echo end");
        ASSERT_TRUE(WaitForText("end\r\n\r\nFAKE>")) << window->Text();
        // Each line got its own pair, in order.
        history.MoveLast();
        history.MovePrevious();
        for (int i = 5; i >= 1; --i) {
            NavResult entry = history.MovePrevious();
            ASSERT_EQ(entry.kind, NavEntry);
            EXPECT_EQ(entry.command, "echo line" + std::to_string(i) + "\r\n");
            EXPECT_TRUE(Contains(entry.output, "line" + std::to_string(i) + "\r\n\r\nFAKE>")) << entry.output;
        }
    }
}

TEST_F(DosChildLink, SilentCommandDoesNotHoldTheNextLineBack) {
    Open("--no-echo --lossy");
    link.SendCommand("silent");
    link.SendCommand("echo after");
    EXPECT_TRUE(WaitForText("after\r\n\r\nFAKE>")) << window->Text();
}

TEST_F(DosChildLink, LargeOutputStreamsWhileTheUserWorks) {
    Open("--no-echo");
    const size_t lines = 12000;  // 408,000 bytes, far past a fresh edit box's 30,000 characters
    link.SendCommand("lines " + std::to_string(lines));
    link.SendCommand("echo typed meanwhile");
    // The user browses the history and brings the running output back while it streams.
    for (int move = 0; move < 300; ++move) {
        switch (move % 5) {
        case 0: history.MovePrevious(); break;
        case 1: history.MoveNext(); break;
        case 2: link.ForgetWindowText(); break;
        case 3: link.CopyPendingCommand(); break;
        default:
            if (move % 50 == 4)
                link.DeliverOutput();
        }
        PumpFor(5);
    }
    history.MoveLast();
    link.DeliverOutput();
    ASSERT_TRUE(WaitForText("typed meanwhile\r\n\r\nFAKE>", 60000)) << window->Text().size();

    // Nothing of the long output is lost, in the history as in the window.
    link.SendCommand("echo last");
    ASSERT_TRUE(WaitForText("last\r\n\r\nFAKE>"));
    history.MovePrevious();
    NavResult typed = history.MovePrevious();
    NavResult streamed = history.MovePrevious();
    ASSERT_EQ(streamed.command, "lines 12000\r\n");
    ASSERT_EQ(typed.command, "echo typed meanwhile\r\n");
    // The typed line waits for the stream's end; should the stream pause long enough to look
    // finished, the typed line's pair takes the rest of it.
    std::string both = streamed.output + typed.output;
    EXPECT_EQ(both.size(), lines * 34 + 7 + 17 + 7);
    EXPECT_TRUE(Contains(both, "line 00012000 ..................\r\n\r\nFAKE>"));
    SendMessageA(window->hwnd(), WM_APP + 1, reinterpret_cast<WPARAM>(both.c_str()), 0);
    EXPECT_EQ(window->Text(), both);
}

TEST_F(DosChildLink, ClosingWhileOutputStreamsIsQuick) {
    Open("--no-echo");
    link.SendCommand("lines 1000000");
    ASSERT_TRUE(PumpUntil([&] { return window->Text().size() > 100000; }, 20000));
    DWORD start = GetTickCount();
    link.CloseLink();
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(DosChildLink, ClosingAnIdleLinkIsQuick) {
    Open("--no-echo");
    DWORD start = GetTickCount();
    link.CloseLink();
    EXPECT_LT(GetTickCount() - start, 1000u);
}

// A child that does not start, ends at once or crashes: the window says so on a line of its
// own, the link goes on, and the next start serves the user again. The user's own exit says
// nothing more than its echo.
TEST_F(DosChildLink, AChildThatFailsOrEndsIsReportedAndTheNextStartServes) {
    struct Case {
        const char* interpreter;  // options of the fake, or a program that does not exist
        const char* script;
        const char* command;  // sent once the child runs
        const char* notice;   // "" for none
    };
    const Case cases[] = {
        {"missing", "", "", "起動できませんでした（エラー 2）"},
        {"", "die 3", "", "終了しました（終了コード 3）"},
        {"--no-echo", "", "die 0xC0000005", "［コマンドプロンプトが終了しました（終了コード 0xC0000005）"},
        {"--no-echo", "", "exit", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.interpreter) + " / " + c.script + " / " + c.command);
        link.CloseLink();
        bool missing = std::string(c.interpreter) == "missing";
        link.SetInterpreter(missing ? "\"" + ProgramDirectory() + "no_such_interpreter.exe\""
                                    : FakeInterpreter(c.interpreter));
        link.OpenLink(window->hwnd(), &history, "", c.script);
        if (*c.command) {
            ASSERT_TRUE(WaitForText("FAKE>")) << window->Text();
            link.SendCommand(c.command);
        }
        ASSERT_TRUE(PumpUntil([&] { return !link.IsChildRunning(); }));
        if (*c.notice) {
            ASSERT_TRUE(PumpUntil([&] { return Contains(window->Text(), c.notice); })) << window->Text();
            EXPECT_TRUE(EndsWith(window->Text(), "もう一度起動します］\r\n")) << window->Text();
        } else {
            PumpFor(300);
            EXPECT_FALSE(Contains(window->Text(), "［")) << window->Text();
        }
        link.SetInterpreter(FakeInterpreter("--no-echo"));
        link.RestartChild("", "");
        ASSERT_TRUE(WaitForText("FAKE>")) << window->Text();
        Run("echo again", "again\r\n");
    }
}
