#include <gtest/gtest.h>

#include "shell/completion_list.h"

namespace {

const std::vector<std::string> kModes = {"calc", "dos", "www"};

CompletionList CommandList() {
    CompletionList list;
    list.candidates = ShellCommandNames();
    for (const std::string& mode : kModes)
        list.candidates.push_back(mode);
    return list;
}

CompletionList BufferList() {
    CompletionList list;
    for (const std::string& mode : kModes)
        list.candidates.push_back(BufferName(mode));
    return list;
}

// Presses Tab the way the prompt does: the line then shows the completion, if there was one.
std::vector<std::string> Tabs(CompletionList& list, std::string line, int count) {
    std::vector<std::string> shown;
    for (int i = 0; i < count; ++i) {
        std::string result;
        if (list.Complete(line, result) > 0)
            line = result;
        shown.push_back(line);
    }
    return shown;
}

TEST(Completion, CommandCycles) {
    struct Case {
        const char* typed;
        int tabs;
        std::vector<std::string> shown;
    } cases[] = {
        {"", 9, {"close", "exit", "man", "manual", "quit", "calc", "dos", "www", "close"}},
        {"m", 3, {"man", "manual", "man"}},
        {"man", 3, {"man", "manual", "man"}},
        {"d", 2, {"dos", "dos"}},
        {"q", 1, {"quit"}},
        {"c", 3, {"close", "calc", "close"}},
        {"z", 2, {"z", "z"}},
        {"*calc*", 1, {"*calc*"}},
    };
    for (const auto& c : cases) {
        CompletionList list = CommandList();
        EXPECT_EQ(Tabs(list, c.typed, c.tabs), c.shown) << "typed \"" << c.typed << "\"";
    }
}

TEST(Completion, CycleState) {
    CompletionList list = CommandList();
    std::string result;
    EXPECT_EQ(list.Complete("m", result), 2);
    EXPECT_EQ(list.cycling, 1);
    EXPECT_EQ(list.typed, "m");
    EXPECT_EQ(list.lastShown, "man");
    // One match ends the cycle.
    EXPECT_EQ(list.Complete("d", result), 1);
    EXPECT_EQ(result, "dos");
    EXPECT_EQ(list.cycling, 0);
    // No match ends it too and leaves the result alone.
    list.Complete("m", result);
    result = "untouched";
    EXPECT_EQ(list.Complete("mx", result), 0);
    EXPECT_EQ(result, "untouched");
    EXPECT_EQ(list.cycling, 0);
}

TEST(Completion, TypingAfterCompletionStartsNewCycle) {
    CompletionList list = CommandList();
    std::string result;
    list.Complete("", result);      // close
    list.Complete(result, result);  // exit
    EXPECT_EQ(result, "exit");
    // The user replaced the selected completion with "c": a new cycle from "c".
    EXPECT_EQ(Tabs(list, "c", 2), (std::vector<std::string>{"close", "calc"}));
    // Cycling with "manual" on the line continues from the typed "ma", not from "manual".
    CompletionList other = CommandList();
    EXPECT_EQ(Tabs(other, "ma", 3), (std::vector<std::string>{"man", "manual", "man"}));
}

TEST(Completion, BufferNames) {
    CompletionList list = BufferList();
    EXPECT_EQ(Tabs(list, "", 4), (std::vector<std::string>{"*calc*", "*dos*", "*www*", "*calc*"}));
    CompletionList again = BufferList();
    EXPECT_EQ(Tabs(again, "*w", 2), (std::vector<std::string>{"*www*", "*www*"}));
    CompletionList none = BufferList();
    EXPECT_EQ(Tabs(none, "www", 1), (std::vector<std::string>{"www"}));
}

TEST(Completion, FindModeByName) {
    struct Case {
        int kind;
        const char* text;
        int expected;
    } cases[] = {
        {kPromptBuffer, "*calc*", 0},   {kPromptBuffer, "*dos*", 1},  {kPromptBuffer, "*www*", 2},
        {kPromptBuffer, "www", -1},     {kPromptBuffer, "*WWW*", -1}, {kPromptBuffer, "", -1},
        {kPromptBuffer, "*www* ", -1},  {kPromptCommand, "calc", 0},  {kPromptCommand, "www", 2},
        {kPromptCommand, "*calc*", -1}, {kPromptCommand, "Calc", -1}, {kPromptCommand, "quit", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindModeByName(c.kind, c.text, kModes), c.expected) << c.kind << " \"" << c.text << "\"";
    EXPECT_EQ(FindModeByName(kPromptCommand, "calc", {}), -1);
}

}  // namespace
