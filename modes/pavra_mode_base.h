// The input-mode interface. A mode never touches the bar's controls: it publishes texts and
// requests here, and the bar applies them after each call (CpavraDlg::ApplyModeChanges).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/dialog.h"

// The answer line of a dialog that cannot open.
extern const char kDialogOpenFailed[];

class CpavraModeBase {
public:
    explicit CpavraModeBase(int index);
    virtual ~CpavraModeBase();

    CpavraModeBase(const CpavraModeBase&) = delete;
    CpavraModeBase& operator=(const CpavraModeBase&) = delete;

    virtual void Initialize();
    virtual void Shutdown();
    virtual void Activate();
    virtual void Deactivate(const std::string& inputLine);
    virtual void OnMode0Click();
    virtual void OnMode1Click();
    virtual void OnButton0();
    virtual void OnButton1();
    virtual void OnButton2();
    virtual void HistoryFirst();
    virtual void HistoryLast();
    virtual void HistoryPrevious();
    virtual void HistoryNext();
    virtual void Execute(const std::string& inputLine);
    virtual void FollowMainWindow(const RECT& bar);
    virtual void ShowSubWindows(int showCommand);
    virtual const char* GetSection();
    virtual const char* GetCaption();
    virtual int GetIntCount();
    virtual int GetInt(int index);
    virtual int GetIntMin(int index);
    virtual int GetIntMax(int index);
    virtual const char* GetIntKey(int index);
    virtual void SetInt(int index, int value);
    virtual int GetStringCount();
    virtual const char* GetString(int index);
    virtual const char* GetStringKey(int index);
    virtual void SetString(int index, const char* text);
    virtual const char* GetInputTip();
    virtual const char* GetAnswerTip();
    virtual const char* GetMode0Tip();
    virtual const char* GetMode1Tip();
    virtual const char* GetButton0Tip();
    virtual const char* GetButton1Tip();
    virtual const char* GetButton2Tip();

    // The window that owns the mode's companion windows (the bar). Set by the bar before
    // Initialize; companion windows are created owned by it.
    HWND owner = nullptr;

    int index;
    std::string section;
    bool initialized = false;
    bool inputChanged = false;
    std::string inputText;
    bool answerChanged = false;
    std::string answerText;
    bool mode1Changed = false;
    std::string mode1Text;
    bool mode0Changed = false;
    std::string mode0Text;
    bool followRequest = false;
    bool focusRequest = false;
    bool button0Changed = false;
    std::string button0Text;
    bool button1Changed = false;
    std::string button1Text;
    bool button2Changed = false;
    std::string button2Text;
    bool quitRequest = false;
    bool manualRequest = false;
    // Said to a screen reader without changing a line: what the mode did.
    bool spokenChanged = false;
    std::string spokenText;
    bool intChanged = false;
    std::vector<int> changedInts;
    bool stringChanged = false;
    std::vector<int> changedStrings;

protected:
    void PublishInput(const std::string& text);
    void PublishAnswer(const std::string& text);
    void PublishSpoken(const std::string& text);
    void PublishMode0(const std::string& text);
    void PublishMode1(const std::string& text);
    void PublishButtons(const char* b0, const char* b1, const char* b2);
    // The lines of an activation: the first shows an empty input line and the welcome text, a
    // later one has the bar show again the lines this mode left; both show the button captions
    // and empty labels.
    void PublishActivation(const std::string& welcome, const char* b0, const char* b1, const char* b2);
    void QueueInt(int settingIndex);
    void QueueString(int settingIndex);
    // A settings dialog, modal on the bar: true when it ends with OK. One that cannot open says so on
    // the answer line.
    bool RunDialog(CDialog& dialog);
};
