// The bar's keys through their interface, behind a fake bar and with lines that are not bound to
// any window: what each translated key leads to, in a prompt, on a line and on the mode list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/bar_keys.h"

namespace {

class FakeBar : public BarKeys::Bar {
public:
    CpavraModeBase* CurrentMode() const override { return mode; }
    bool ApplyModeChanges() override {
        Note("apply");
        return false;
    }
    void ReadDialogData() override {
        Note("read");
        inputLineText = lineInput;
        answerLineText = lineAnswer;
    }
    void WriteDialogData() override { Note("write"); }
    std::vector<std::string> ModeNames() const override { return names; }
    void SelectMode(int index) override { Note("select " + std::to_string(index)); }
    void NextMode() override { Note("next"); }
    void Quit() override { Note("quit"); }
    void CloseBar() override { Note("close"); }
    void PressPin() override { Note("pin"); }
    void SettingsAreaKey() override { Note("settings area"); }
    void OpenManual() override { Note("manual"); }

    void Note(const std::string& what) { journal += (journal.empty() ? "" : ", ") + what; }

    CpavraModeBase* mode = nullptr;
    std::vector<std::string> names{"calc", "dos", "www"};
    std::string lineInput, lineAnswer;
    std::string journal;
};

class JournalMode : public CpavraModeBase {
public:
    explicit JournalMode(FakeBar& fake) : CpavraModeBase(0), bar(fake) {}
    void Execute(const std::string& line) override { bar.Note("execute " + line); }
    void HistoryPrevious() override { bar.Note("previous"); }
    void HistoryNext() override { bar.Note("next entry"); }
    void HistoryFirst() override { bar.Note("first"); }
    void HistoryLast() override { bar.Note("last"); }

private:
    FakeBar& bar;
};

class BarKeysTest : public ::testing::Test {
protected:
    FakeBar bar;
    JournalMode mode{bar};
    int currentMode = 0;
    int previousMode = 0;
    BarKeys keys{bar, currentMode, previousMode};
};

TEST_F(BarKeysTest, EachKeyInAPromptAndTheWordEnterLeadsTo) {
    struct Case {
        int kind;
        KeyCommand command;
        std::string typed, journal;
    } cases[] = {
        {kPromptCommand, KeyCommand::Enter, "calc", "read, select 0"},
        {kPromptCommand, KeyCommand::Enter, "*calc*", "read"},  // M-x takes bare names
        {kPromptBuffer, KeyCommand::Enter, "*www*", "read, select 2"},
        {kPromptBuffer, KeyCommand::Enter, "www", "read"},
        {kPromptBuffer, KeyCommand::Enter, "quit", "read, quit"},
        {kPromptCommand, KeyCommand::Enter, "exit", "read, quit"},
        {kPromptCommand, KeyCommand::Enter, "close", "read, close"},
        {kPromptCommand, KeyCommand::Enter, "man", "read, manual, write"},
        {kPromptBuffer, KeyCommand::Enter, "manual", "read, manual, write"},
        {kPromptCommand, KeyCommand::Enter, "", "read"},
        {kPromptCommand, KeyCommand::Tab, "ca", "read"},
        {kPromptCommand, KeyCommand::Quit, "calc", "quit"},
        {kPromptCommand, KeyCommand::Cancel, "calc", ""},
        {kPromptCommand, KeyCommand::NextMode, "calc", ""},
        {kPromptBuffer, KeyCommand::HistoryPrevious, "*dos*", ""},
    };
    bar.mode = &mode;
    for (const Case& c : cases) {
        bar.journal.clear();
        std::string label = c.kind == kPromptBuffer ? "Switch to buffer: " : "M-x: ";
        bar.lineAnswer = label + c.typed;
        bar.lineInput = "1+1";
        keys.keyState.prompt = c.kind;
        keys.answerLine.promptLength = static_cast<int>(label.size());
        keys.LineKey(keys.answerLine, c.command);
        EXPECT_EQ(bar.journal, c.journal) << c.typed << " " << static_cast<int>(c.command);
        if (c.journal.find("manual") != std::string::npos) {
            EXPECT_EQ(bar.inputLineText, "");
            EXPECT_EQ(bar.answerLineText, c.typed + ": ユーザーズマニュアルを表示します");
        }
        if (c.command == KeyCommand::Enter) {
            EXPECT_EQ(keys.answerLine.promptLength, 0) << "the answer line is an answer line again";
        }
    }
}

TEST_F(BarKeysTest, EachKeyOnALineWithoutAPrompt) {
    struct Case {
        bool onInput, withMode;
        KeyCommand command;
        std::string journal;
    } cases[] = {
        {true, true, KeyCommand::Enter, "read, execute 2*pi, apply"},
        {true, false, KeyCommand::Enter, "read"},
        {false, true, KeyCommand::Enter, ""},  // Enter on the answer line does nothing
        {true, true, KeyCommand::HistoryPrevious, "previous, apply"},
        {false, true, KeyCommand::HistoryNext, "next entry, apply"},
        {true, false, KeyCommand::HistoryNext, ""},
        {true, true, KeyCommand::HistoryFirst, "first, apply"},
        {false, true, KeyCommand::HistoryLast, "last, apply"},
        {true, true, KeyCommand::Quit, "quit"},
        {false, true, KeyCommand::NextMode, "next"},
        {true, true, KeyCommand::Tab, ""},
    };
    for (const Case& c : cases) {
        bar.journal.clear();
        bar.mode = c.withMode ? &mode : nullptr;
        bar.lineInput = "2*pi";
        keys.inputLine.mark = 3;
        CpavraEdit& line = c.onInput ? static_cast<CpavraEdit&>(keys.inputLine) : keys.answerLine;
        keys.LineKey(line, c.command);
        EXPECT_EQ(bar.journal, c.journal) << c.onInput << " " << static_cast<int>(c.command);
        if (c.command == KeyCommand::Enter && c.onInput) {
            EXPECT_EQ(keys.inputLine.mark, -1);
        }
    }
}

TEST_F(BarKeysTest, ModeListKeysWrapAround) {
    struct Case {
        int count, current;
        KeyCommand command;
        std::string journal;
    } cases[] = {
        {3, 0, KeyCommand::HistoryPrevious, "select 2"},
        {3, 1, KeyCommand::HistoryPrevious, "select 0"},
        {3, 2, KeyCommand::HistoryNext, "select 0"},
        {3, 1, KeyCommand::HistoryNext, "select 2"},
        {3, 2, KeyCommand::HistoryFirst, "select 0"},
        {3, 0, KeyCommand::HistoryLast, "select 2"},
        {1, 0, KeyCommand::HistoryNext, "select 0"},
        {3, 1, KeyCommand::Quit, "quit"},
        {3, 1, KeyCommand::Enter, ""},
        {0, 0, KeyCommand::HistoryNext, ""},
    };
    const std::vector<std::string> all = bar.names;
    for (const Case& c : cases) {
        bar.journal.clear();
        bar.names.assign(all.begin(), all.begin() + c.count);
        currentMode = c.current;
        keys.ModeListKey(c.command);
        EXPECT_EQ(bar.journal, c.journal)
            << c.count << " " << c.current << " " << static_cast<int>(c.command);
    }
}

}  // namespace
