// What a screen reader says for the bar's controls that show no text of their own.
#pragma once

#include <windows.h>

// The title icon, the title buttons, the two lines, the mode list and the settings toggle.
void NameBarControls(HWND bar, bool settingsOpen);
// The toggle says what pressing it does: open the settings area or close it.
void NameSettingsToggle(HWND bar, bool settingsOpen);
