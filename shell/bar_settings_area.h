// The settings area under the bar's lines and the three title buttons: the area opens and
// closes, its boxes set the options, and its buttons open the manual and the detailed settings;
// the pin, minimise and close buttons act when the mouse presses them.
#pragma once

#include "shell/bar_settings.h"

class BarFrame;
class BarKeys;
class BarNotices;
class BarTitleStrip;
class BarTray;
class CDialog;

class BarSettingsArea {
public:
    // What a button does to the bar itself.
    class Bar {
    public:
        virtual void FocusInput() const = 0;
        virtual void MinimizeBar() = 0;
        virtual void CloseBar() = 0;

    protected:
        ~Bar() = default;
    };

    BarSettingsArea(const CDialog& owner, Bar& target, BarSettings& barSettings, BarFrame& barFrame,
                    BarTitleStrip& barTitleStrip, BarTray& barTray, BarKeys& barKeys, BarNotices& barNotices);

    // IDC_PIN, IDC_MINIMIZE or IDC_CLOSE.
    void PressTitleButton(int id);
    // The toggle, an option box, the manual or the detailed settings.
    void OnSettingsAreaClick(int id);
    // The keyboard's way in and out of the area.
    void SettingsAreaKey();

    // 1 while the area is open.
    int settingsOpen = 0;

private:
    void ToggleSettingsArea();
    void OnOption(int id);
    void OpenDetailedSettings();

    const CDialog& dialog;
    Bar& bar;
    BarSettings& settings;
    BarFrame& frame;
    BarTitleStrip& titleStrip;
    BarTray& tray;
    BarKeys& keys;
    BarNotices& notices;
};
