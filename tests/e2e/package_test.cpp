// The release package from outside, as a user meets it: unpacked into a fresh folder, the program
// starts from there, opens the manual that came with it, keeps its settings beside itself and ends.
#include "pavra_driver.h"

#ifdef PAVRA_E2E_PACKAGE

using namespace e2e;

namespace {

// Unpacked where users unpack: a folder whose name has Japanese and a space.
const std::string kWhere = "ダウンロード フォルダ";
const std::string kTop = kWhere + "\\" + PAVRA_E2E_PACKAGE_NAME;

// Runs a console program of the package with input on its standard input; its output, or empty.
std::string RunConsoleProgram(const TestFolder& folder, const std::string& exe, const std::string& input) {
    if (!folder.Write("console-in.txt", input))
        return std::string();
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE in = CreateFileA(folder.File("console-in.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit,
                            OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(folder.File("console-out.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    const bool started = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE &&
                         CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, folder.Path().c_str(), &startup, &process);
    if (in != INVALID_HANDLE_VALUE)
        CloseHandle(in);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    if (!started)
        return std::string();
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended ? folder.Read("console-out.txt") : std::string();
}

class PackageTest : public ::testing::Test {
protected:
    PackageTest() : bar(CurrentTestName(), kTop + "\\pavra.exe") {}

    void SetUp() override {
        ASSERT_TRUE(bar.Folder().Valid());
        ASSERT_TRUE(RunUnixCommand({"unzip", "-q", UnixPath(DosPath(PAVRA_E2E_PACKAGE)), "-d",
                                    Utf8FromCp932(UnixPath(bar.Folder().File(kWhere)))}));
        ASSERT_TRUE(bar.Folder().Exists(kTop + "\\pavra.exe")) << "the package did not unpack";
    }
    void TearDown() override {
        if (HasFailure()) {
            bar.Screenshot(CurrentTestName() + "-failure");
            bar.Folder().Keep();
        }
    }

    PavraBar bar;
};

TEST_F(PackageTest, HoldsTheProgramsTheManualAndAJapaneseReadme) {
    for (const char* file : {"pavra.exe", "pavra-calc.exe", "README.txt", "manual\\um\\index.html",
                             "manual\\um\\keys.html", "manual\\um\\style.css"})
        EXPECT_TRUE(bar.Folder().Exists(kTop + "\\" + file)) << file;
    // The debug side file of the build stays out: the programs are stripped.
    EXPECT_FALSE(bar.Folder().Exists(kTop + "\\pavra.exe.debug"));

    // README.txt is for Notepad: code page 932 with CR LF, and says where the settings live.
    const std::string readme = bar.Folder().Read(kTop + "\\README.txt");
    EXPECT_NE(readme.find("Pavra"), std::string::npos);
    EXPECT_NE(readme.find("pavra.ini"), std::string::npos);
    EXPECT_NE(readme.find("設定は pavra.exe と同じフォルダの pavra.ini に保存されます"), std::string::npos);
    EXPECT_NE(readme.find("Program Files"), std::string::npos);
    size_t lineFeeds = 0;
    for (size_t at = readme.find('\n'); at != std::string::npos; at = readme.find('\n', at + 1)) {
        ++lineFeeds;
        EXPECT_TRUE(at > 0 && readme[at - 1] == '\r') << "a bare line feed at byte " << at;
    }
    EXPECT_GT(lineFeeds, 10u);

    // The console calculator of the package answers as the calculator mode does.
    const std::string answers = RunConsoleProgram(bar.Folder(), bar.Folder().File(kTop + "\\pavra-calc.exe"),
                                                  "1+2\r\nx=6*7\r\nx/0\r\n");
    EXPECT_NE(answers.find("3"), std::string::npos) << answers;
    EXPECT_NE(answers.find("42"), std::string::npos) << answers;
    EXPECT_NE(answers.find("Error:"), std::string::npos) << answers;
}

TEST_F(PackageTest, UnpackedProgramStartsShowsItsManualAndEnds) {
    ASSERT_TRUE(ClearRecordedUrls());
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("6*7"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "42"));

    // The manual button in the settings area opens the manual that came in the package.
    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy >= 169; }));
    ASSERT_TRUE(bar.Click(IDC_MANUAL));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "man: ユーザーズマニュアルを表示します"));
    ASSERT_TRUE(WaitForRecordedUrls(1));
    const std::string url = PercentDecoded(RecordedUrls().back());
    const std::string manual = Utf8FromCp932(UnixPath(bar.Folder().File(kTop + "\\manual\\um\\index.html")));
    ASSERT_GE(url.size(), manual.size());
    EXPECT_EQ(url.substr(url.size() - manual.size()), manual) << url;
    bar.Screenshot("Package-manual-opened");

    // The settings live beside the unpacked program.
    ASSERT_TRUE(bar.Quit());
    const IniFile ini = IniFile::Load(bar.Folder().File(kTop + "\\pavra.ini"));
    EXPECT_EQ(ini.Int("pavra", "ModeIndex"), 0);
    EXPECT_FALSE(bar.Folder().Exists("pavra.ini"));
}

}  // namespace

#endif
