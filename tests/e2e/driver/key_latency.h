// How soon the bar shows what its user types while it is busy: a letter typed every interval into
// the window that has the foreground, each timed until a line's text holds it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

struct KeyTimes {
    std::string typed;       // the letters, in order
    std::vector<double> ms;  // for each, the time until the line showed it; empty when one never did
    int whileBusy = 0;       // how many were typed while busy() held
};

// Types a letter every intervalMs into line (which has the keyboard focus) while busy() holds, at
// most maxKeys, and then stops after the first key typed once it no longer holds.
KeyTimes TimeKeys(HWND line, const std::function<bool()>& busy, int intervalMs, size_t maxKeys);

struct KeySummary {
    double median = 0;
    double p95 = 0;
    double max = 0;
};
KeySummary Summarize(std::vector<double> ms);

}  // namespace e2e
