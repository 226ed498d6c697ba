// The bar's own section of the settings file ("pavra"): fifteen clamped integers.
#pragma once

#include <string>

struct BarSettings {
    // In the order of the file's keys.
    enum Key {
        VersionMajor,
        VersionMinor,
        VersionRevision,
        VersionBuild,
        DialogTopMost,
        DialogTopPos,
        DialogTaskTray,
        DialogPinFixed,
        DialogTitleColorR,
        DialogTitleColorG,
        DialogTitleColorB,
        DialogTransparency,
        HotkeyKey,
        HotkeyMod,
        ModeIndex,
        Count
    };

    BarSettings();  // every value at its default

    int& operator[](Key key) { return value[key]; }
    int operator[](Key key) const { return value[key]; }

    // Reads every key with its default and clamp, then writes all fifteen back.
    void Load();
    // Writes one value now; false when the file cannot be written (the value stays in memory).
    bool Write(Key key) const;

    static const char* KeyName(Key key);

    int value[Count];
};

extern const char kBarSection[];

// A settings file that refuses writes is told once, and again only after a write went through in
// between; the bar runs on with the values it holds.
class UnsavedSettingsNotice {
public:
    UnsavedSettingsNotice();
    // The answer line's text when the file began refusing writes since the last call; else empty.
    std::string Take();

private:
    unsigned told;
};
