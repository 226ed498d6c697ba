// The bar's height and its ways out of sight and back: the height rule, the top edge, rolling up
// when another window takes the foreground, hiding, minimising and showing again.
#pragma once

#include <windows.h>

#include <functional>

#include "shell/bar_settings.h"

class CDialog;

class BarVisibility {
public:
    enum Visibility { Normal, RolledUp, Minimized, Hidden, Unrolling };
    // The title strip: all that a rolled-up bar shows (at 96 DPI).
    static const int kTitleStripHeight = 12;

    // What the bar does for its current mode on the way: the mode leaves before the bar rolls up
    // and comes back after it unrolled; its own windows hide and show with the bar (SW_HIDE,
    // SW_SHOW).
    struct ModeHooks {
        std::function<void()> leave;
        std::function<void()> enter;
        std::function<void(int)> showWindows;
    };

    // The bar's flags are read at each use: settingsOpen (the settings area is open) and ready
    // (initialisation is done).
    BarVisibility(const CDialog& owner, const BarSettings& barSettings, const int& settingsOpenFlag,
                  const bool& readyFlag, ModeHooks modeHooks);

    // The client height at 96 DPI: the title strip rolled up, else with or without the settings area.
    static int ClientHeight(int visibility, bool settingsOpen);
    // The height rule on a proposed change (pos) of a window now at window with frame pixels around
    // the client: a new height keeps the top edge and becomes frame + height. False when it leaves
    // the proposal alone.
    static bool KeepHeight(WINDOWPOS& pos, const RECT& window, int frame, int height);

    // The client height the bar keeps, scaled to the bar's DPI.
    int BarHeight() const;
    int FrameHeight() const;
    void SetClientHeight(int height);

    // The window messages of the rules: size and move, activation, the top edge. True when taken;
    // result is then the dialog procedure's.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    bool MayRollUp() const;
    void RollUp();
    void Unroll();
    void Hide();
    void Minimize();
    void Show();
    // Moves a bar that is lost off every monitor's work area back onto the nearest one.
    void BringBackOnScreen();
    // Ends a press of the mouse on the bar: whatever takes the bar away calls it.
    void EndMousePress() const;

    int visibility = Normal;
    bool iconic = false;

private:
    void ApplyHeightRule(WINDOWPOS* pos);
    void KeepTopEdge(RECT* dragged) const;
    void OnActivationChange(bool active);
    void RollUpUnlessCompanion();
    void ReleaseMouse() const;
    HWND Window() const;

    const CDialog& bar;
    const BarSettings& settings;
    const int& settingsOpen;
    const bool& ready;
    ModeHooks hooks;
};
