// Running a Unix program from the Windows side of Wine, and the files such programs leave.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Runs argv (a Unix program and its arguments) and waits for it; false when it cannot be run.
bool RunUnixCommand(const std::vector<std::string>& argv);

// Saves a PNG of the screen (or of the part given) as <screenshot folder>\<name>.png; returns its
// DOS path, or empty when no screenshot could be taken.
std::string SaveScreenshot(const std::string& name, const RECT* part = nullptr);

// The URLs that Wine handed to xdg-open (the recording script first on the Unix PATH of the run
// writes one line per call to the file named by PAVRA_XDG_LOG).
std::vector<std::string> RecordedUrls();
// Forgets what was recorded so far (each test starts with none).
bool ClearRecordedUrls();
// Waits until at least count URLs have arrived; they come from another process, a little later.
bool WaitForRecordedUrls(size_t count, int ms = 10000);
// Unix programs see UTF-8: the program's code page 932 text as it arrives there.
std::string Utf8FromCp932(const std::string& cp932);
// %XX escapes decoded, for comparing what a browser would be asked to open.
std::string PercentDecoded(const std::string& url);

}  // namespace e2e
