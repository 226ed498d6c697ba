// Registers every common control class once for the process (list view, tab, hotkey, tooltip...).
#pragma once

bool InitAllCommonControls();
