// The bar: Pavra's only top-level window (dialog 102), run modally by the application.
// It owns the modes, drives the current one and applies what the mode publishes.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/handles.h"
#include "platform/hotkey.h"
#include "platform/tray_icon.h"
#include "shell/bar_settings.h"
#include "shell/completion_list.h"
#include "shell/key_state.h"
#include "shell/mode_list.h"
#include "shell/pavra_edit.h"

class CpavraDlg : public CDialog {
public:
    using ModeFactory = ModeList (*)();
    // createModes makes the modes at initialisation (tests hand in their own).
    explicit CpavraDlg(ModeFactory createModes = CreateModes);
    ~CpavraDlg() override;

    // Copies the mode's pending changes into the bar; true when a line's text was replaced.
    bool ApplyModeChanges();
    // Switches to the mode selected in the mode list.
    void SwitchMode();
    // Ends the modal run with the cancel result; the program then ends.
    void Quit();

    // " Pavra" and the spaces that carry the title colour across a strip of clientWidth pixels.
    static std::string TitleText(int clientWidth, UINT dpi = 96);
    // The client height the bar keeps: 12 rolled up, 169 with the settings area open, else 49
    // (at 96 DPI; scaled to the bar's DPI).
    int BarHeight() const;

    BarSettings settings;
    std::string inputLineText;
    std::string answerLineText;

    enum Visibility { Normal, RolledUp, Minimized, Hidden, Unrolling };

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
    void LoadBitmaps(UINT dpi);
    void ShowBitmap(int controlId, int bitmapId);
    void SetupControls();
    void SetupTooltips();
    void LayoutBar(int width);
    void ShowModeCaption();
    void SetButtonCaption(int id, const std::string& text, const char* empty);
    void Shutdown();

    // The title strip, the settings area and the tooltips (pavra_dlg_controls.cpp).
    INT_PTR OnControlColour(HDC dc, HWND control);
    LRESULT HitTest(LPARAM lParam);
    void PressTitleButton(int id);
    void ToggleSettingsArea();
    void OnOption(int id);
    const char* TooltipText(int id);

    // Keys, prompts and the shell commands (pavra_dlg_keys.cpp).
    bool KeyHook(MSG* msg);
    void LineKey(CpavraEdit& line, KeyCommand command);
    void PromptKey(int kind, KeyCommand command);
    void ModeListKey(KeyCommand command);
    void CycleFocus(HWND from);
    void Enter();
    void History(CpavraEdit& line, KeyCommand command, int start);
    void HistoryEnd(CpavraEdit& line, KeyCommand command);
    void NextMode();
    std::vector<std::string> ModeNames() const;
    void FillCompletionLists();
    void OpenPrompt(int kind, CpavraEdit& origin);
    std::string PromptText();
    void CompletePrompt(int kind);
    void FinishPrompt(int kind);
    void CancelPrompt();
    void EndPromptLine();
    // The answer line lost the focus: an open prompt is dropped.
    void DropPrompt();
    void ManualCommand(const std::string& name);
    void OpenManual();
    void OnManualButton();

    // Placement, roll-up, notification area, hotkey and system menu (pavra_dlg_bar.cpp).
    INT_PTR OnBarMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void PlaceBar();
    void ApplyTaskbarButton();
    void SwitchTaskbarButton(bool taskbarButton);
    void ApplyTopMost();
    void ApplyHeightRule(WINDOWPOS* pos);
    void SetClientHeight(int height);
    void OnBarMoved();
    void KeepTopEdge(RECT* dragged) const;
    void OnActivationChange(bool active);
    bool MayRollUp() const;
    void RollUpUnlessCompanion();
    void RollUp();
    void Unroll();
    void HideBar();
    void MinimizeBar();
    void CloseBar();
    void ShowBar();
    bool AddTrayIcon();
    void SetTaskTrayMode(int on);
    void OnTrayCallback(LPARAM mouseMessage);
    void ShowTrayMenu();
    void RegisterBarHotkey();
    void ReleaseTrayAndHotkey();
    void OpenDetailedSettings();
    void BuildSystemMenu();
    bool OnSysCommand(WPARAM command);
    void ShowTitleIconMenu();
    bool OnPaint();
    int FrameHeight() const;

    ModeFactory createModes_;
    CIcon icon_;
    CBitmap bitmaps_[7];
    CBrush titleBrush_;
    CWindow tooltip_;
    TrayIcon trayIcon_;
    Hotkey hotkey_;

    ModeList modes;
    int currentMode = -1;
    int previousMode = -1;

    CeqnPavraEdit inputLine;
    CansPavraEdit answerLine;
    KeyState keyState;
    std::string savedAnswer;
    CpavraEdit* promptOrigin = nullptr;
    CompletionList commandCompletion;
    CompletionList bufferCompletion;

    bool ready = false;
    bool iconic = false;
    int visibility = Normal;
    int settingsOpen = 0;
    int hotkeyRegistered = 0;
};
