// The bar's window frame: its place at the start, its z-order, its size and place after a DPI
// change, and the icon it shows, also when minimised.
#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "shell/bar_settings.h"
#include "shell/bar_visibility.h"

class CDialog;

class BarFrame {
public:
    BarFrame(const CDialog& owner, const BarSettings& barSettings, const BarVisibility& barVisibility);

    // Centred in the primary monitor's work area from the template's size (or at its top edge);
    // the bar's position is never stored.
    void PlaceBar() const;
    void ApplyTopMost() const;
    // The top-most band is claimed again on every paint; a minimised bar shows its icon. True when
    // the icon was painted.
    bool OnPaint() const;
    // After a DPI change: place and width from the suggested rectangle, the height from the rule.
    void FollowDpi(const RECT& suggested) const;
    HICON Icon() const { return icon.Get(); }

private:
    const CDialog& bar;
    const BarSettings& settings;
    const BarVisibility& visibility;
    CIcon icon;
};
