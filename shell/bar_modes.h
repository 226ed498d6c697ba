// The bar's input modes: they are made, loaded and initialised here, and here the bar keeps which
// one is current and which one was current before it. What a switch does to the window (the
// lines, the mode list, the caption) is the bar's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/mode_list.h"

class BarModes {
public:
    using Factory = ModeList (*)();
    explicit BarModes(Factory modeFactory);

    // Every mode's settings are loaded, then all written back, so that the file holds every key;
    // then each mode is initialised with owner as its window.
    void CreateAndLoad(HWND owner);
    // The stored mode: it becomes current and previous at once. Null when it names no mode.
    CpavraModeBase* Start(int index);
    // Null when no mode is current.
    CpavraModeBase* Current() const;
    // The mode list's way: the entered mode is handed the input too, so the typed text is carried
    // over. The entered mode, or null.
    CpavraModeBase* Switch(int index, const std::string& input);
    // The next mode, the first after the last; it shows the input it had kept. Nothing without a
    // current mode.
    CpavraModeBase* Next(const std::string& input);
    // In mode order.
    std::vector<std::string> Names() const;
    std::vector<std::string> Captions() const;
    // The current mode is left with input, then every mode shuts down and goes.
    void Shutdown(const std::string& input);

    // The keys read these at each use.
    const int& CurrentIndex() const { return current; }
    const int& PreviousIndex() const { return previous; }

private:
    Factory factory;
    ModeList modes;
    int current = -1;
    int previous = -1;
};
