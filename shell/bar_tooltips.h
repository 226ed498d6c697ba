// The tooltips of the bar's controls: the mode's own texts and the bar's fixed ones.
#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "modes/pavra_mode_base.h"

class BarTooltips {
public:
    // One tool for each control that has a tip.
    void Create(HWND bar);
    void Destroy() { tooltip.Reset(); }
    // A tooltip's request for its text (WM_NOTIFY); without a mode no text is given at all.
    void OnNotify(NMHDR* header, CpavraModeBase* mode, bool trayMode) const;

    static const char* TooltipText(int id, CpavraModeBase& mode, bool trayMode);

private:
    CWindow tooltip;
};
