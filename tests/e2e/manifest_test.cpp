// Both programs declare themselves to Windows: an embedded manifest asking for the themed common
// controls, per-monitor DPI awareness, the invoker's execution level and Windows 10 and 11; and the started
// bar gets what it asks.
#include "pavra_driver.h"

#include <psapi.h>

using namespace e2e;

namespace {

// The program's embedded manifest (resource 1 of type 24), read from the file without running it.
std::string EmbeddedManifest(const std::string& exe) {
    HMODULE file =
        LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!file)
        return std::string();
    std::string text;
    if (HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        HGLOBAL loaded = LoadResource(file, found);
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (bytes)
            text.assign(static_cast<const char*>(bytes), SizeofResource(file, found));
    }
    FreeLibrary(file);
    return text;
}

// The folder of every comctl32.dll loaded in the process, lower case.
std::vector<std::string> LoadedCommonControls(HANDLE process) {
    HMODULE modules[512];
    DWORD bytes = 0;
    std::vector<std::string> folders;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes))
        return folders;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        char path[MAX_PATH] = {};
        if (!GetModuleFileNameExA(process, modules[i], path, MAX_PATH))
            continue;
        CharLowerA(path);
        std::string file(path);
        const size_t slash = file.rfind('\\');
        if (slash != std::string::npos && file.substr(slash + 1) == "comctl32.dll")
            folders.push_back(file.substr(0, slash));
    }
    return folders;
}

// The DPI awareness the window runs with, by the Windows 10 calls (looked up: the build targets Windows 7).
DPI_AWARENESS WindowDpiAwareness(HWND window) {
    using ContextOfWindow = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using AwarenessOfContext = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto contextOf = reinterpret_cast<ContextOfWindow>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto awarenessOf = reinterpret_cast<AwarenessOfContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!contextOf || !awarenessOf)
        return DPI_AWARENESS_INVALID;
    return awarenessOf(contextOf(window));
}

}  // namespace

TEST(Manifest, BothProgramsCarryIt) {
    for (const std::string& exe : {PavraExe(), DosPath(PAVRA_E2E_CALC_EXE)}) {
        SCOPED_TRACE(exe);
        const std::string manifest = EmbeddedManifest(exe);
        ASSERT_FALSE(manifest.empty()) << "no manifest resource";
        for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                                 ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>",
                                 "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
                                 "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"})
            EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

TEST_F(BarTest, RunsWithThemedControlsAndPerMonitorDpi) {
    ASSERT_TRUE(bar.Start());
    // Version 6 is the side-by-side assembly; its file version says 5.x under Wine, so its folder tells.
    const std::vector<std::string> folders = LoadedCommonControls(bar.Process().Handle());
    ASSERT_FALSE(folders.empty()) << "comctl32.dll is not loaded";
    for (const std::string& folder : folders)
        EXPECT_NE(folder.find("\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6."),
                  std::string::npos)
            << folder;

    // Wine 8 makes every program per-monitor aware, manifest or not: only Windows tells the two apart.
    EXPECT_EQ(WindowDpiAwareness(bar.Window()), DPI_AWARENESS_PER_MONITOR_AWARE);
    ASSERT_TRUE(bar.Quit());
}
