// The process, pipe and thread wrappers the command-prompt link is built on.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "platform/lock.h"
#include "platform/process.h"
#include "platform/worker_thread.h"

namespace {

bool Inheritable(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) && (flags & HANDLE_FLAG_INHERIT);
}

}  // namespace

TEST(DosPlatformPipe, OnlyTheEndsAskedForAreInheritable) {
    struct {
        bool read;
        bool write;
    } cases[] = {{true, false}, {false, true}, {false, false}};
    for (const auto& c : cases) {
        PipeEnds ends;
        ASSERT_TRUE(CreatePipeEnds(ends, c.read, c.write));
        EXPECT_EQ(Inheritable(ends.read.Get()), c.read);
        EXPECT_EQ(Inheritable(ends.write.Get()), c.write);
    }
}

TEST(DosPlatformPipe, CountsWaitingBytesAndCarriesThem) {
    PipeEnds ends;
    ASSERT_TRUE(CreatePipeEnds(ends, false, false));
    DWORD waiting = 99;
    ASSERT_TRUE(PipeBytesWaiting(ends.read.Get(), waiting));
    EXPECT_EQ(waiting, 0u);
    ASSERT_TRUE(WriteAll(ends.write.Get(), "dir\r\n", 5));
    ASSERT_TRUE(PipeBytesWaiting(ends.read.Get(), waiting));
    EXPECT_EQ(waiting, 5u);
    char buffer[8] = "";
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(ends.read.Get(), buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(std::string(buffer, got), "dir\r\n");
}

TEST(DosPlatformProcess, AProgramThatCannotStartIsNotRunning) {
    PipeEnds ends;
    ASSERT_TRUE(CreatePipeEnds(ends, true, true));
    ChildProcess child;
    EXPECT_FALSE(StartHiddenProcess("no_such_program_pavra.exe", ends.read.Get(), ends.write.Get(),
                                    ends.write.Get(), child));
    EXPECT_FALSE(IsProcessRunning(child.process.Get()));
}

TEST(DosPlatformThread, JoinWaitsOnlyAsLongAsAsked) {
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> ran{false};
    WorkerThread thread;
    ASSERT_TRUE(thread.Start([&] {
        WaitForSingleObject(release, INFINITE);
        ran = true;
    }));
    // One thread per owner at a time.
    EXPECT_FALSE(thread.Start([] {}));
    EXPECT_TRUE(thread.IsRunning());
    EXPECT_FALSE(thread.Join(20));
    SetEvent(release);
    EXPECT_TRUE(thread.Join(5000));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(thread.IsStarted());
    // Released, the owner takes the next thread.
    EXPECT_TRUE(thread.Start([] {}));
    EXPECT_TRUE(thread.Join(5000));
    CloseHandle(release);
}

TEST(DosPlatformLock, GuardsAcrossThreads) {
    CriticalSection section;
    long counter = 0;
    auto add = [&] {
        for (int i = 0; i < 100000; ++i) {
            LockGuard lock(section);
            counter = counter + 1;
        }
    };
    WorkerThread a;
    WorkerThread b;
    ASSERT_TRUE(a.Start(add));
    ASSERT_TRUE(b.Start(add));
    ASSERT_TRUE(a.Join(30000));
    ASSERT_TRUE(b.Join(30000));
    EXPECT_EQ(counter, 200000);
}
