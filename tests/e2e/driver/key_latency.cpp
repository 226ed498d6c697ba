#include "key_latency.h"

#include "controls.h"
#include "keyboard.h"
#include "wait.h"

#include <algorithm>

namespace e2e {

KeyTimes TimeKeys(HWND line, const std::function<bool()>& busy, int intervalMs, size_t maxKeys) {
    KeyTimes times;
    const long start = std::max(0L, WindowTextLength(line));
    double next = NowMs();
    while (times.typed.size() < maxKeys) {
        const bool busyNow = busy();
        while (NowMs() < next)
            Sleep(1);
        next += intervalMs;
        const char key = static_cast<char>('a' + times.typed.size() % 26);
        const double sent = NowMs();
        if (!TypeText(std::string(1, key)))
            break;
        times.typed += key;
        const long want = start + static_cast<long>(times.typed.size());
        if (!WaitUntil([&] { return WindowTextLength(line) >= want; })) {
            times.ms.clear();
            break;
        }
        times.ms.push_back(NowMs() - sent);
        times.whileBusy += busyNow;
        if (!busyNow)
            break;
    }
    return times;
}

KeySummary Summarize(std::vector<double> ms) {
    KeySummary summary;
    if (ms.empty())
        return summary;
    std::sort(ms.begin(), ms.end());
    summary.median = ms[ms.size() / 2];
    summary.p95 = ms[(ms.size() * 95 + 99) / 100 - 1];
    summary.max = ms.back();
    return summary;
}

}  // namespace e2e
