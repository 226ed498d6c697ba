// The error lines the bar shows of its own accord, on the answer line and read out: the settings
// file refuses writes, the hotkey is taken, a paste was too long.
#pragma once

#include <string>

#include "shell/bar_settings.h"

class CDialog;

class BarNotices {
public:
    // answerText is the bar's answer-line text, which each notice replaces.
    BarNotices(const CDialog& owner, std::string& answerText, const BarSettings& barSettings);

    // True when shown.
    bool TellUnsavedSettings();
    void TellTakenHotkey();
    void Tell(const std::string& text);

private:
    const CDialog& dialog;
    std::string& answerLineText;
    const BarSettings& settings;
    UnsavedSettingsNotice unsavedSettings;
};
