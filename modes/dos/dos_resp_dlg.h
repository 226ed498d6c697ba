// The command output window "DOS Prompt": a read-only output view that fills the window and shows
// the interpreter's output, kept against the bar by the command-prompt mode.
#pragma once

#include <string>

#include "platform/companion_dialog.h"

class ChildLink;

class CdosRespDlg : public CCompanionDialog<CdosRespDlg> {
public:
    CdosRespDlg();

    // The link whose "output ready" notes this window answers.
    void SetLink(ChildLink* link) { link_ = link; }
    std::string Text() const;

protected:
    BOOL OnInit() override;
    void OnSize(int width, int height) override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void FillClientArea();
    void ShowText(UINT message, const char* text);
    void ScrollToLastLine();
    void FetchOutput();

    HWND edit_ = nullptr;
    bool controlsReady_ = false;
    ChildLink* link_ = nullptr;
};
