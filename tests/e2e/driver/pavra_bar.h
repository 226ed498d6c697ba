// The real pavra.exe, driven the way a user drives it: a copy in a fresh folder, started and
// waited for, typed at with the keyboard, clicked where a click is the user's way, read back
// from its controls and its settings file, and ended. Whatever happens, the process is gone
// when the object is.
#pragma once

#include "app_process.h"
#include "ini_file.h"
#include "test_folder.h"
#include "wait.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr int kStartMs = 20000;

class PavraBar {
public:
    // Makes the folder <work>\<name> afresh and copies pavra.exe into it.
    explicit PavraBar(const std::string& name);
    // The same folder, without the copy: the test puts a program there and names it.
    PavraBar(const std::string& name, const std::string& program);
    ~PavraBar();

    PavraBar(const PavraBar&) = delete;
    PavraBar& operator=(const PavraBar&) = delete;

    // The folder beside the executable: put a pavra.ini or a manual\ folder there before Start.
    TestFolder& Folder() { return folder_; }
    bool WriteIni(const std::string& cp932Text) { return folder_.Write("pavra.ini", cp932Text); }
    std::string IniPath() const { return folder_.File("pavra.ini"); }
    // The settings file as it is now.
    IniFile Ini() const { return IniFile::Load(IniPath()); }

    // Starts the copy and waits until the bar is up: its window "Pavra" visible, the input line
    // focused. Again after the program ended, it starts it anew in the same folder.
    ::testing::AssertionResult Start(int ms = kStartMs);
    // The two halves of Start, for a start that may end otherwise (a message box).
    ::testing::AssertionResult Launch();
    ::testing::AssertionResult WaitReady(int ms = kStartMs);

    AppProcess& Process() { return process_; }
    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    // Another top-level window of the program (a companion window), or null.
    HWND FindWindowByTitle(const std::string& title, const char* className = nullptr) const {
        return process_.FindWindowByTitle(title, className);
    }

    // What the controls show.
    std::string Text(int id) const;
    std::string Title() const;
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != 0; }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != 0; }
    bool Checked(int id) const;
    // The mode list: the selected entry, and every entry.
    int ModeSelection() const;
    std::vector<std::string> Modes() const;
    // Geometry: client size, window on the screen, a control in client coordinates.
    SIZE ClientSize() const;
    RECT WindowRect() const;
    RECT ItemRect(int id) const;
    // Moves the bar the way the desktop does, to x, y with this width (0 keeps it), and waits
    // until it is there.
    ::testing::AssertionResult MoveTo(int x, int y, int width = 0);
    // A visible top-level window of the program with this title, waited for; null when none
    // shows in time.
    HWND WaitWindow(const std::string& title) const;
    // The control that has the keyboard focus (a control id, or 0).
    int FocusId() const;
    // Whether a hidden or minimised bar shows again on this global chord. Wine drops a chord now
    // and then: just after a hide it aligns the modifier keys with the X server, which never saw
    // the sent ones, and fakes their release. So the chord is pressed up to three times; on a bar
    // that is back already it changes nothing.
    bool ComesBackOn(const char* chord) const;

    // Input. Each first makes sure the bar has the foreground.
    ::testing::AssertionResult Foreground();
    ::testing::AssertionResult Type(const std::string& cp932);
    ::testing::AssertionResult Keys(const std::string& chords);
    // Types the line into the input line, waits until it is there, presses Return and waits until
    // the bar answered (the input line or the answer line changed).
    ::testing::AssertionResult Enter(const std::string& line);
    // Empties the input line with End and Backspace, as a user would.
    ::testing::AssertionResult ClearInput();
    // Clicks the centre of a control, or a point in client coordinates.
    ::testing::AssertionResult Click(int id);
    ::testing::AssertionResult ClickAt(int x, int y);

    // Waits until a control shows exactly this text.
    ::testing::AssertionResult WaitText(int id, const std::string& text, int ms = kWaitMs) const;

    // Ends the program as a user does, in any mode: Ctrl+X Ctrl+C in the input line; waits for it.
    ::testing::AssertionResult Quit();
    // Sends the window a close request and waits for the program to end.
    ::testing::AssertionResult Close();
    bool WaitExit(int ms = kWaitMs) { return process_.WaitExit(ms); }
    // Kills the process from outside.
    void Kill() { process_.Kill(); }

    // A PNG of the program's visible windows under the screenshot folder; returns its path.
    std::string Screenshot(const std::string& name) const;

private:
    TestFolder folder_;
    std::string program_ = "pavra.exe";  // relative to the folder
    bool copied_ = false;
    AppProcess process_;
    HWND window_ = nullptr;
};

// "Suite.Test" of the running test (parameterised names included).
std::string CurrentTestName();

}  // namespace e2e
