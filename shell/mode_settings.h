// Loading and saving a mode's settings through the mode interface (section = the mode's name).
#pragma once

class CpavraModeBase;

// Reads every integer (clamped to the mode's range) and every string of the mode.
void LoadModeSettings(CpavraModeBase& mode);
// Writes all of the mode's integers, then all of its strings.
void SaveModeSettings(CpavraModeBase& mode);
// Write one setting of the mode now.
void WriteModeInt(CpavraModeBase& mode, int index);
void WriteModeString(CpavraModeBase& mode, int index);
