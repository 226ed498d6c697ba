#include "shell/bar_settings.h"

#include "platform/profile.h"

const char kBarSection[] = "pavra";

namespace {

struct KeyInfo {
    const char* name;
    int def, min, max;
};

const KeyInfo kKeys[BarSettings::Count] = {
    {"VersionMajor", 2, 0, 255},
    {"VersionMinor", 0, 0, 255},
    {"VersionRevision", 0, 0, 255},
    {"VersionBuild", 0, 0, 255},
    {"DialogTopMost", 1, 0, 1},
    {"DialogTopPos", 0, 0, 1},
    {"DialogTaskTray", 0, 0, 1},
    {"DialogPinFixed", 0, 0, 1},
    {"DialogTitleColorR", 209, 0, 255},
    {"DialogTitleColorG", 225, 0, 255},
    {"DialogTitleColorB", 254, 0, 255},
    {"DialogTransparency", 192, 0, 255},
    {"HotkeyKey", 67, 0, 255},
    {"HotkeyMod", 3, 0, 15},
    {"ModeIndex", 0, 0, 2},
};

}  // namespace

BarSettings::BarSettings() {
    for (int i = 0; i < Count; ++i)
        value[i] = kKeys[i].def;
}

const char* BarSettings::KeyName(Key key) { return kKeys[key].name; }

void BarSettings::Load() {
    for (int i = 0; i < Count; ++i) {
        int v = ProfileReadInt(kBarSection, kKeys[i].name, kKeys[i].def);
        if (v < kKeys[i].min)
            v = kKeys[i].min;
        if (v > kKeys[i].max)
            v = kKeys[i].max;
        value[i] = v;
    }
    for (int i = 0; i < Count; ++i)
        Write(static_cast<Key>(i));
}

bool BarSettings::Write(Key key) const { return ProfileWriteInt(kBarSection, kKeys[key].name, value[key]); }

// Refusals before the bar was made are not its own to tell.
UnsavedSettingsNotice::UnsavedSettingsNotice() : told(ProfileRefusals()) {}

std::string UnsavedSettingsNotice::Take() {
    if (ProfileRefusals() == told)
        return std::string();
    told = ProfileRefusals();
    return "Error: 設定を保存できません（" + ProfileFile() + "）。設定はこのPavraを終了するまで有効です";
}
