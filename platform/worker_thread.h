// Owner of one worker thread. The owner stops the thread by its own means (a flag, a wake-up)
// and then waits for it; a thread is never killed. A thread that has not ended within the wait
// can be let go with Detach, provided everything it touches is kept alive by the thread itself.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/handles.h"

class WorkerThread {
public:
    WorkerThread() = default;
    // Waits for a thread that was neither joined nor let go.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts body on a new thread; false when the platform refuses (or one is still owned).
    bool Start(std::function<void()> body);
    // Waits up to milliseconds for the thread to end; true when it has ended (or there is none).
    // An ended thread is released.
    bool Join(DWORD milliseconds);
    bool IsRunning() const;
    bool IsStarted() const { return static_cast<bool>(handle_); }
    // Gives up ownership of a thread that is still running.
    void Detach() { handle_.Reset(); }

private:
    static unsigned __stdcall Run(void* context);

    CHandle handle_;
};
