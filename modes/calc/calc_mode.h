// The calculator mode: formulas and command words on the input line, the answer on the answer
// line, a 64-entry input history, and two companion windows (reference and variable list).
#pragma once

#include <string>
#include <vector>

#include "engine/variable_store.h"
#include "modes/pavra_mode_base.h"

class CcalcRefDlg;
class CcalcDataDlg;

class CcalcMode : public CpavraModeBase {
public:
    explicit CcalcMode(int index);
    ~CcalcMode() override;

    // Setting indexes, in the order of the "calc" section.
    enum { kUseComma = 0, kFollowWindow = 1, kModeHex = 2, kModeDeg = 3, kSettingCount = 4 };
    static constexpr size_t kHistoryLimit = 64;

    void Shutdown() override;
    void Activate() override;
    void Deactivate(const std::string& inputLine) override;
    void OnMode0Click() override;
    void OnMode1Click() override;
    void OnButton0() override;
    void OnButton1() override;
    void OnButton2() override;
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
    const char* GetInputTip() override;
    const char* GetAnswerTip() override;
    const char* GetMode0Tip() override;
    const char* GetMode1Tip() override;

    // The companion windows, or null when closed (for the bar's tests and the windows' owners).
    CcalcRefDlg* referenceWindow() const { return reference_; }
    CcalcDataDlg* variablesWindow() const { return variables_; }
    const VariableStore& variables() const { return store_; }

protected:
    // Runs the settings dialog; returns true (with the two values) when it ended with OK.
    // A test double replaces it to drive the settings flow without a modal loop.
    virtual bool RunSettingsDialog(int* useComma, int* followWindow);

private:
    struct HistoryEntry {
        std::string input;
        double value;
    };

    void RunCommand(int code);
    void SetAnswer(const std::string& text);
    std::string Format(double value) const;
    void PublishLabels();
    void ShowEntry(size_t k);
    bool ReformatCurrentAnswer();
    void OpenReference();
    void OpenVariables();
    void CloseCompanions();
    void RefillVariables();

    std::string answerBuffer_;
    std::string pendingInput_;
    std::string keptInput_;
    int modeHex_ = 0;
    int modeDeg_ = 0;
    int useComma_ = 1;
    int followWindow_ = 1;
    bool referencePlacementPending_ = false;
    bool variablesPlacementPending_ = false;
    VariableStore store_;
    std::vector<HistoryEntry> history_;
    size_t historyCursor_ = 0;
    CcalcRefDlg* reference_ = nullptr;
    CcalcDataDlg* variables_ = nullptr;
};
