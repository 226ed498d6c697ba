// The dialog base: modal and modeless dialogs built from templates, with virtual handlers.
// Modal dialogs run their own message loop so that PreTranslateMessage sees every key
// before it is dispatched; the loop also gives modeless dialogs their keyboard navigation.
#pragma once

#include <windows.h>

#include <string>

#include "platform/dialog_rescaler.h"

class CDialog {
public:
    explicit CDialog(int templateId);
    virtual ~CDialog();

    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; returns the EndDialog result, or -1 when it cannot be created.
    INT_PTR DoModal(HWND parent);
    // Creates the dialog modeless and hidden (unless the template is WS_VISIBLE).
    bool Create(HWND parent);
    // Modal: ends the run with result. Modeless: destroys the window.
    void EndDialog(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    bool IsModal() const { return modal_; }

    // The DPI the dialog is laid out for, and a 96-DPI figure scaled to it.
    UINT Dpi() const { return rescaler_.Dpi(); }
    int Scaled(int value) const;

    // The DPI of window: its dialog's when it is one made by this class, else the platform's.
    static UINT DpiOf(HWND window);
    // The dialog object behind a dialog window made by this class, or null.
    static CDialog* FromHandle(HWND hwnd);
    // Hands msg to the dialog it is bound for (PreTranslateMessage, then keyboard navigation).
    // Returns true when it was used up. msg comes from a wide loop (GetMessageW/PeekMessageW).
    static bool RouteMessage(MSG* msg);

protected:
    virtual BOOL OnInit();
    virtual bool OnCommand(int id, int code, HWND control);
    virtual LRESULT OnNotify(NMHDR* header);
    virtual void OnSize(int width, int height);
    virtual void OnOK();
    virtual void OnCancel();
    // Every other message; set handled and return the dialog-procedure result to take it.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // A key or mouse message before it is dispatched; true means it was used up.
    virtual bool PreTranslateMessage(MSG* msg);
    // After the window is gone (WM_NCDESTROY). Modeless companions delete themselves here.
    virtual void PostNcDestroy();
    // The window moved to a display of another DPI (WM_DPICHANGED), after the fonts and the
    // template's places were scaled: takes the suggested rectangle unless an owner is placing the
    // window, and lays the dialog out again (OnSize).
    virtual void OnDpiChanged(const RECT& suggested);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    DialogRescaler rescaler_;
    int templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};
