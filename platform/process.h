// Anonymous pipes and hidden child processes with redirected standard handles.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/handles.h"

struct PipeEnds {
    CHandle read;
    CHandle write;
};

// An anonymous pipe with the platform's default buffer size. Only the ends asked for are
// inheritable, so a child started later receives just those.
bool CreatePipeEnds(PipeEnds& ends, bool inheritRead, bool inheritWrite);

struct ChildProcess {
    CHandle process;
    CHandle thread;
    DWORD processId = 0;
    DWORD threadId = 0;
};

// Starts commandLine hidden, inheriting handles, with the given standard handles (which must be
// inheritable). The parent's own startup information is the model. False when it did not start.
bool StartHiddenProcess(const std::string& commandLine, HANDLE input, HANDLE output, HANDLE error,
                        ChildProcess& child);

bool IsProcessRunning(HANDLE process);

// How many bytes wait in a pipe, asked through its read end; false when it cannot be asked.
bool PipeBytesWaiting(HANDLE readEnd, DWORD& bytes);

// Writes every byte of data, blocking as the pipe or file requires.
bool WriteAll(HANDLE file, const char* data, size_t size);
