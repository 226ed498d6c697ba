// The command-prompt mode ("dos"): each line of the input line goes to a long-lived command
// interpreter; its output is shown in the "DOS Prompt" window against the bar, and the history
// keys step through earlier commands with their outputs.
#pragma once

#include <windows.h>

#include <string>

#include "modes/dos/child_link.h"
#include "modes/dos/command_history.h"
#include "modes/pavra_mode_base.h"

class CdosRespDlg;

class CdosMode : public CpavraModeBase {
public:
    static constexpr int kOutputWindowHeight = 400;

    explicit CdosMode(int index = 1);
    ~CdosMode() override;

    void Shutdown() override;
    void Activate() override;
    void Deactivate(const std::string& inputLine) override;
    void OnButton0() override;
    void HistoryFirst() override;
    void HistoryLast() override;
    void HistoryPrevious() override;
    void HistoryNext() override;
    void Execute(const std::string& inputLine) override;
    void FollowMainWindow(const RECT& bar) override;
    void ShowSubWindows(int showCommand) override;
    const char* GetSection() override;
    const char* GetCaption() override;
    int GetIntCount() override;
    int GetInt(int index) override;
    int GetIntMin(int index) override;
    int GetIntMax(int index) override;
    const char* GetIntKey(int index) override;
    void SetInt(int index, int value) override;
    int GetStringCount() override;
    const char* GetString(int index) override;
    const char* GetStringKey(int index) override;
    void SetString(int index, const char* text) override;
    const char* GetInputTip() override;

    // The interpreter program, for a stand-in where cmd.exe is not wanted (set before Activate).
    void SetInterpreter(const std::string& program) { child.SetInterpreter(program); }
    CdosRespDlg* OutputWindow() const { return outputWindow; }

private:
    void ShowOutputWindow();
    void ShowHistoryMove(const NavResult& move);

    CdosRespDlg* outputWindow = nullptr;
    // Declared before the link: the link's reader appends to it until the link is closed.
    CommandHistory commandHistory;
    ChildLink child;
    bool firstPlacement = false;
    int followWindow = 1;
    std::string initialDirectory;
    std::string initialScript;
};
