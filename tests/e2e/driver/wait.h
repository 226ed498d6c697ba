// Waiting without fixed sleeps: poll a condition until it holds or the time is up.
#pragma once

#include <functional>

namespace e2e {

// Generous: a loaded machine running Wine can be slow, a passing test never waits this long.
constexpr int kWaitMs = 10000;

// Polls predicate every few milliseconds; true as soon as it holds, false after ms.
bool WaitUntil(const std::function<bool()>& predicate, int ms = kWaitMs);

// Milliseconds from an arbitrary start, with sub-millisecond resolution.
double NowMs();

}  // namespace e2e
