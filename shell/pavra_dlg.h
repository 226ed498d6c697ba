// The bar: Pavra's only top-level window (dialog 102), run modally by the application.
// It drives the current mode and applies what the mode publishes; the modes themselves, its title
// strip, keys and prompts, visibility rules, window frame, settings area, tray icon, tooltips and
// error notices are parts of their own.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/handles.h"
#include "shell/bar_frame.h"
#include "shell/bar_keys.h"
#include "shell/bar_modes.h"
#include "shell/bar_notices.h"
#include "shell/bar_settings.h"
#include "shell/bar_settings_area.h"
#include "shell/bar_title_strip.h"
#include "shell/bar_tooltips.h"
#include "shell/bar_tray.h"
#include "shell/bar_visibility.h"

class CpavraDlg : public CDialog, public BarKeys::Bar, public BarSettingsArea::Bar {
public:
    using ModeFactory = BarModes::Factory;
    // modeFactory makes the modes at initialisation (tests hand in their own).
    explicit CpavraDlg(ModeFactory modeFactory = CreateModes);
    ~CpavraDlg() override;

    bool ApplyModeChanges() override;
    // Switches to the mode selected in the mode list.
    void SwitchMode();
    // Ends the modal run with the cancel result; the program then ends.
    void Quit() override;

    BarSettings settings;

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
    void ReadDialogData() override;
    void WriteDialogData() override;

    CpavraModeBase* CurrentMode() const override;
    RECT ScreenRect() const;
    void FocusInput() const override;

    bool FinishInit();
    void LayoutBar(int width);
    void ShowModeCaption();
    void ApplyControlChanges(CpavraModeBase& mode);
    bool OnBarCommand(int id, int code);
    bool OnModeCommand(int id, int code);
    void Shutdown();

    // The pin and the settings area for the keys, and a change of the system's colours
    // (pavra_dlg_controls.cpp).
    void PressPin() override;
    void SettingsAreaKey() override;
    void OnColoursChanged();

    // Mode switching and the manual, for the keys and the bar's own controls (pavra_dlg_modes.cpp).
    void SelectMode(int index) override;
    void NextMode() override;
    std::vector<std::string> ModeNames() const override;
    void OpenManual() override;

    // The bar's moves, the ways out of sight and the system menu (pavra_dlg_bar.cpp).
    void OnBarMoved();
    void MinimizeBar() override;
    void CloseBar() override;
    bool OnSysCommand(WPARAM command);

    // Early, so that the bar's icon outlives the other parts as the window goes.
    BarFrame frame;

    BarModes modes;

    // Before the other parts, so that the lines outlive them as the window goes.
    BarKeys keys;

    bool ready = false;
    // Set while the bar shows the current mode's texts again after it was away.
    bool quietAnswer = false;
    BarSettingsArea settingsArea;

    BarTitleStrip titleStrip;
    BarVisibility barVisibility;
    BarTray tray;
    BarTooltips tooltips;
    BarNotices notices;
};
