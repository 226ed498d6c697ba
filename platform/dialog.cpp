#include "platform/dialog.h"

#include <vector>

#include "platform/dialog_monitor.h"
#include "platform/dpi.h"
#include "platform/placement.h"

namespace {
const char kDialogProperty[] = "PavraDialog";
}

CDialog::CDialog(int templateId) : templateId_(templateId) {}

CDialog::~CDialog() {
    if (hwnd_) {
        HWND window = hwnd_;
        RemovePropA(window, kDialogProperty);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(window);
    }
}

INT_PTR CDialog::DoModal(HWND parent) {
    modal_ = true;
    ended_ = false;
    result_ = -1;
    bool parentEnabled = parent && IsWindowEnabled(parent);
    if (!CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                            reinterpret_cast<LPARAM>(this))) {
        return -1;
    }
    if (parentEnabled)
        EnableWindow(parent, FALSE);
    KeepOnOwnersMonitor(hwnd_, parent);
    if (!ended_)
        ShowWindow(hwnd_, SW_SHOW);
    MSG msg;
    while (!ended_) {
        // The wide loop: an ANSI loop splits a typed double-byte character into two WM_CHARs,
        // which Wine's edit control takes as two characters.
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!RouteMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (parentEnabled) {
        EnableWindow(parent, TRUE);
        if (GetActiveWindow() == hwnd_)
            SetActiveWindow(parent);
    }
    if (hwnd_)
        DestroyWindow(hwnd_);
    return result_;
}

bool CDialog::Create(HWND parent) {
    modal_ = false;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    if (modal_) {
        result_ = result;
        ended_ = true;
        PostMessageA(hwnd_, WM_NULL, 0, 0);
    } else if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

std::string CDialog::ItemText(int id) const {
    HWND item = Item(id);
    int length = item ? GetWindowTextLengthA(item) : 0;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    if (length > 0)
        length = GetWindowTextA(item, &text[0], length + 1);
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

void CDialog::SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }

CDialog* CDialog::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CDialog*>(GetPropA(hwnd, kDialogProperty)) : nullptr;
}

UINT CDialog::DpiOf(HWND window) {
    CDialog* dialog = FromHandle(window);
    return dialog ? dialog->Dpi() : WindowDpi(window);
}

bool CDialog::RouteMessage(MSG* msg) {
    if (!msg->hwnd)
        return false;
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    CDialog* dialog = FromHandle(root);
    if (!dialog)
        return false;
    if (dialog->PreTranslateMessage(msg))
        return true;
    // The dialog may have gone while it pre-translated (a key that closed it).
    if (!IsWindow(root))
        return true;
    return IsDialogMessageW(root, msg) != FALSE;
}

BOOL CDialog::OnInit() { return TRUE; }
bool CDialog::OnCommand(int, int, HWND) { return false; }
LRESULT CDialog::OnNotify(NMHDR*) { return 0; }
void CDialog::OnSize(int, int) {}
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CDialog::OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

bool CDialog::PreTranslateMessage(MSG*) { return false; }
void CDialog::PostNcDestroy() {}

int CDialog::Scaled(int value) const { return ScaleForDpi(value, Dpi()); }

void CDialog::OnDpiChanged(const RECT& suggested) {
    if (!IsBeingPlaced(hwnd_))
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(hwnd_, &client);
    OnSize(client.right, client.bottom);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
        SetPropA(hwnd, kDialogProperty, dialog);
    } else {
        dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!dialog)
        return FALSE;
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kDialogProperty);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        dialog->hwnd_ = nullptr;
        dialog->PostNcDestroy();
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: rescaler_.Record(hwnd_, WindowDpi(hwnd_)); return OnInit();
    case WM_DPICHANGED:
        rescaler_.Rescale(HIWORD(wParam));
        OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if (OnCommand(id, code, reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (id == IDOK && code == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && code == BN_CLICKED) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = OnNotify(reinterpret_cast<NMHDR*>(lParam));
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return result != 0;
    }
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return FALSE;
    default: {
        bool handled = false;
        INT_PTR result = OnMessage(message, wParam, lParam, handled);
        return handled ? result : FALSE;
    }
    }
}
