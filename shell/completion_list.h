// Tab completion for the two prompts, the prompts' name lookup and the shell's own commands.
#pragma once

#include <string>
#include <vector>

struct CompletionList {
    std::vector<std::string> candidates;
    std::string lastShown;  // what the last Tab put on the line
    std::string typed;      // what the user had typed when the current Tab cycle began
    int cycling = 0;

    // One Tab with the typed text: returns the number of matches and, when there is one or
    // more, the completion to show in result.
    int Complete(const std::string& text, std::string& result);
};

// Prompt kinds, as kept in KeyState::prompt.
const int kPromptBuffer = 1;
const int kPromptCommand = 2;

std::string BufferName(const std::string& modeName);
// Kind 1 compares buffer names ("*calc*"), kind 2 bare mode names; -1 when nothing matches.
int FindModeByName(int kind, const std::string& text, const std::vector<std::string>& modeNames);

// The shell commands in their completion order, then the description of one of them (null
// when the name is not a shell command).
const std::vector<std::string>& ShellCommandNames();
const char* ShellCommandDescription(const std::string& name);
