#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modes/dos/command_history.h"

namespace {

enum Move { First, Last, Previous, Next };

NavResult Apply(CommandHistory& history, Move move) {
    switch (move) {
    case First: return history.MoveFirst();
    case Last: return history.MoveLast();
    case Previous: return history.MovePrevious();
    case Next: return history.MoveNext();
    }
    return {};
}

struct Step {
    Move move;
    NavKind kind;
    int pair;  // the pair NavEntry carries, else -1
    int cursor;
};

struct Case {
    const char* name;
    int pairs;
    std::vector<Step> steps;
};

// Pair i holds command "c<i>\r\n" and output "o<i>".
void Fill(CommandHistory& history, int pairs) {
    for (int i = 0; i < pairs; ++i)
        history.Append("c" + std::to_string(i) + "\r\n", "o" + std::to_string(i));
}

}  // namespace

TEST(DosCommandHistory, MovesFollowTheCursor) {
    const std::vector<Case> cases = {
        {"empty history",
         0,
         {{First, NavEmpty, -1, 0},
          {Last, NavEmpty, -1, 0},
          {Previous, NavEmpty, -1, 0},
          {Next, NavEmpty, -1, 0}}},
        // Two pairs stored means the start-up pair and the first command; the second runs.
        {"previous walks back to the start-up pair",
         2,
         {{Previous, NavCurrent, -1, 2},
          {Previous, NavEntry, 1, 1},
          {Previous, NavEntry, 0, 0},
          {Previous, NavUnchanged, -1, 0}}},
        {"right after an append",
         1,
         {{Next, NavUnchanged, -1, 2},
          {Last, NavUnchanged, -1, 2},
          {Previous, NavCurrent, -1, 1},
          {Next, NavBlank, -1, 2}}},
        {"first and last jump to the ends",
         3,
         {{First, NavEntry, 0, 0},
          {First, NavUnchanged, -1, 0},
          {Next, NavEntry, 1, 1},
          {Last, NavBlank, -1, 4},
          {Previous, NavCurrent, -1, 3},
          {Previous, NavEntry, 2, 2}}},
        {"next from the running command gives a blank line",
         2,
         {{Previous, NavCurrent, -1, 2}, {Next, NavBlank, -1, 3}, {Next, NavUnchanged, -1, 3}}},
    };
    for (const Case& c : cases) {
        CommandHistory history;
        Fill(history, c.pairs);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            NavResult result = Apply(history, step.move);
            SCOPED_TRACE(std::string(c.name) + ", step " + std::to_string(i));
            EXPECT_EQ(result.kind, step.kind);
            EXPECT_EQ(history.Cursor(), step.cursor);
            if (step.pair >= 0) {
                EXPECT_EQ(result.command, "c" + std::to_string(step.pair) + "\r\n");
                EXPECT_EQ(result.output, "o" + std::to_string(step.pair));
            } else {
                EXPECT_TRUE(result.command.empty() && result.output.empty());
            }
        }
    }
}

TEST(DosCommandHistory, SixtyFifthAppendDropsTheOldestPair) {
    CommandHistory history;
    Fill(history, 65);
    EXPECT_EQ(history.Count(), 64);
    EXPECT_EQ(history.Cursor(), 65);
    NavResult first = history.MoveFirst();
    EXPECT_EQ(first.kind, NavEntry);
    EXPECT_EQ(first.command, "c1\r\n");
    EXPECT_EQ(first.output, "o1");
    history.MoveLast();
    history.MovePrevious();
    NavResult newest = history.MovePrevious();
    EXPECT_EQ(newest.command, "c64\r\n");
}

TEST(DosCommandHistory, AppendWhileBrowsingSendsTheCursorPastTheEnd) {
    CommandHistory history;
    Fill(history, 3);
    history.MoveFirst();
    history.Append("late\r\n", "x");
    EXPECT_EQ(history.Cursor(), 5);
    EXPECT_EQ(history.MovePrevious().kind, NavCurrent);
    EXPECT_EQ(history.MovePrevious().command, "late\r\n");
}
