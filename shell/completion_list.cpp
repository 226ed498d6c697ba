#include "shell/completion_list.h"

#include <algorithm>

namespace {

struct ShellCommand {
    const char* name;
    const char* description;
};

const ShellCommand kShellCommands[] = {
    {"close", "ダイアログを閉じます"},           {"exit", "プログラムを終了します"},
    {"man", "ユーザーズマニュアルを表示します"}, {"manual", "ユーザーズマニュアルを表示します"},
    {"quit", "プログラムを終了します"},
};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int CompletionList::Complete(const std::string& text, std::string& result) {
    std::string key;
    if (cycling == 1 && text == lastShown) {
        key = typed;
    } else {
        key = text;
        cycling = 0;
    }
    std::vector<const std::string*> matches;
    for (const std::string& candidate : candidates) {
        if (StartsWith(candidate, key))
            matches.push_back(&candidate);
    }
    if (matches.empty()) {
        cycling = 0;
        return 0;
    }
    if (matches.size() == 1) {
        result = *matches[0];
        cycling = 0;
        return 1;
    }
    if (cycling == 1) {
        auto shown = std::find_if(matches.begin(), matches.end(),
                                  [this](const std::string* m) { return *m == lastShown; });
        // After the last match (or when lastShown is somehow not among them) comes the first.
        if (shown == matches.end() || ++shown == matches.end())
            shown = matches.begin();
        result = **shown;
    } else {
        result = *matches[0];
        typed = text;
        cycling = 1;
    }
    lastShown = result;
    return static_cast<int>(matches.size());
}

std::string BufferName(const std::string& modeName) { return "*" + modeName + "*"; }

int FindModeByName(int kind, const std::string& text, const std::vector<std::string>& modeNames) {
    for (size_t i = 0; i < modeNames.size(); ++i) {
        const std::string name = kind == kPromptBuffer ? BufferName(modeNames[i]) : modeNames[i];
        if (name == text)
            return static_cast<int>(i);
    }
    return -1;
}

const std::vector<std::string>& ShellCommandNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const ShellCommand& command : kShellCommands)
            list.push_back(command.name);
        return list;
    }();
    return names;
}

const char* ShellCommandDescription(const std::string& name) {
    for (const ShellCommand& command : kShellCommands) {
        if (name == command.name)
            return command.description;
    }
    return nullptr;
}
