// The bar: Pavra's only top-level window (dialog 102), run modally by the application.
// It owns the modes, drives the current one and applies what the mode publishes; its title strip,
// prompts, visibility rules, tray icon and tooltips are parts of their own.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/handles.h"
#include "shell/bar_prompt.h"
#include "shell/bar_settings.h"
#include "shell/bar_title_strip.h"
#include "shell/bar_tooltips.h"
#include "shell/bar_tray.h"
#include "shell/bar_visibility.h"
#include "shell/key_state.h"
#include "shell/mode_list.h"
#include "shell/pavra_edit.h"

class CpavraDlg : public CDialog {
public:
    using ModeFactory = ModeList (*)();
    // createModes makes the modes at initialisation (tests hand in their own).
    explicit CpavraDlg(ModeFactory modeFactory = CreateModes);
    ~CpavraDlg() override;

    // Copies the mode's pending changes into the bar; true when a line's text was replaced.
    bool ApplyModeChanges();
    // Switches to the mode selected in the mode list.
    void SwitchMode();
    // Ends the modal run with the cancel result; the program then ends.
    void Quit();

    BarSettings settings;
    std::string inputLineText;
    std::string answerLineText;

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR* header) override;
    void OnSize(int width, int height) override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    bool PreTranslateMessage(MSG* msg) override;
    void OnDpiChanged(const RECT& suggested) override;

private:
    // The dialog data exchange of the two lines.
    void ReadDialogData();
    void WriteDialogData();

    CpavraModeBase* CurrentMode() const;
    RECT ScreenRect() const;
    void FocusInput() const;

    void CreateModesAndLoad();
    void FinishInit();
    void LayoutBar(int width);
    void ShowModeCaption();
    void ApplyControlChanges(CpavraModeBase& mode);
    void ApplySettingChanges(CpavraModeBase& mode);
    bool OnBarCommand(int id, int code);
    bool OnModeCommand(int id, int code);
    void Shutdown();

    // The title buttons, the settings area and its options (pavra_dlg_controls.cpp).
    void PressTitleButton(int id);
    void OnSettingsAreaClick(int id);
    void ToggleSettingsArea();
    void SettingsAreaKey();
    void OnColoursChanged();
    void OnOption(int id);

    // Keys, prompts and the shell commands (pavra_dlg_keys.cpp).
    bool KeyHook(MSG* msg);
    void LineKey(CpavraEdit& line, KeyCommand command);
    void PromptKey(KeyCommand command);
    void FinishPrompt(int kind);
    void ModeListKey(KeyCommand command);
    void CycleFocus(HWND from);
    void Enter();
    void History(CpavraEdit& line, KeyCommand command, int start);
    void HistoryEnd(CpavraEdit& line, KeyCommand command);
    void NextMode();
    std::vector<std::string> ModeNames() const;
    void ManualCommand(const std::string& name);
    void OpenManual();

    // Placement, the ways out of sight and the system menu (pavra_dlg_bar.cpp).
    void PlaceBar();
    void ApplyTopMost();
    void OnBarMoved();
    void MinimizeBar();
    void CloseBar();
    void OpenDetailedSettings();
    bool OnSysCommand(WPARAM command);
    bool OnPaint();

    ModeFactory createModes;
    CIcon icon;

    ModeList modes;
    int currentMode = -1;
    int previousMode = -1;

    CeqnPavraEdit inputLine;
    CansPavraEdit answerLine;
    KeyState keyState;

    bool ready = false;
    // Set while the bar shows the current mode's texts again after it was away.
    bool quietAnswer = false;
    int settingsOpen = 0;

    BarTitleStrip titleStrip;
    BarVisibility barVisibility;
    BarTray tray;
    BarPrompt prompt;
    BarTooltips tooltips;
};
