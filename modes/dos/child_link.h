// The link to a long-lived command interpreter child: its two pipes, its start and restart, the
// writer thread that feeds it one command line at a time, and the reader thread that turns its
// output into history pairs and window text.
//
// The reader never waits for the user-interface thread: it adds output under outputLock and posts
// one "output ready" note to the window, which copies what is new under the lock and shows it
// outside it. While output keeps coming the window fetches it on its own timer and no note is
// posted, so a flood reaches the window in a few batches a second, appended, never re-sent whole;
// a batch is bounded so that the window stays live and the bar responsive.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/process.h"
#include "platform/worker_thread.h"

class CommandHistory;
struct LinkState;

class ChildLink {
public:
    ChildLink();
    ~ChildLink();
    ChildLink(const ChildLink&) = delete;
    ChildLink& operator=(const ChildLink&) = delete;

    // The interpreter program, "cmd.exe" unless set before OpenLink.
    void SetInterpreter(const std::string& program) { interpreter_ = program; }
    static std::string BuildCommandLine(const std::string& program, const std::string& directory,
                                        const std::string& script);

    // Creates the pipes, starts the child and the two threads. Once per run; window may be null.
    void OpenLink(HWND window, CommandHistory* history, const std::string& directory,
                  const std::string& script);
    bool IsOpen() const { return static_cast<bool>(shared_); }
    bool IsChildRunning() const;
    // The last started child's process id (0 before a start).
    DWORD ChildProcessId() const;
    // Starts a new child on the same pipes, and a new reader if the last one has ended.
    void RestartChild(const std::string& directory, const std::string& script);
    // Queues one command line; a child that is not running drops it.
    void SendCommand(const std::string& text);
    std::string CopyPendingCommand() const;

    // Shows the running command's whole output in the window (from its start, in batches).
    void DeliverOutput();
    // Hands the window the next batch of at most limit bytes; the window calls it on the ready
    // note. True when it handed something: the window then comes back on its own, and no note is
    // posted until a call finds nothing new.
    bool DeliverNewOutput(size_t limit);
    // The window now shows something else (a history entry); the next delivery replaces it.
    void ForgetWindowText();
    void SetWindow(HWND window);

    // Asks the child to exit, ends one that does not within a moment, and joins both threads;
    // well within a second whatever the child is doing.
    void CloseLink();

private:
    void StartChild(const std::string& directory, const std::string& script);
    void StartReader();

    // The user-interface thread's own: the program to start, the running child (only this
    // thread starts, waits for and ends it), and what the window shows.
    std::string interpreter_ = "cmd.exe";
    ChildProcess child_;
    enum class WindowShows {
        Nothing,  // nothing worth keeping: the next delivery replaces it whole
        Output,   // the output of start windowStarts_, up to windowLength_
        Other,    // a history entry or the echo of "exit", replaced once output passes
                  // windowStarts_ and windowLength_
    };
    WindowShows windowShows_ = WindowShows::Nothing;
    unsigned windowStarts_ = 0;
    size_t windowLength_ = 0;

    // What the reader and the writer share with this thread (see child_link.cpp).
    std::shared_ptr<LinkState> shared_;
    WorkerThread reader_;
    WorkerThread writer_;
};
