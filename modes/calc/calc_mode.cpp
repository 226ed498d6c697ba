#include "modes/calc/calc_mode.h"

#include "engine/calc_engine.h"
#include "engine/calc_tables.h"
#include "modes/calc/calc_data_dlg.h"
#include "modes/calc/calc_param_dlg.h"
#include "modes/calc/calc_ref_dlg.h"

namespace {

const char kCreateFailed[] = "Fatal Error: ダイアログの生成に失敗しました";

struct IntSetting {
    const char* key;
    int min;
    int max;
};

const IntSetting kIntSettings[CcalcMode::kSettingCount] = {
    {"UseComma", 0, 1},
    {"FollowWindow", 0, 1},
    {"ModeHex", 0, 1},
    {"ModeDeg", 0, 1},
};

bool ValidSetting(int index) { return index >= 0 && index < CcalcMode::kSettingCount; }

// Shows a companion without taking the activation away from the bar.
int CompanionShowCommand(int showCommand) { return showCommand == SW_SHOW ? SW_SHOWNA : showCommand; }

}  // namespace

CcalcMode::CcalcMode(int index) : CpavraModeBase(index) {}

CcalcMode::~CcalcMode() { CloseCompanions(); }

void CcalcMode::Shutdown() {
    CloseCompanions();
    initialized = false;
}

void CcalcMode::Activate() {
    if (!initialized) {
        Execute("");
        initialized = true;
    } else {
        PublishInput(keptInput_);
        PublishAnswer(answerBuffer_);
    }
    PublishLabels();
    PublishButtons("リファレンス", "変数一覧", "設定");
    ShowSubWindows(SW_SHOW);
}

void CcalcMode::Deactivate(const std::string& inputLine) {
    keptInput_ = inputLine;
    ShowSubWindows(SW_HIDE);
}

void CcalcMode::OnMode0Click() {
    modeDeg_ = !modeDeg_;
    PublishLabels();
    QueueInt(kModeDeg);
}

void CcalcMode::OnMode1Click() {
    modeHex_ = !modeHex_;
    PublishLabels();
    ReformatCurrentAnswer();
    RefillVariables();
    QueueInt(kModeHex);
}

void CcalcMode::OnButton0() { Execute("ref"); }

void CcalcMode::OnButton1() { Execute("vars"); }

void CcalcMode::OnButton2() {
    int comma = useComma_;
    int follow = followWindow_;
    if (RunSettingsDialog(&comma, &follow)) {
        if (comma != useComma_) {
            useComma_ = comma;
            ReformatCurrentAnswer();
            RefillVariables();
            QueueInt(kUseComma);
        }
        if (follow != followWindow_) {
            followWindow_ = follow;
            if (followWindow_)
                followRequest = true;
            QueueInt(kFollowWindow);
        }
    }
    focusRequest = true;
}

bool CcalcMode::RunSettingsDialog(int* useComma, int* followWindow) {
    CcalcParamDlg dialog;
    dialog.useComma = *useComma;
    dialog.followWindow = *followWindow;
    if (!RunDialog(dialog))
        return false;
    *useComma = dialog.useComma ? 1 : 0;
    *followWindow = dialog.followWindow ? 1 : 0;
    return true;
}

void CcalcMode::HistoryFirst() {
    if (history_.empty() || historyCursor_ == 0)
        return;
    historyCursor_ = 0;
    ShowEntry(0);
}

void CcalcMode::HistoryLast() {
    if (history_.empty() || historyCursor_ == history_.size())
        return;
    historyCursor_ = history_.size();
    PublishInput("");
    SetAnswer(Format(history_.back().value));
}

void CcalcMode::HistoryPrevious() {
    if (historyCursor_ == 0)
        return;
    --historyCursor_;
    ShowEntry(historyCursor_);
}

void CcalcMode::HistoryNext() {
    if (historyCursor_ >= history_.size())
        return;
    ++historyCursor_;
    if (historyCursor_ == history_.size()) {
        PublishInput("");
        SetAnswer(Format(history_.back().value));
    } else {
        ShowEntry(historyCursor_);
    }
}

void CcalcMode::ShowEntry(size_t k) {
    PublishInput(history_[k].input);
    SetAnswer(Format(history_[k].value));
}

void CcalcMode::Execute(const std::string& inputLine) {
    pendingInput_.clear();
    CalcResult result;
    if (CalcEvaluate(modeDeg_ != 0, inputLine.c_str(), store_, &result) != 0) {
        // The line stays for correction.
        pendingInput_ = inputLine;
        answerBuffer_ = result.error;
    } else if (result.isCommand) {
        RunCommand(result.command);
    } else {
        answerBuffer_ = Format(result.value);
        if (history_.size() >= kHistoryLimit)
            history_.erase(history_.begin());
        history_.push_back({inputLine, result.value});
        historyCursor_ = history_.size();
        if (result.assigned)
            RefillVariables();
    }
    PublishInput(pendingInput_);
    PublishAnswer(answerBuffer_);
}

void CcalcMode::RunCommand(int code) {
    switch (code) {
    case CalcEmpty: answerBuffer_ = kCalcGreeting; return;
    case CalcClear:
        answerBuffer_ = CalcCommandAnswer(code);
        store_.Clear();
        RefillVariables();
        return;
    case CalcClose:
        answerBuffer_ = CalcCommandAnswer(code);
        CloseCompanions();
        return;
    case CalcDec:
    case CalcHex:
        // Only for this run: the typed switches are not saved.
        modeHex_ = code == CalcHex;
        PublishLabels();
        if (!ReformatCurrentAnswer())
            answerBuffer_ = CalcCommandAnswer(code);
        RefillVariables();
        return;
    case CalcDeg:
    case CalcRad:
        answerBuffer_ = CalcCommandAnswer(code);
        modeDeg_ = code == CalcDeg;
        PublishLabels();
        return;
    case CalcExit:
    case CalcQuit:
        answerBuffer_ = CalcCommandAnswer(code);
        quitRequest = true;
        return;
    case CalcMan:
    case CalcManual:
        answerBuffer_ = CalcCommandAnswer(code);
        manualRequest = true;
        return;
    case CalcHelp:
    case CalcRef:
    case CalcReference:
        answerBuffer_ = CalcCommandAnswer(code);
        followRequest = true;
        focusRequest = true;
        OpenReference();
        referencePlacementPending_ = true;
        return;
    case CalcVars:
        answerBuffer_ = CalcCommandAnswer(code);
        followRequest = true;
        focusRequest = true;
        OpenVariables();
        variablesPlacementPending_ = true;
        return;
    default: return;
    }
}

// The answer is composed in answerBuffer_ so that a later activation can show it again.
void CcalcMode::SetAnswer(const std::string& text) {
    answerBuffer_ = text;
    PublishAnswer(answerBuffer_);
}

std::string CcalcMode::Format(double value) const {
    return FormatValue(value, modeHex_ != 0, useComma_ != 0);
}

void CcalcMode::PublishLabels() {
    PublishMode0(modeDeg_ ? "DEG" : "RAD");
    PublishMode1(modeHex_ ? "HEX" : "DEC");
}

// Shows the value at the history cursor (the last one when the cursor is past the end) in
// the current output format. Returns false when there is no value to show.
bool CcalcMode::ReformatCurrentAnswer() {
    if (history_.empty())
        return false;
    size_t k = historyCursor_ < history_.size() ? historyCursor_ : history_.size() - 1;
    SetAnswer(Format(history_[k].value));
    return true;
}

void CcalcMode::OpenReference() {
    if (reference_)
        return;
    if (!CcalcRefDlg::Open(owner, &reference_)) {
        answerBuffer_ = kCreateFailed;
        return;
    }
    reference_->Show(SW_SHOWNA);
}

void CcalcMode::OpenVariables() {
    if (variables_)
        return;
    if (!CcalcDataDlg::Open(owner, &variables_)) {
        answerBuffer_ = kCreateFailed;
        return;
    }
    RefillVariables();
    variables_->Show(SW_SHOWNA);
}

void CcalcMode::CloseCompanions() {
    // Each window clears its own pointer here as it is destroyed.
    if (reference_)
        reference_->Close();
    if (variables_)
        variables_->Close();
}

void CcalcMode::RefillVariables() {
    if (variables_)
        variables_->Refill(store_, modeHex_ != 0, useComma_ != 0);
}

void CcalcMode::FollowMainWindow(const RECT& bar) {
    if (referencePlacementPending_ || followWindow_) {
        referencePlacementPending_ = false;
        if (reference_)
            reference_->PlaceAgainst(bar);
    }
    if (variablesPlacementPending_ || followWindow_) {
        variablesPlacementPending_ = false;
        if (variables_)
            variables_->PlaceBeside(bar);
    }
}

void CcalcMode::ShowSubWindows(int showCommand) {
    if (reference_)
        reference_->Show(CompanionShowCommand(showCommand));
    if (variables_)
        variables_->Show(CompanionShowCommand(showCommand));
}

const char* CcalcMode::GetSection() { return "calc"; }
const char* CcalcMode::GetCaption() { return "電卓モード"; }
int CcalcMode::GetIntCount() { return kSettingCount; }

int CcalcMode::GetInt(int index) {
    switch (index) {
    case kUseComma: return useComma_;
    case kFollowWindow: return followWindow_;
    case kModeHex: return modeHex_;
    case kModeDeg: return modeDeg_;
    default: return 0;
    }
}

int CcalcMode::GetIntMin(int index) { return ValidSetting(index) ? kIntSettings[index].min : 0; }
int CcalcMode::GetIntMax(int index) { return ValidSetting(index) ? kIntSettings[index].max : 0; }
const char* CcalcMode::GetIntKey(int index) {
    return ValidSetting(index) ? kIntSettings[index].key : nullptr;
}

void CcalcMode::SetInt(int index, int value) {
    if (!ValidSetting(index))
        return;
    // The switches are 0 or 1 whatever the caller passes.
    value = value < kIntSettings[index].min ? kIntSettings[index].min : value;
    value = value > kIntSettings[index].max ? kIntSettings[index].max : value;
    switch (index) {
    case kUseComma: useComma_ = value; break;
    case kFollowWindow: followWindow_ = value; break;
    case kModeHex: modeHex_ = value; break;
    case kModeDeg: modeDeg_ = value; break;
    }
}

const char* CcalcMode::GetInputTip() { return "数式を入力します"; }
const char* CcalcMode::GetAnswerTip() { return "答えを表示します"; }
const char* CcalcMode::GetMode0Tip() { return "角度入出力モード"; }
const char* CcalcMode::GetMode1Tip() { return "出力表示モード"; }
