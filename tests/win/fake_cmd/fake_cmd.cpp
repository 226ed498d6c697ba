// A small command interpreter for the link's tests. It is started like cmd.exe:
//   fake_cmd.exe [--no-echo] [--lossy] /k "cd /d DIR && SCRIPT"
// It echoes each line it reads, as the real cmd.exe does with piped input (unless --no-echo, as
// Wine's cmd.exe), then runs it and prints a prompt. With --lossy it reads its input in one read
// and runs only the first line of it, as Wine's cmd.exe does. Every write is its own chunk, so
// the tests can shape what the reader receives.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HANDLE output;
bool echo = true;
bool lossy = false;

void Write(const std::string& text) {
    DWORD written = 0;
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Prompt() { Write("\r\nFAKE>"); }

bool Starts(const std::string& text, const char* prefix) {
    return text.compare(0, strlen(prefix), prefix) == 0;
}

// Runs one command; false ends the interpreter.
bool Run(const std::string& command) {
    if (command == "exit")
        return false;
    if (Starts(command, "echo ")) {
        Write(command.substr(5) + "\r\n");
    } else if (Starts(command, "cd /d ")) {
        char expanded[MAX_PATH * 2];
        ExpandEnvironmentStringsA(command.substr(6).c_str(), expanded, sizeof expanded);
        if (!SetCurrentDirectoryA(expanded))
            Write("no such directory\r\n");
    } else if (command == "cd") {
        char directory[MAX_PATH];
        GetCurrentDirectoryA(sizeof directory, directory);
        Write("cwd: " + std::string(directory) + "\r\n");
    } else if (command == "nul") {
        Write(std::string("before\0after\r\n", 14));
    } else if (command == "crlf") {
        Write("one\r");
        Sleep(150);
        Write("\ntwo\r\n");
    } else if (command == "dbcs") {
        // A double-byte character cut between two writes.
        const std::string text = "日本語\r\n";
        Write(text.substr(0, 1));
        Sleep(150);
        Write(text.substr(1));
    } else if (Starts(command, "sleep ")) {
        Sleep(static_cast<DWORD>(atoi(command.c_str() + 6)));
        Write("slept\r\n");
    } else if (Starts(command, "lines ")) {
        // Numbered lines of 32 bytes, written 512 bytes at a time as Wine's cmd.exe does.
        int count = atoi(command.c_str() + 6);
        std::string block;
        char line[40];
        for (int i = 1; i <= count; ++i) {
            wsprintfA(line, "line %08d ..................\r\n", i);
            block += line;
            if (block.size() >= 512 || i == count) {
                Write(block);
                block.clear();
            }
        }
    } else if (Starts(command, "die ")) {
        // Ends at once with the given exit code, as a crash or a failing script does.
        ExitProcess(static_cast<UINT>(strtoul(command.c_str() + 4, nullptr, 0)));
    } else if (Starts(command, "joined ")) {
        // The echo and the output in one write, as a fast command's often arrive in one read.
        Write(command + "\r\n" + command.substr(7) + "\r\n");
    } else if (command == "silent") {
    } else if (!command.empty()) {
        Write("unknown: " + command + "\r\n");
    }
    return true;
}

void WriteEcho(const std::string& line) {
    if (!echo || Starts(line, "joined "))
        return;
    if (line == "split\r\n") {
        Write("sp");
        Sleep(150);
        Write("lit\r\n");
    } else {
        Write(line);
    }
    // The echo arrives on its own, before the output.
    Sleep(80);
}

void RunStartup(std::string startup) {
    if (startup.size() >= 2 && startup.front() == '"' && startup.back() == '"')
        startup = startup.substr(1, startup.size() - 2);
    Write("startup: " + startup + "\r\n");
    size_t pos = 0;
    for (;;) {
        size_t next = startup.find(" && ", pos);
        Run(startup.substr(pos, next == std::string::npos ? std::string::npos : next - pos));
        if (next == std::string::npos)
            break;
        pos = next + 4;
    }
}

}  // namespace

int main(int argc, char** argv) {
    output = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string startup;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--no-echo") == 0)
            echo = false;
        else if (strcmp(argv[i], "--lossy") == 0)
            lossy = true;
        else if (strcmp(argv[i], "/k") == 0 && i + 1 < argc)
            startup = argv[++i];
    }
    Write("Fake Interpreter\r\n");
    // The C runtime has already taken the quotes off the start-up command.
    RunStartup("\"" + startup + "\"");
    Prompt();

    std::string pending;
    char buffer[4096];
    for (;;) {
        size_t end = pending.find("\r\n");
        if (end == std::string::npos) {
            DWORD got = 0;
            if (!ReadFile(input, buffer, sizeof buffer, &got, nullptr) || got == 0)
                return 0;
            pending.append(buffer, got);
            continue;
        }
        std::string line = pending.substr(0, end + 2);
        pending.erase(0, end + 2);
        if (lossy)
            pending.clear();
        WriteEcho(line);
        if (!Run(line.substr(0, end)))
            return 0;
        Prompt();
    }
}
