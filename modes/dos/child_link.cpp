#include "modes/dos/child_link.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <utility>

#include "modes/dos/command_history.h"
#include "modes/dos/output_messages.h"
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
const DWORD kChildExitWaitMs = 50;
const DWORD kExitLineWaitMs = 100;
const DWORD kWriterStopWaitMs = 500;
const DWORD kReaderStopWaitMs = 1000;

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Where a batch for the window that starts at from and takes at most limit bytes ends. All that
// waits when it fits, but never half a double-byte character (its second byte may be still to
// come); when it does not fit, after the last line end in reach, else after the last whole
// character.
size_t BatchEnd(const std::string& text, size_t from, size_t limit) {
    size_t reach = text.size() - from <= limit ? text.size() : from + limit;
    size_t lastLineEnd = std::string::npos;
    size_t boundary = from;
    size_t i = from;
    while (i < reach) {
        if (text[i] == '\n')
            lastLineEnd = i + 1;
        i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
        if (i <= reach)
            boundary = i;
    }
    if (reach == text.size())
        return boundary;
    if (lastLineEnd != std::string::npos)
        return lastLineEnd;
    return boundary > from ? boundary : std::min(text.size(), from + 2);
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

// What the link shares with its two threads. Each thread holds it too, so a thread that outlives
// CloseLink never touches freed memory.
struct LinkState {
    PipeEnds output;  // the child writes output.write; the reader reads output.read
    PipeEnds input;   // the child reads input.read; the writer writes input.write
    CHandle writerWake;

    CriticalSection outputLock;
    // Guarded by outputLock.
    ChildProcess child;
    bool pendingFlag = false;
    std::string pendingCommand;
    std::string accumulatedOutput;
    unsigned outputEpoch = 0;  // counts the fresh starts of accumulatedOutput
    std::string loneText;      // a chunk shown alone, kept out of the output ("exit")
    bool loneTextWaiting = false;
    HWND window = nullptr;
    bool readyPosted = false;    // a ready note is posted, or the window comes back on its own
    bool windowCurrent = false;  // the window holds accumulatedOutput of windowEpoch...
    unsigned windowEpoch = 0;
    size_t windowLength = 0;  // ...up to this length
    // The window shows something else (a history entry, the echo of "exit"), to be replaced only
    // when output comes after accumulatedOutput of this epoch and length.
    bool windowElsewhere = false;
    unsigned elsewhereEpoch = 0;
    size_t elsewhereLength = 0;
    std::deque<std::string> heldLines;
    bool lineTakenUp = true;
    DWORD lastLineTick = 0;
    DWORD lastChunkTick = 0;
    bool outputEndsOpen = false;  // the last output did not end its line: a prompt, a question
    bool readerDone = true;
    unsigned childGeneration = 0;       // counts the starts
    DWORD startError = 0;               // the last start failed with this error
    unsigned reportedGeneration = 0;    // the start whose failure or end the window was told of
    unsigned exitLineGeneration = 0;    // the start to which the user's "exit" was written
    unsigned noticeDoneGeneration = 0;  // ...and whose notice is in the pipe (or needs none)
    bool stopWriter = false;
    bool exitOnStop = false;
    std::atomic<bool> stopReader{false};
    std::atomic<bool> wakeWritten{false};

    CriticalSection attachLock;
    CommandHistory* history = nullptr;  // guarded by attachLock

    bool ChildRunning() {
        LockGuard lock(outputLock);
        return IsProcessRunning(child.process.Get());
    }

    // The child has ended and all it left is read, the writer's notice of its end included.
    bool ChildEndedAndRead() {
        LockGuard lock(outputLock);
        if (IsProcessRunning(child.process.Get()) || noticeDoneGeneration != childGeneration)
            return false;
        DWORD waiting = 0;
        return !PipeBytesWaiting(output.read.Get(), waiting) || waiting == 0;
    }

    // outputLock held.
    void NotifyWindow() {
        if (window && !readyPosted && PostMessageA(window, kOutputReadyMessage, 0, 0))
            readyPosted = true;
    }

    // outputLock held.
    void NoteWindowElsewhere() {
        windowCurrent = false;
        windowElsewhere = true;
        elsewhereEpoch = outputEpoch;
        elsewhereLength = accumulatedOutput.size();
    }

    void AddOutput(const std::string& text) {
        LockGuard lock(outputLock);
        accumulatedOutput += text;
        loneTextWaiting = false;
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
    bool CanWriteNextLine() {
        DWORD waiting = 0;
        if (PipeBytesWaiting(input.read.Get(), waiting) && waiting > 0)
            return false;
        DWORD now = GetTickCount();
        DWORD quiet = now - lastChunkTick;
        if (lineTakenUp && outputEndsOpen && quiet >= kPromptQuietMs)
            return true;
        return now - lastLineTick >= kAnswerWaitMs && quiet >= kAnswerWaitMs;
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
        if (s.stopReader.load() || !ok)
            return false;
        chunk = NormalizeOutput(buffer, got, endedInCR);
        if (!chunk.empty() || !repeatEmpty)
            return true;
    }
}

// The link is closing: keep the pipe drained until the closer's wake-up byte is surely written,
// so that its write can never block on a full pipe.
void DrainUntilWoken(LinkState& s) {
    char buffer[kReadSize];
    while (!s.wakeWritten.load()) {
        DWORD waiting = 0;
        if (!PipeBytesWaiting(s.output.read.Get(), waiting))
            return;
        if (waiting == 0) {
            Sleep(1);
            continue;
        }
        DWORD got = 0;
        if (!ReadFile(s.output.read.Get(), buffer, waiting < kReadSize ? waiting : kReadSize, &got, nullptr))
            return;
    }
}

void RunReader(LinkState& s) {
    std::string expectedEcho;
    std::string runningCommand;
    bool endedInCR = false;
    {
        LockGuard lock(s.outputLock);
        s.accumulatedOutput.clear();
        ++s.outputEpoch;
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
                s.lineTakenUp = true;
                expectedEcho = s.pendingCommand;
                started = true;
                finished = std::move(s.accumulatedOutput);
                s.accumulatedOutput.clear();
                ++s.outputEpoch;
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
                s.loneTextWaiting = true;
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
        if (s.ChildEndedAndRead())
            break;
    }
    {
        LockGuard lock(s.outputLock);
        if (!s.stopReader.load()) {
            s.readerDone = true;
            return;
        }
    }
    DrainUntilWoken(s);
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

// outputLock held. What the window must be told of the current child, once per start: that it
// did not start, or that it ended without the user's "exit". watched is the writer's own handle
// of that child, renewed at each start.
std::string ChildNoticeDue(LinkState& s, CHandle& watched, unsigned& watchedGeneration) {
    if (watchedGeneration != s.childGeneration) {
        watchedGeneration = s.childGeneration;
        HANDLE copy = nullptr;
        if (s.child.process)
            DuplicateHandle(GetCurrentProcess(), s.child.process.Get(), GetCurrentProcess(), &copy, 0, FALSE,
                            DUPLICATE_SAME_ACCESS);
        watched.Reset(copy);
    }
    if (s.reportedGeneration == s.childGeneration || s.childGeneration == 0)
        return std::string();
    DWORD code = 0;
    if (s.startError) {
        code = s.startError;
    } else if (!s.child.process || IsProcessRunning(s.child.process.Get())) {
        return std::string();
    } else {
        GetExitCodeProcess(s.child.process.Get(), &code);
        watched.Reset();
        if (s.exitLineGeneration == s.childGeneration) {
            s.reportedGeneration = s.noticeDoneGeneration = s.childGeneration;  // the user's own "exit"
            return std::string();
        }
    }
    s.reportedGeneration = s.childGeneration;
    return ChildEndNotice(s.startError != 0, code, s.outputEndsOpen);
}

void RunWriter(LinkState& s) {
    CHandle watched;
    unsigned watchedGeneration = 0;
    for (;;) {
        std::string line;
        std::string notice;
        DWORD wait = INFINITE;
        {
            LockGuard lock(s.outputLock);
            if (s.stopWriter)
                break;
            notice = ChildNoticeDue(s, watched, watchedGeneration);
            if (!s.heldLines.empty()) {
                if (!IsProcessRunning(s.child.process.Get())) {
                    s.heldLines.clear();
                } else if (s.CanWriteNextLine()) {
                    line = std::move(s.heldLines.front());
                    s.heldLines.pop_front();
                    // Claim the pending slot; a line not yet taken up keeps it.
                    if (!s.pendingFlag) {
                        s.pendingCommand = line;
                        s.pendingFlag = true;
                    }
                    s.lineTakenUp = false;
                    s.lastLineTick = GetTickCount();
                    if (IsExitLine(line))
                        s.exitLineGeneration = s.childGeneration;
                } else {
                    wait = kHeldLinePollMs;
                }
            }
        }
        if (!notice.empty()) {
            // Through the output pipe: the reader shows it after all that the child wrote.
            WriteAll(s.output.write.Get(), notice.data(), notice.size());
            LockGuard lock(s.outputLock);
            s.noticeDoneGeneration = s.reportedGeneration;
        } else if (!line.empty()) {
            WriteAll(s.input.write.Get(), line.data(), line.size());
        } else {
            HANDLE waits[2] = {s.writerWake.Get(), watched.Get()};
            WaitForMultipleObjects(watched ? 2 : 1, waits, FALSE, wait);
        }
    }
    bool sendExit;
    {
        LockGuard lock(s.outputLock);
        sendExit = s.exitOnStop;
    }
    if (!sendExit)
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

bool ChildLink::IsChildRunning() const { return shared_ && shared_->ChildRunning(); }

DWORD ChildLink::ChildProcessId() const {
    if (!shared_)
        return 0;
    LockGuard lock(shared_->outputLock);
    return shared_->child.processId;
}

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
    if (!StartHiddenProcess(BuildCommandLine(interpreter_, directory, script), s.input.read.Get(),
                            s.output.write.Get(), s.output.write.Get(), child))
        error = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
    {
        LockGuard lock(s.outputLock);
        // The ended child's handles go here.
        s.child = std::move(child);
        ++s.childGeneration;
        s.startError = error;
        s.heldLines.clear();
        // The first line waits for the start-up prompt as for an answer.
        s.lineTakenUp = true;
        s.outputEndsOpen = false;
        s.lastLineTick = s.lastChunkTick = GetTickCount();
    }
    // The writer watches the new child, or tells the window that it did not start.
    SetEvent(s.writerWake.Get());
}

void ChildLink::StartReader() {
    // The last reader has ended (readerDone); its handle is released before the next starts.
    reader_.Join(kReaderStopWaitMs);
    if (reader_.IsStarted())
        return;
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
    if (!shared_)
        return;
    {
        LockGuard lock(shared_->outputLock);
        if (!IsProcessRunning(shared_->child.process.Get()) || shared_->readerDone)
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
    {
        LockGuard lock(shared_->outputLock);
        window = shared_->window;
        shared_->windowCurrent = false;
        shared_->windowElsewhere = false;
        shared_->loneTextWaiting = false;
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
        if (s.loneTextWaiting) {
            s.loneTextWaiting = false;
            text = s.loneText;
            message = kSetOutputMessage;
            s.NoteWindowElsewhere();
        } else if (!s.windowCurrent || s.windowEpoch != s.outputEpoch) {
            if (!s.windowElsewhere || s.elsewhereEpoch != s.outputEpoch ||
                s.accumulatedOutput.size() > s.elsewhereLength) {
                message = kSetOutputMessage;
                s.windowCurrent = true;
                s.windowElsewhere = false;
                s.windowEpoch = s.outputEpoch;
                s.windowLength = 0;
            }
        } else if (s.windowLength < s.accumulatedOutput.size()) {
            message = kAppendOutputMessage;
        }
        if (message && s.windowCurrent) {
            size_t end = BatchEnd(s.accumulatedOutput, s.windowLength, limit);
            // A first byte held back for its second one comes with the next read.
            if (end == s.windowLength && message == kAppendOutputMessage)
                message = 0;
            text.assign(s.accumulatedOutput, s.windowLength, end - s.windowLength);
            s.windowLength = end;
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
    shared_->NoteWindowElsewhere();
}

void ChildLink::SetWindow(HWND window) {
    if (!shared_)
        return;
    LockGuard lock(shared_->outputLock);
    shared_->window = window;
    shared_->readyPosted = false;
    shared_->windowCurrent = false;
    shared_->windowElsewhere = false;
}

void ChildLink::CloseLink() {
    if (!shared_)
        return;
    LinkState& s = *shared_;
    HANDLE process;
    {
        LockGuard lock(s.outputLock);
        s.child.thread.Reset();
        process = s.child.process.Get();
    }
    // Only this thread replaces the child, so its handle stays valid here.
    bool running = process && WaitForSingleObject(process, kChildExitWaitMs) == WAIT_TIMEOUT;
    {
        LockGuard lock(s.outputLock);
        s.stopWriter = true;
        s.exitOnStop = running;
        s.heldLines.clear();
    }
    SetEvent(s.writerWake.Get());
    // A thread that has not stopped in time is let go: it holds the shared state itself, and it
    // no longer reaches the history or the window.
    if (!writer_.Join(kWriterStopWaitMs))
        writer_.Detach();

    bool readerAlive;
    {
        LockGuard lock(s.outputLock);
        s.stopReader = true;
        readerAlive = !s.readerDone;
    }
    if (readerAlive) {
        // One byte wakes a reader that waits on the pipe; the reader drains until it is written.
        const char wake = '\n';
        WriteAll(s.output.write.Get(), &wake, 1);
        s.wakeWritten = true;
    }
    if (!reader_.Join(kReaderStopWaitMs)) {
        {
            LockGuard lock(s.attachLock);
            s.history = nullptr;
        }
        {
            LockGuard lock(s.outputLock);
            s.window = nullptr;
        }
        reader_.Detach();
    }
    shared_.reset();
}
