#include "modes/pavra_mode_base.h"

#include <cstdio>

CpavraModeBase::CpavraModeBase(int index) : index(index) {}

CpavraModeBase::~CpavraModeBase() = default;

void CpavraModeBase::Initialize() {}
void CpavraModeBase::Shutdown() { initialized = false; }
void CpavraModeBase::Activate() {}
void CpavraModeBase::Deactivate(const std::string&) {}
void CpavraModeBase::OnMode0Click() {}
void CpavraModeBase::OnMode1Click() {}
void CpavraModeBase::OnButton0() {}
void CpavraModeBase::OnButton1() {}
void CpavraModeBase::OnButton2() {}
void CpavraModeBase::HistoryFirst() {}
void CpavraModeBase::HistoryLast() {}
void CpavraModeBase::HistoryPrevious() {}
void CpavraModeBase::HistoryNext() {}
void CpavraModeBase::Execute(const std::string&) {}
void CpavraModeBase::FollowMainWindow(const RECT&) {}
void CpavraModeBase::ShowSubWindows(int) {}

const char* CpavraModeBase::GetSection() {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "mode%d", index);
    section = buffer;
    return section.c_str();
}

const char* CpavraModeBase::GetCaption() { return GetSection(); }
int CpavraModeBase::GetIntCount() { return 0; }
int CpavraModeBase::GetInt(int) { return 0; }
int CpavraModeBase::GetIntMin(int) { return 0; }
int CpavraModeBase::GetIntMax(int) { return 2147483647; }
const char* CpavraModeBase::GetIntKey(int) { return nullptr; }
void CpavraModeBase::SetInt(int, int) {}
int CpavraModeBase::GetStringCount() { return 0; }
const char* CpavraModeBase::GetString(int) { return nullptr; }
const char* CpavraModeBase::GetStringKey(int) { return nullptr; }
void CpavraModeBase::SetString(int, const char*) {}
const char* CpavraModeBase::GetInputTip() { return nullptr; }
const char* CpavraModeBase::GetAnswerTip() { return nullptr; }
const char* CpavraModeBase::GetMode0Tip() { return nullptr; }
const char* CpavraModeBase::GetMode1Tip() { return nullptr; }
const char* CpavraModeBase::GetButton0Tip() { return nullptr; }
const char* CpavraModeBase::GetButton1Tip() { return nullptr; }
const char* CpavraModeBase::GetButton2Tip() { return nullptr; }

void CpavraModeBase::PublishInput(const std::string& text) {
    inputText = text;
    inputChanged = true;
}

void CpavraModeBase::PublishSpoken(const std::string& text) {
    spokenText = text;
    spokenChanged = true;
}

const char kDialogOpenFailed[] = "Error: ダイアログを開けませんでした";

bool CpavraModeBase::RunDialog(CDialog& dialog) {
    INT_PTR result = dialog.DoModal(owner);
    if (result == -1)
        PublishAnswer(kDialogOpenFailed);
    return result == IDOK;
}

void CpavraModeBase::PublishAnswer(const std::string& text) {
    answerText = text;
    answerChanged = true;
}

void CpavraModeBase::PublishMode0(const std::string& text) {
    mode0Text = text;
    mode0Changed = true;
}

void CpavraModeBase::PublishMode1(const std::string& text) {
    mode1Text = text;
    mode1Changed = true;
}

void CpavraModeBase::PublishButtons(const char* b0, const char* b1, const char* b2) {
    button0Text = b0;
    button0Changed = true;
    button1Text = b1;
    button1Changed = true;
    button2Text = b2;
    button2Changed = true;
}

void CpavraModeBase::PublishActivation(const std::string& welcome, const char* b0, const char* b1,
                                       const char* b2) {
    if (!initialized) {
        PublishInput("");
        PublishAnswer(welcome);
        initialized = true;
    } else {
        inputChanged = true;
        answerChanged = true;
    }
    PublishMode1("");
    PublishMode0("");
    PublishButtons(b0, b1, b2);
}

void CpavraModeBase::QueueInt(int settingIndex) {
    changedInts.push_back(settingIndex);
    intChanged = true;
}

void CpavraModeBase::QueueString(int settingIndex) {
    changedStrings.push_back(settingIndex);
    stringChanged = true;
}
