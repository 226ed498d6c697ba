// The command history: every command line sent to the interpreter, paired with the output that
// followed it. The reader thread appends, the user-interface thread steps through it.
#pragma once

#include <deque>
#include <string>

#include "platform/lock.h"

enum NavKind {
    NavEmpty,      // nothing stored, or the cursor is out of range
    NavUnchanged,  // already at the end the move would pass
    NavEntry,      // a stored pair is selected; command and output carry it
    NavCurrent,    // the running command is selected
    NavBlank,      // past the running command: a blank input line
};

struct NavResult {
    NavKind kind = NavEmpty;
    std::string command;
    std::string output;
};

class CommandHistory {
public:
    static constexpr int kMaxPairs = 64;

    void Append(std::string command, std::string output);

    NavResult MoveFirst();
    NavResult MoveLast();
    NavResult MovePrevious();
    NavResult MoveNext();

    int Count() const;
    int Cursor() const;

private:
    // Moves the cursor to position and describes what it now selects; historyLock_ is held.
    NavResult Select(int position);

    mutable CriticalSection historyLock_;
    std::deque<std::string> commands_;
    std::deque<std::string> outputs_;
    // 0 to n - 1 a stored pair, n the running command, n + 1 a blank line.
    int cursor_ = 0;
};
