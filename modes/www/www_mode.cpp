#include "modes/www/www_mode.h"

#include "modes/www/www_param_dlg.h"
#include "platform/dpi.h"
#include "platform/placement.h"
#include "platform/shell_open.h"

#include <algorithm>
#include <string>
#include <new>

namespace {

const SearchSite kDefaultSites[CwwwMode::kSiteCount] = {
    {"Google", "https://www.google.co.jp/search?hl=ja&q=", ""},
    {"Yahoo!", "https://search.yahoo.co.jp/search?p=", ""},
    {"MSN", "https://www.bing.com/search?q=", ""},
    {"英辞郎", "https://eow.alc.co.jp/search?q=", ""},
    {"Yahoo!辞書", "https://dic.search.yahoo.co.jp/search?p=", ""},
    {"Wikipedia", "https://ja.wikipedia.org/wiki/", ""},
};

// Text settings: six names, then six prefixes, then six postfixes.
const char* const kStringKeys[CwwwMode::kSiteCount * 3] = {
    "WWWSite0",    "WWWSite1",    "WWWSite2",    "WWWSite3",    "WWWSite4",    "WWWSite5",
    "WWWURL0",     "WWWURL1",     "WWWURL2",     "WWWURL3",     "WWWURL4",     "WWWURL5",
    "WWWPostFix0", "WWWPostFix1", "WWWPostFix2", "WWWPostFix3", "WWWPostFix4", "WWWPostFix5",
};

const char kWelcome[] = "WWW: 検索ワードを入力するとブラウザを立ち上げて検索結果を表示します。";
const char kOpenFailed[] = "Error: ブラウザを開けませんでした";

std::string TooLongMessage(size_t length, size_t limit) {
    return "Error: URLが長すぎます（" + std::to_string(length) + "文字、ブラウザに渡せるのは" +
           std::to_string(limit) + "文字まで）";
}

// Room for the closed drop-down list below the chooser's frame.
const int kChooserListHeight = 21;

}  // namespace

CwwwMode::CwwwMode(int index) : CpavraModeBase(index), open(&ShellOpen) {
    std::copy(std::begin(kDefaultSites), std::end(kDefaultSites), sites);
}

CwwwMode::~CwwwMode() { DestroySiteChooser(); }

void CwwwMode::Shutdown() {
    DestroySiteChooser();
    initialized = false;
}

void CwwwMode::Activate() {
    if (!siteChooser) {
        CreateSiteChooser();
        followRequest = true;
        focusRequest = true;
    }
    PublishActivation(kWelcome, "", "", "");
    if (siteChooser) {
        ShowSiteChooser(true);
        followRequest = true;
    }
}

void CwwwMode::Deactivate(const std::string& inputLine) {
    ShowSiteChooser(false);
    inputText = inputLine;
}

void CwwwMode::HistoryFirst() {
    if (history.empty() || historyCursor == 0)
        return;
    historyCursor = 0;
    PublishInput(history[0]);
}

void CwwwMode::HistoryLast() {
    int count = static_cast<int>(history.size());
    if (count == 0 || historyCursor == count)
        return;
    historyCursor = count;
    PublishInput("");
}

void CwwwMode::HistoryPrevious() {
    if (historyCursor <= 0)
        return;
    --historyCursor;
    PublishInput(history[historyCursor]);
}

void CwwwMode::HistoryNext() {
    int count = static_cast<int>(history.size());
    if (historyCursor >= count)
        return;
    ++historyCursor;
    PublishInput(historyCursor == count ? std::string() : history[historyCursor]);
}

void CwwwMode::Execute(const std::string& inputLine) {
    // Without the chooser nobody shows which site is picked: the first one is used.
    int site = siteChooser ? siteIndex : 0;
    const std::string url = BuildUrl(site, inputLine);
    const size_t length = ShellTargetLength(url);
    if (length > ShellOpenLimit()) {
        // Nothing is cut: the word stays in the input line for the user to shorten.
        PublishAnswer(TooLongMessage(length, ShellOpenLimit()));
        return;
    }
    bool opened = open(owner, url, SW_SHOWNORMAL);
    PublishInput("");
    if (opened) {
        if (history.size() >= kHistoryLimit)
            history.erase(history.begin());
        history.push_back(inputLine);
        historyCursor = static_cast<int>(history.size());
        PublishSpoken(sites[std::clamp(site, 0, kSiteCount - 1)].name + "で「" + inputLine +
                      "」を開きました");
    } else {
        PublishAnswer(kOpenFailed);
    }
    if (siteIndex != savedSiteIndex) {
        QueueInt(0);
        savedSiteIndex = siteIndex;
    }
}

std::string CwwwMode::BuildUrl(int site, const std::string& word) const {
    const SearchSite& chosen = sites[std::clamp(site, 0, kSiteCount - 1)];
    return chosen.urlPrefix + word + chosen.postfix;
}

void CwwwMode::FollowMainWindow(const RECT& bar) {
    if (!siteChooser || !siteChooser->hwnd())
        return;
    HWND window = siteChooser->hwnd();
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    int height = (frame.bottom - frame.top) - (client.bottom - client.top) +
                 ScaleForDpi(kChooserListHeight, PlacementDpi(window, bar));
    MoveToRect(window, PlaceBelowOrAbove(bar, height, WorkAreaOrUnbounded(bar)));
}

void CwwwMode::ShowSubWindows(int showCommand) { ShowSiteChooser(showCommand != SW_HIDE); }

const char* CwwwMode::GetSection() { return "www"; }
const char* CwwwMode::GetCaption() { return "WWWサーチ"; }
int CwwwMode::GetIntCount() { return 1; }
int CwwwMode::GetInt(int index) { return index == 0 ? siteIndex : CpavraModeBase::GetInt(index); }
int CwwwMode::GetIntMin(int index) { return index == 0 ? 0 : CpavraModeBase::GetIntMin(index); }
int CwwwMode::GetIntMax(int index) { return index == 0 ? kSiteCount - 1 : CpavraModeBase::GetIntMax(index); }
const char* CwwwMode::GetIntKey(int index) { return index == 0 ? "WWWSiteIndex" : nullptr; }

void CwwwMode::SetInt(int index, int value) {
    if (index != 0)
        return;
    // The loader clamps already; a stray value must still never index past the table.
    siteIndex = std::clamp(value, 0, kSiteCount - 1);
    savedSiteIndex = siteIndex;
    if (siteChooser)
        siteChooser->SelectSite(siteIndex);
}

int CwwwMode::GetStringCount() { return kSiteCount * 3; }

const char* CwwwMode::GetString(int index) {
    std::string* text = SettingText(index);
    return text ? text->c_str() : nullptr;
}

const char* CwwwMode::GetStringKey(int index) {
    return index >= 0 && index < kSiteCount * 3 ? kStringKeys[index] : nullptr;
}

void CwwwMode::SetString(int index, const char* text) {
    if (std::string* target = SettingText(index))
        *target = text ? text : "";
}

const char* CwwwMode::GetInputTip() { return "検索ワードを入力します"; }

std::string* CwwwMode::SettingText(int index) {
    if (index < 0 || index >= kSiteCount * 3)
        return nullptr;
    SearchSite& site = sites[index % kSiteCount];
    switch (index / kSiteCount) {
    case 0: return &site.name;
    case 1: return &site.urlPrefix;
    default: return &site.postfix;
    }
}

void CwwwMode::CreateSiteChooser() {
    std::vector<std::string> names;
    for (const SearchSite& site : sites)
        names.push_back(site.name);
    siteChooser = new (std::nothrow) CwwwParamDlg(names, siteIndex, siteChooser);
    if (siteChooser && !siteChooser->Create(owner)) {
        // A window that went away during creation has deleted itself and cleared the pointer.
        delete siteChooser;
        siteChooser = nullptr;
    }
}

void CwwwMode::DestroySiteChooser() {
    // The window deletes its object and clears siteChooser when it is destroyed.
    if (siteChooser)
        siteChooser->EndDialog(IDCANCEL);
    if (siteChooser) {
        delete siteChooser;
        siteChooser = nullptr;
    }
}

void CwwwMode::ShowSiteChooser(bool show) {
    if (siteChooser && siteChooser->hwnd())
        ShowWindow(siteChooser->hwnd(), show ? SW_SHOWNA : SW_HIDE);
}
