#include "wait.h"

#include <windows.h>

namespace e2e {

double NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool WaitUntil(const std::function<bool()>& predicate, int ms) {
    const double end = NowMs() + ms;
    for (;;) {
        if (predicate())
            return true;
        if (NowMs() >= end)
            return predicate();
        Sleep(2);
    }
}

}  // namespace e2e
