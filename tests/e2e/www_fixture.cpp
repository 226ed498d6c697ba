#include "www_fixture.h"

#include <algorithm>

namespace e2e {

namespace {

::testing::AssertionResult Failure(const std::string& why) { return ::testing::AssertionFailure() << why; }

}  // namespace

::testing::AssertionResult WwwTest::StartInWww(const std::string& wwwSection,
                                               const std::string& pavraSection) {
    std::string ini = "[pavra]\r\n" + pavraSection + "[www]\r\n" + wwwSection;
    if (!bar.WriteIni(ini))
        return Failure("cannot write pavra.ini");
    ::testing::AssertionResult started = bar.Start();
    if (!started)
        return started;
    if (WwwIndex() < 0)
        return Failure("the mode list has no entry " + std::string(kWwwCaption));
    // The web search mode is the last entry: Up from the first mode wraps round to it.
    ::testing::AssertionResult stepped = StepModeList("Up", WwwIndex());
    if (!stepped)
        return stepped;
    ::testing::AssertionResult welcome = bar.WaitText(IDC_ANSWER, kWwwWelcome);
    if (!welcome)
        return welcome;
    return FocusInput();
}

::testing::AssertionResult WwwTest::StepModeList(const char* key, int index) {
    if (bar.FocusId() != IDC_MODE_LIST) {
        ::testing::AssertionResult keys = bar.Keys(bar.FocusId() == IDC_ANSWER ? "Tab" : "Tab Tab");
        if (!keys)
            return keys;
        if (!WaitUntil([&] { return bar.FocusId() == IDC_MODE_LIST; }))
            return Failure("Tab does not reach the mode list");
    }
    ::testing::AssertionResult keys = bar.Keys(key);
    if (!keys)
        return keys;
    if (!WaitUntil([&] { return bar.ModeSelection() == index; }))
        return Failure("the mode list selects " + std::to_string(bar.ModeSelection()) + ", not " +
                       std::to_string(index));
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult WwwTest::FocusInput() {
    if (bar.FocusId() == IDC_MODE_LIST) {
        ::testing::AssertionResult keys = bar.Keys("Tab");
        if (!keys)
            return keys;
    }
    if (!WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }))
        return Failure("the input line does not get the focus");
    return ::testing::AssertionSuccess();
}

int WwwTest::WwwIndex() const {
    std::vector<std::string> modes = bar.Modes();
    auto found = std::find(modes.begin(), modes.end(), kWwwCaption);
    return found == modes.end() ? -1 : static_cast<int>(found - modes.begin());
}

HWND WwwTest::Chooser() const {
    for (HWND window : const_cast<PavraBar&>(bar).Process().Windows()) {
        if (window != bar.Window() && GetDlgItem(window, IDC_WWW_SITES))
            return window;
    }
    return nullptr;
}

::testing::AssertionResult WwwTest::PickSite(int index) {
    HWND list = SiteList();
    if (!list || !IsWindowVisible(list))
        return Failure("no site chooser is shown");
    ClickWindow(list);
    if (!WaitUntil([&] { return SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }))
        return Failure("a click does not open the site list");
    std::string keys = "Home";
    for (int i = 0; i < index; ++i)
        keys += " Down";
    if (!PressKeys(keys + " Return"))
        return Failure("cannot press " + keys);
    if (!WaitUntil([&] {
            return SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) == 0 && ComboSelection(list) == index;
        }))
        return Failure("the site list selects " + std::to_string(ComboSelection(list)) + ", not " +
                       std::to_string(index));
    return ::testing::AssertionSuccess();
}

std::string WwwTest::Search(const std::string& word) {
    if (!bar.Type(word + "\n"))
        return std::string();
    if (!WaitForRecordedUrls(searches_ + 1))
        return std::string();
    std::vector<std::string> urls = RecordedUrls();
    searches_ = urls.size();
    // The input line is emptied after every search.
    WaitUntil([&] { return bar.Text(IDC_INPUT).empty(); });
    return PercentDecoded(urls.back());
}

}  // namespace e2e
