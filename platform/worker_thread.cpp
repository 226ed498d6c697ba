#include "platform/worker_thread.h"

#include <process.h>

#include <memory>

WorkerThread::~WorkerThread() { Join(INFINITE); }

bool WorkerThread::Start(std::function<void()> body) {
    if (handle_)
        return false;
    auto context = std::make_unique<std::function<void()>>(std::move(body));
    // _beginthreadex, not CreateThread: the body uses the C runtime.
    uintptr_t thread = _beginthreadex(nullptr, 0, &WorkerThread::Run, context.get(), 0, nullptr);
    if (!thread)
        return false;
    context.release();
    handle_.Reset(reinterpret_cast<HANDLE>(thread));
    return true;
}

bool WorkerThread::Join(DWORD milliseconds) {
    if (!handle_)
        return true;
    if (WaitForSingleObject(handle_.Get(), milliseconds) != WAIT_OBJECT_0)
        return false;
    handle_.Reset();
    return true;
}

bool WorkerThread::IsRunning() const {
    return handle_ && WaitForSingleObject(handle_.Get(), 0) == WAIT_TIMEOUT;
}

unsigned __stdcall WorkerThread::Run(void* context) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(context));
    (*body)();
    return 0;
}
