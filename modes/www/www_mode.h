// The web search mode: the input line is a search word, Enter opens the chosen site's
// result page in the default browser. The site chooser strip sits against the bar.
#pragma once

#include "modes/pavra_mode_base.h"
#include "modes/www/search_site.h"

#include <string>
#include <vector>

class CwwwParamDlg;

class CwwwMode : public CpavraModeBase {
public:
    static constexpr int kSiteCount = 6;
    static constexpr size_t kHistoryLimit = 64;

    // The shell's open action; replaceable so that the mode's logic runs without a browser.
    using OpenFunction = bool (*)(HWND owner, const std::string& target, int showCommand);

    explicit CwwwMode(int index);
    ~CwwwMode() override;

    void Shutdown() override;
    void Activate() override;
    void Deactivate(const std::string& inputLine) override;
    void HistoryFirst() override;
    void HistoryLast() override;
    void HistoryPrevious() override;
    void HistoryNext() override;
    void Execute(const std::string& inputLine) override;
    void FollowMainWindow(const RECT& bar) override;
    void ShowSubWindows(int showCommand) override;
    const char* GetSection() override;
    const char* GetCaption() override;
    int GetIntCount() override;
    int GetInt(int index) override;
    int GetIntMin(int index) override;
    int GetIntMax(int index) override;
    const char* GetIntKey(int index) override;
    void SetInt(int index, int value) override;
    int GetStringCount() override;
    const char* GetString(int index) override;
    const char* GetStringKey(int index) override;
    void SetString(int index, const char* text) override;
    const char* GetInputTip() override;

    // The URL for word on site (prefix, word, postfix, byte for byte).
    std::string BuildUrl(int site, const std::string& word) const;

    SearchSite sites[kSiteCount];
    int siteIndex = 0;
    int savedSiteIndex = 0;
    std::vector<std::string> history;
    int historyCursor = 0;
    CwwwParamDlg* siteChooser = nullptr;
    OpenFunction open;

private:
    std::string* SettingText(int index);
    void CreateSiteChooser();
    void DestroySiteChooser();
    void ShowSiteChooser(bool show);
};
