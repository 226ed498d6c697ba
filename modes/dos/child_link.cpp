#include "modes/dos/child_link.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <utility>

#include "modes/dos/command_history.h"
#include "modes/dos/output_messages.h"
#include "platform/cp932.h"
#include "platform/lock.h"
#include "platform/process.h"

namespace {

const DWORD kReadSize = 4095;
// The child has answered a line when, after taking it up, its output rests on an open line (a
// prompt) for this long...
const DWORD kPromptQuietMs = 25;
// ...or when it has been quiet this long since the line was written (echo off, a silent command).
const DWORD kAnswerWaitMs = 300;
// How often a held line looks again whether the child has read the previous one.
const DWORD kHeldLinePollMs = 10;
// How long "exit" waits for the child to read a line it has not read yet.
const DWORD kExitLineWaitMs = 100;
// How long a closing link gives the child to end after its "exit". A child busy with a command
// of its own (a long loop) reads no input until the command ends; it is ended here.
const DWORD kExitGraceMs = 150;
const DWORD kJoinPollMs = 5;

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The bytes of the character at text[at], or 0 for a lead byte at the very end: its second byte
// may be still to come.
size_t CharBytesSoFar(const std::string& text, size_t at) {
    if (at + 1 == text.size() && IsCp932LeadByte(static_cast<unsigned char>(text[at])))
        return 0;
    return Cp932CharBytes(text.data(), text.size(), at);
}

// Where a batch for the window that starts at from and takes at most limit bytes ends. All that
// waits when it fits, but never half a double-byte character; when it does not fit, after the
// last line end in reach, else after the last whole character.
size_t BatchEnd(const std::string& text, size_t from, size_t limit) {
    size_t reach = text.size() - from <= limit ? text.size() : from + limit;
    size_t lastLineEnd = std::string::npos;
    size_t boundary = from;
    size_t i = from;
    while (i < reach) {
        if (text[i] == '\n')
            lastLineEnd = i + 1;
        size_t bytes = CharBytesSoFar(text, i);
        if (bytes == 0)
            break;
        i += bytes;
        if (i <= reach)
            boundary = i;
    }
    if (reach == text.size())
        return boundary;
    if (lastLineEnd != std::string::npos)
        return lastLineEnd;
    return boundary > from ? boundary : std::min(text.size(), from + 2);
}

// Reads what waits in a pipe without ever blocking.
void DrainPipe(HANDLE readEnd) {
    char buffer[kReadSize];
    DWORD waiting = 0;
    while (PipeBytesWaiting(readEnd, waiting) && waiting > 0) {
        DWORD got = 0;
        if (!ReadFile(readEnd, buffer, waiting < kReadSize ? waiting : kReadSize, &got, nullptr))
            return;
    }
}

// Every line end becomes CR LF; a lone CR stays. endedInCR carries the last byte's CR over to the
// next read, so a CR LF split between two reads stays one line end. NUL bytes carry nothing and
// are dropped (the window takes NUL-terminated text).
std::string NormalizeOutput(const char* data, size_t size, bool& endedInCR) {
    std::string text;
    text.reserve(size + size / 8);
    for (size_t i = 0; i < size; ++i) {
        char c = data[i];
        if (c == '\0')
            continue;
        if (c == '\n' && !endedInCR)
            text += '\r';
        text += c;
        endedInCR = c == '\r';
    }
    return text;
}

}  // namespace

// What the user-interface thread shares with the reader and the writer. Each thread holds it too,
// so a thread that ends after the link has let go never touches freed memory.
struct LinkState {
    // Made by OpenLink before the threads start and kept, unchanged, until the last holder lets
    // go: the child writes output.write and the reader reads output.read; the writer writes
    // input.write and the child reads input.read.
    PipeEnds output;
    PipeEnds input;
    CHandle writerWake;  // set by the other two threads when the writer has something to do

    // outputLock guards every field down to the history; it is held only to look and change,
    // never across a pipe write, a window message or the history's own lock.
    CriticalSection outputLock;

    // The output, written by the reader, copied by the window (ChildLink::DeliverNewOutput).
    std::string accumulatedOutput;  // since the running command was taken up
    unsigned outputStarts = 0;      // counts the fresh starts of accumulatedOutput
    std::string loneText;           // the echo of "exit", to be shown alone; empty when none
    bool outputEndsOpen = false;    // its last piece did not end its line: a prompt, a question
    DWORD lastChunkTick = 0;        // when the last piece came
    HWND window = nullptr;          // set by the user-interface thread
    bool readyPosted = false;       // a ready note is posted, or the window comes back on its own

    // The commands: queued by the user-interface thread, written and claimed by the writer,
    // taken up by the reader when the child's answer begins.
    std::deque<std::string> heldLines;
    bool pendingFlag = false;
    std::string pendingCommand;

    // Each start of a child, handed from the user-interface thread to the writer, which
    // watches the child with this handle of its own.
    struct ChildStart {
        CHandle process;  // none when the start failed
        DWORD error = 0;
    } start;
    bool startWaiting = false;
    // Set by the writer: the child has ended and its notice, if any, is in the output pipe.
    bool childEnded = false;
    // Set by the reader as it ends of itself (the child ended and all it left is read).
    bool readerDone = true;

    // Set once, by CloseLink; the reader drains until wakeWritten (the closer's byte is in).
    std::atomic<bool> closing{false};
    std::atomic<bool> wakeWritten{false};

    // attachLock guards history, which the reader appends to; it is never held with outputLock.
    CriticalSection attachLock;
    CommandHistory* history = nullptr;

    // outputLock held.
    void NotifyWindow() {
        if (window && !readyPosted && PostMessageA(window, kOutputReadyMessage, 0, 0))
            readyPosted = true;
    }

    void AddOutput(const std::string& text) {
        LockGuard lock(outputLock);
        accumulatedOutput += text;
        loneText.clear();
        NotifyWindow();
    }

    // outputLock held.
    void NoteChunk(const std::string& chunk) {
        if (chunk.empty())
            return;
        lastChunkTick = GetTickCount();
        outputEndsOpen = chunk.back() != '\n';
    }

    // outputLock held. The child must have read the last line, leaving nothing in the pipe: an
    // interpreter that reads several lines at once may run only the first (Wine's cmd.exe does).
    // Waiting for its answer as well keeps each line's output with its own history pair.
    bool CanWriteNextLine(DWORD lastLineTick) {
        DWORD waiting = 0;
        if (PipeBytesWaiting(input.read.Get(), waiting) && waiting > 0)
            return false;
        DWORD now = GetTickCount();
        DWORD quiet = now - lastChunkTick;
        if (!pendingFlag && outputEndsOpen && quiet >= kPromptQuietMs)
            return true;
        return now - lastLineTick >= kAnswerWaitMs && quiet >= kAnswerWaitMs;
    }

    // True when the reader ends: the child has ended and all it left is read, its notice
    // included. Decided under the lock, so that a new start either sees the reader done or
    // keeps it.
    bool ReaderEnds() {
        LockGuard lock(outputLock);
        DWORD waiting = 0;
        if (!childEnded || (PipeBytesWaiting(output.read.Get(), waiting) && waiting > 0))
            return false;
        readerDone = true;
        return true;
    }

    void AppendToHistory(std::string command, std::string output) {
        LockGuard lock(attachLock);
        if (history)
            history->Append(std::move(command), std::move(output));
    }
};

namespace {

// One read, cleaned. False when the reader must stop. A read that delivers nothing, or only NUL
// bytes, is repeated when repeatEmpty is set.
bool ReadChunk(LinkState& s, bool repeatEmpty, bool& endedInCR, std::string& chunk) {
    char buffer[kReadSize + 1];
    for (;;) {
        DWORD got = 0;
        BOOL ok = ReadFile(s.output.read.Get(), buffer, kReadSize, &got, nullptr);
        if (s.closing.load() || !ok)
            return false;
        chunk = NormalizeOutput(buffer, got, endedInCR);
        if (!chunk.empty() || !repeatEmpty)
            return true;
    }
}

// The link is closing: keep the pipe drained until the closer's wake-up byte is surely written,
// so that its write can never block on a full pipe.
void DrainUntilWoken(LinkState& s) {
    while (!s.wakeWritten.load()) {
        DrainPipe(s.output.read.Get());
        Sleep(1);
    }
}

void RunReader(LinkState& s) {
    std::string expectedEcho;
    std::string runningCommand;
    bool endedInCR = false;
    {
        LockGuard lock(s.outputLock);
        s.accumulatedOutput.clear();
        ++s.outputStarts;
    }
    std::string chunk;
    while (ReadChunk(s, true, endedInCR, chunk)) {
        bool started = false;
        std::string finished;
        {
            LockGuard lock(s.outputLock);
            s.NoteChunk(chunk);
            if (s.pendingFlag) {
                s.pendingFlag = false;
                expectedEcho = s.pendingCommand;
                started = true;
                finished = std::move(s.accumulatedOutput);
                s.accumulatedOutput.clear();
                ++s.outputStarts;
            }
        }
        if (!started) {
            s.AddOutput(chunk);
        } else {
            SetEvent(s.writerWake.Get());
            s.AppendToHistory(std::move(runningCommand), std::move(finished));
            runningCommand = expectedEcho;
            if (StartsWith(chunk, "exit") && StartsWith(expectedEcho, "exit")) {
                // The echo of "exit": shown alone, the child is about to end.
                LockGuard lock(s.outputLock);
                s.loneText = chunk;
                s.NotifyWindow();
            } else if (chunk == expectedEcho) {
                // The whole echo: shown together with the output that follows.
                LockGuard lock(s.outputLock);
                s.accumulatedOutput = chunk;
            } else if (StartsWith(expectedEcho, chunk)) {
                std::string rest;
                bool more = ReadChunk(s, false, endedInCR, rest);
                {
                    LockGuard lock(s.outputLock);
                    s.NoteChunk(rest);
                }
                s.AddOutput(chunk + rest);
                if (!more)
                    break;
            } else {
                // No echo (an interpreter that does not echo piped input), or the echo and the
                // output in one read: it is all output.
                s.AddOutput(chunk);
            }
        }
        if (s.ReaderEnds())
            return;
    }
    if (s.closing.load()) {
        DrainUntilWoken(s);
        return;
    }
    LockGuard lock(s.outputLock);
    s.readerDone = true;
}

// The interpreter's own "exit", in any case, alone or with its arguments.
bool IsExitLine(const std::string& line) {
    if (line.size() < 4 ||
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.data(), 4, "exit", 4) != CSTR_EQUAL)
        return false;
    return line.size() == 4 || line[4] == ' ' || line[4] == '\r' || line[4] == '\t' || line[4] == '/';
}

// The line the window shows when a child did not start (error) or ended without the user's "exit"
// (its exit code): on a line of its own, so it never runs into a prompt.
std::string ChildEndNotice(bool failedStart, DWORD code, bool lineOpen) {
    char text[200];
    if (failedStart)
        wsprintfA(text,
                  "［コマンドプロンプトを起動できませんでした（エラー "
                  "%lu）。次にこのモードに切り替えたときに、もう一度起動します］",
                  code);
    else
        wsprintfA(text,
                  code < 0x10000 ? "［コマンドプロンプトが終了しました（終了コード "
                                   "%lu）。次にこのモードに切り替えたときに、もう一度起動します］"
                                 : "［コマンドプロンプトが終了しました（終了コード "
                                   "0x%08lX）。次にこのモードに切り替えたときに、もう一度起動します］",
                  code);
    return std::string(lineOpen ? "\r\n" : "") + text + "\r\n";
}

// The writer: writes each held line when the child is ready for it, watches each child, and tells
// the window, through the output pipe (so after all that the child wrote), of a child that did
// not start or ended without the user's "exit". Closing, it asks a running child to exit.
void RunWriter(LinkState& s) {
    CHandle watched;           // this thread's own handle of the current child
    DWORD startError = 0;      // the current start failed with this error
    bool settled = true;       // the current child's failure or end is dealt with
    bool exitWritten = false;  // the user's "exit" went to the current child
    DWORD lastLineTick = 0;
    for (;;) {
        std::string line;
        std::string notice;
        DWORD wait = INFINITE;
        {
            LockGuard lock(s.outputLock);
            if (s.closing.load())
                break;
            if (s.startWaiting) {
                s.startWaiting = false;
                watched = std::move(s.start.process);
                startError = s.start.error;
                settled = false;
                exitWritten = false;
                // The first line waits for the start-up prompt as for an answer.
                lastLineTick = GetTickCount();
            }
            if (!settled && (startError || !IsProcessRunning(watched.Get()))) {
                DWORD code = startError;
                if (!startError)
                    GetExitCodeProcess(watched.Get(), &code);
                watched.Reset();
                settled = true;
                if (startError || !exitWritten)
                    notice = ChildEndNotice(startError != 0, code, s.outputEndsOpen);
                else
                    s.childEnded = true;
            }
            if (!s.heldLines.empty()) {
                if (!watched) {
                    s.heldLines.clear();
                } else if (s.CanWriteNextLine(lastLineTick)) {
                    line = std::move(s.heldLines.front());
                    s.heldLines.pop_front();
                    // Claim the pending slot; a line not yet taken up keeps it.
                    if (!s.pendingFlag) {
                        s.pendingCommand = line;
                        s.pendingFlag = true;
                    }
                    lastLineTick = GetTickCount();
                    if (IsExitLine(line))
                        exitWritten = true;
                } else {
                    wait = kHeldLinePollMs;
                }
            }
        }
        if (!notice.empty()) {
            // Through the output pipe: the reader shows it after all that the child wrote.
            WriteAll(s.output.write.Get(), notice.data(), notice.size());
            LockGuard lock(s.outputLock);
            // A child started meanwhile is the reader's now.
            if (!s.startWaiting)
                s.childEnded = true;
        } else if (!line.empty()) {
            WriteAll(s.input.write.Get(), line.data(), line.size());
        } else {
            HANDLE waits[2] = {s.writerWake.Get(), watched.Get()};
            WaitForMultipleObjects(watched ? 2 : 1, waits, FALSE, wait);
        }
    }
    if (!IsProcessRunning(watched.Get()))
        return;
    // "exit" arriving in one read with an unread line would be lost: give the child a moment.
    DWORD start = GetTickCount();
    DWORD waiting = 0;
    while (PipeBytesWaiting(s.input.read.Get(), waiting) && waiting > 0 &&
           GetTickCount() - start < kExitLineWaitMs)
        Sleep(5);
    static const char kExitLine[] = "exit\r\n";
    WriteAll(s.input.write.Get(), kExitLine, sizeof kExitLine - 1);
}

}  // namespace

ChildLink::ChildLink() = default;

ChildLink::~ChildLink() { CloseLink(); }

std::string ChildLink::BuildCommandLine(const std::string& program, const std::string& directory,
                                        const std::string& script) {
    std::string line = program + " /k \"cd /d ";
    line += directory.empty() ? std::string("%USERPROFILE%") : directory;
    if (!script.empty())
        line += " && " + script;
    line += '"';
    return line;
}

void ChildLink::OpenLink(HWND window, CommandHistory* history, const std::string& directory,
                         const std::string& script) {
    if (shared_)
        return;
    auto shared = std::make_shared<LinkState>();
    // The child inherits only its own ends; the parent keeps all four open until CloseLink, so
    // the output pipe never reports its end while the program runs.
    bool pipes = CreatePipeEnds(shared->output, false, true) && CreatePipeEnds(shared->input, true, false);
    shared->writerWake.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    shared->window = window;
    shared->history = history;
    shared_ = shared;
    if (!pipes || !shared->writerWake)
        return;
    StartChild(directory, script);
    StartReader();
    writer_.Start([shared] { RunWriter(*shared); });
}

bool ChildLink::IsChildRunning() const { return shared_ && IsProcessRunning(child_.process.Get()); }

DWORD ChildLink::ChildProcessId() const { return child_.processId; }

void ChildLink::RestartChild(const std::string& directory, const std::string& script) {
    if (!shared_ || !shared_->output.read)
        return;
    StartChild(directory, script);
    bool readerDone;
    {
        LockGuard lock(shared_->outputLock);
        readerDone = shared_->readerDone;
    }
    if (readerDone)
        StartReader();
}

void ChildLink::StartChild(const std::string& directory, const std::string& script) {
    LinkState& s = *shared_;
    ChildProcess child;
    DWORD error = 0;
    HANDLE watched = nullptr;
    if (!StartHiddenProcess(BuildCommandLine(interpreter_, directory, script), s.input.read.Get(),
                            s.output.write.Get(), s.output.write.Get(), child))
        error = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
    else if (!DuplicateHandle(GetCurrentProcess(), child.process.Get(), GetCurrentProcess(), &watched, 0,
                              FALSE, DUPLICATE_SAME_ACCESS))
        watched = nullptr;
    child.thread.Reset();
    // The ended child's handles go here.
    child_ = std::move(child);
    {
        LockGuard lock(s.outputLock);
        s.start.process.Reset(watched);
        s.start.error = watched || error ? error : ERROR_GEN_FAILURE;
        s.startWaiting = true;
        s.childEnded = false;
        s.heldLines.clear();
        s.outputEndsOpen = false;
        s.lastChunkTick = GetTickCount();
    }
    // The writer watches the new child, or tells the window that it did not start.
    SetEvent(s.writerWake.Get());
}

void ChildLink::StartReader() {
    // The last reader has ended of itself (readerDone): only its return is left to wait for.
    reader_.Join(INFINITE);
    auto shared = shared_;
    {
        LockGuard lock(shared->outputLock);
        shared->readerDone = false;
    }
    if (!reader_.Start([shared] { RunReader(*shared); })) {
        LockGuard lock(shared->outputLock);
        shared->readerDone = true;
    }
}

void ChildLink::SendCommand(const std::string& text) {
    if (!shared_ || !IsProcessRunning(child_.process.Get()))
        return;
    {
        LockGuard lock(shared_->outputLock);
        if (shared_->readerDone)
            return;
        shared_->heldLines.push_back(text + "\r\n");
    }
    SetEvent(shared_->writerWake.Get());
}

std::string ChildLink::CopyPendingCommand() const {
    if (!shared_)
        return std::string();
    LockGuard lock(shared_->outputLock);
    return shared_->pendingCommand;
}

void ChildLink::DeliverOutput() {
    if (!shared_)
        return;
    HWND window;
    windowShows_ = WindowShows::Nothing;
    {
        LockGuard lock(shared_->outputLock);
        window = shared_->window;
        shared_->loneText.clear();
        shared_->readyPosted = true;
    }
    if (window)
        SendMessageA(window, kOutputReadyMessage, 0, 0);
}

bool ChildLink::DeliverNewOutput(size_t limit) {
    if (!shared_)
        return false;
    LinkState& s = *shared_;
    std::string text;
    UINT message = 0;
    HWND window;
    {
        LockGuard lock(s.outputLock);
        window = s.window;
        const std::string& output = s.accumulatedOutput;
        if (!s.loneText.empty()) {
            text = std::move(s.loneText);
            s.loneText.clear();
            message = kSetOutputMessage;
            windowShows_ = WindowShows::Other;
            windowStarts_ = s.outputStarts;
            windowLength_ = output.size();
        } else if (windowShows_ != WindowShows::Output || windowStarts_ != s.outputStarts) {
            // Something else stays until output comes after what was there when it was shown.
            if (windowShows_ != WindowShows::Other || windowStarts_ != s.outputStarts ||
                output.size() > windowLength_) {
                message = kSetOutputMessage;
                windowShows_ = WindowShows::Output;
                windowStarts_ = s.outputStarts;
                windowLength_ = 0;
            }
        } else if (windowLength_ < output.size()) {
            message = kAppendOutputMessage;
        }
        if (message && windowShows_ == WindowShows::Output) {
            size_t end = BatchEnd(output, windowLength_, limit);
            // A first byte held back for its second one comes with the next read.
            if (end == windowLength_ && message == kAppendOutputMessage)
                message = 0;
            text.assign(output, windowLength_, end - windowLength_);
            windowLength_ = end;
        }
        s.readyPosted = message != 0;
    }
    if (window && message)
        SendMessageA(window, message, reinterpret_cast<WPARAM>(text.c_str()), 0);
    return message != 0;
}

void ChildLink::ForgetWindowText() {
    if (!shared_)
        return;
    LockGuard lock(shared_->outputLock);
    windowShows_ = WindowShows::Other;
    windowStarts_ = shared_->outputStarts;
    windowLength_ = shared_->accumulatedOutput.size();
}

void ChildLink::SetWindow(HWND window) {
    windowShows_ = WindowShows::Nothing;
    if (!shared_)
        return;
    LockGuard lock(shared_->outputLock);
    shared_->window = window;
    shared_->readyPosted = false;
}

void ChildLink::CloseLink() {
    if (!shared_)
        return;
    LinkState& s = *shared_;
    {
        LockGuard lock(s.outputLock);
        s.heldLines.clear();
        s.closing = true;
    }
    // The writer asks a running child to exit. One busy with a command of its own (a long loop)
    // reads no input until that ends, and goes with the program.
    SetEvent(s.writerWake.Get());
    HANDLE process = child_.process.Get();
    if (process && WaitForSingleObject(process, kExitGraceMs) == WAIT_TIMEOUT)
        TerminateProcess(process, 1);
    // A line the child has stopped reading may hold the writer in its write: what waits in the
    // input pipe is taken away until the writer has ended.
    while (!writer_.Join(kJoinPollMs))
        DrainPipe(s.input.read.Get());

    bool readerAlive;
    {
        LockGuard lock(s.outputLock);
        readerAlive = !s.readerDone;
    }
    if (readerAlive) {
        // One byte wakes a reader that waits on the pipe; the reader drains until it is written.
        const char wake = '\n';
        WriteAll(s.output.write.Get(), &wake, 1);
        s.wakeWritten = true;
    }
    reader_.Join(INFINITE);
    child_ = ChildProcess();
    windowShows_ = WindowShows::Nothing;
    shared_.reset();
}
