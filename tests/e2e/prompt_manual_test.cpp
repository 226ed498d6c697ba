// The manual button and the manual commands: the user manual beside the executable is handed to
// the desktop shell, which under Wine passes it on to xdg-open (recorded by the test run).
#include "pavra_driver.h"

using namespace e2e;

namespace {

const char kManAnswer[] = "man: ユーザーズマニュアルを表示します";
const char kManualAnswer[] = "manual: ユーザーズマニュアルを表示します";
const char kNoManual[] = "Error: マニュアルを開けませんでした";

class ManualTest : public BarTest {
protected:
    void SetUp() override { ASSERT_TRUE(ClearRecordedUrls()); }

    void StartWithManual() {
        ASSERT_TRUE(bar.Folder().Write("manual\\um\\index.html", "<html><body>Pavra</body></html>"));
        ASSERT_TRUE(bar.Start());
    }
    // The button sits in the settings area, which must be open to be clicked.
    void ClickManualButton() {
        ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
        ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy >= 169; }));
        ASSERT_TRUE(bar.Click(IDC_MANUAL));
    }
    // The last URL handed to xdg-open names index.html in manual/um of the test folder.
    void ExpectManualOpened(size_t count) {
        ASSERT_TRUE(WaitForRecordedUrls(count));
        std::string url = PercentDecoded(RecordedUrls().back());
        std::string folder = Utf8FromCp932(UnixPath(bar.Folder().Path()));
        EXPECT_NE(url.find(folder), std::string::npos) << url;
        const std::string tail = "manual/um/index.html";
        ASSERT_GE(url.size(), tail.size());
        EXPECT_EQ(url.substr(url.size() - tail.size()), tail) << url;
    }
};

TEST_F(ManualTest, ButtonOpensTheManualBesideTheProgram) {
    StartWithManual();
    ASSERT_TRUE(bar.Type("1+2"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "1+2"));
    ClickManualButton();
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, kManAnswer));
    EXPECT_EQ(bar.Text(IDC_INPUT), "");
    ExpectManualOpened(1);
}

TEST_F(ManualTest, ButtonWithoutManualSaysSo) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Type("1+2"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "1+2"));
    ClickManualButton();
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, kNoManual));
    EXPECT_EQ(bar.Text(IDC_INPUT), "");
    EXPECT_TRUE(RecordedUrls().empty());
    EXPECT_TRUE(bar.Process().Running());
}

TEST_F(ManualTest, PromptCommandsOpenTheManual) {
    StartWithManual();
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: "));
    ASSERT_TRUE(bar.Type("manual\n"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, kManualAnswer));
    ExpectManualOpened(1);
    // The prompt is over: the answer line is read-only and the focus went back to the input line.
    EXPECT_TRUE(StyleOf(bar.Item(IDC_ANSWER)) & ES_READONLY);
    EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Type("man\n"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, kManAnswer));
    ExpectManualOpened(2);
}

}  // namespace
