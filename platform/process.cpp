#include "platform/process.h"

#include <vector>

bool CreatePipeEnds(PipeEnds& ends, bool inheritRead, bool inheritWrite) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &attributes, 0))
        return false;
    ends.read.Reset(read);
    ends.write.Reset(write);
    if (!inheritRead)
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    if (!inheritWrite)
        SetHandleInformation(write, HANDLE_FLAG_INHERIT, 0);
    return true;
}

bool StartHiddenProcess(const std::string& commandLine, HANDLE input, HANDLE output, HANDLE error,
                        ChildProcess& child) {
    child = ChildProcess();
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    // The C runtime's table of inherited descriptors is the parent's business, not the child's:
    // a child runtime would take it over its standard handles.
    startup.cbReserved2 = 0;
    startup.lpReserved2 = nullptr;

    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return false;
    child.process.Reset(info.hProcess);
    child.thread.Reset(info.hThread);
    child.processId = info.dwProcessId;
    child.threadId = info.dwThreadId;
    return true;
}

bool IsProcessRunning(HANDLE process) { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

bool PipeBytesWaiting(HANDLE readEnd, DWORD& bytes) {
    bytes = 0;
    return PeekNamedPipe(readEnd, nullptr, 0, nullptr, &bytes, nullptr) != FALSE;
}

bool WriteAll(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        DWORD part = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, part, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}
