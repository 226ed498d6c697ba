#include "shell/mode_settings.h"

#include <string>

#include "modes/pavra_mode_base.h"
#include "platform/profile.h"

void LoadModeSettings(CpavraModeBase& mode) {
    // The counts are asked again after each setter: a mode may not change them while loading.
    for (int j = 0; j < mode.GetIntCount(); ++j) {
        int v = ProfileReadInt(mode.GetSection(), mode.GetIntKey(j), mode.GetInt(j));
        if (v < mode.GetIntMin(j))
            v = mode.GetIntMin(j);
        if (v > mode.GetIntMax(j))
            v = mode.GetIntMax(j);
        mode.SetInt(j, v);
    }
    for (int j = 0; j < mode.GetStringCount(); ++j) {
        std::string s = ProfileReadString(mode.GetSection(), mode.GetStringKey(j), mode.GetString(j));
        mode.SetString(j, s.c_str());
    }
}

void WriteModeInt(CpavraModeBase& mode, int index) {
    ProfileWriteInt(mode.GetSection(), mode.GetIntKey(index), mode.GetInt(index));
}

void WriteModeString(CpavraModeBase& mode, int index) {
    ProfileWriteString(mode.GetSection(), mode.GetStringKey(index), mode.GetString(index));
}

void SaveModeSettings(CpavraModeBase& mode) {
    for (int j = 0; j < mode.GetIntCount(); ++j)
        WriteModeInt(mode, j);
    for (int j = 0; j < mode.GetStringCount(); ++j)
        WriteModeString(mode, j);
}
