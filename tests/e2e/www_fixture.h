// The web search mode end to end: the bar started with a prepared pavra.ini, the mode entered
// through the mode list, and the URLs that reach the recording xdg-open.
#pragma once

#include "pavra_driver.h"

#include <string>
#include <vector>

namespace e2e {

constexpr char kWwwCaption[] = "WWWサーチ";
constexpr char kWwwWelcome[] = "WWW: 検索ワードを入力するとブラウザを立ち上げて検索結果を表示します。";
constexpr char kWwwOpenFailed[] = "Error: ブラウザを開けませんでした";
constexpr char kGooglePrefix[] = "https://www.google.co.jp/search?hl=ja&q=";
// A click into the strip activates it; an unpinned bar then rolls up and hides the strip.
constexpr char kPinned[] = "DialogPinFixed=1\r\n";

class WwwTest : public BarTest {
protected:
    // Starts the bar with these lines in the [www] section, then enters the web search mode.
    ::testing::AssertionResult StartInWww(const std::string& wwwSection = std::string(),
                                          const std::string& pavraSection = std::string());
    // The mode list as a user steers it from the keyboard: Tab Tab puts the focus on it, then
    // Up or Down. Waits for the list to select index; the focus stays on the list.
    ::testing::AssertionResult StepModeList(const char* key, int index);
    // Back from the mode list to the input line.
    ::testing::AssertionResult FocusInput();
    int WwwIndex() const;

    // The site chooser strip of the running bar, or null.
    HWND Chooser() const;
    HWND SiteList() const { return GetDlgItem(Chooser(), IDC_WWW_SITES); }
    // Picks a site as a user does: a click opens the list, the arrow keys move, Return takes it.
    ::testing::AssertionResult PickSite(int index);

    // Types the word, presses Return and waits for the URL to reach xdg-open; returns it as a
    // browser reads it (%XX decoded), or "" when nothing arrived.
    std::string Search(const std::string& word);
    // What arrived: UTF-8 text of the URL with %XX decoded.
    static std::string Expected(const std::string& cp932Url) { return Utf8FromCp932(cp932Url); }

    size_t searches_ = 0;
};

}  // namespace e2e
