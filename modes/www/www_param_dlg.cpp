#include "modes/www/www_param_dlg.h"

#include "platform/accessible.h"
#include "resources/resource.h"

namespace {
// The list's height when opened.
const int kOpenListHeight = 200;
}  // namespace

CwwwParamDlg::CwwwParamDlg(const std::vector<std::string>& names, int& siteIndex, CwwwParamDlg*& owner)
    : CDialog(IDD_WWW_PARAM), siteNames(names), siteIndexReference(siteIndex), ownerReference(owner) {}

void CwwwParamDlg::SelectSite(int index) {
    if (hwnd())
        SendMessageA(Item(IDC_WWW_SITES), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

BOOL CwwwParamDlg::OnInit() {
    controlsReady = true;
    FitList();
    HWND list = Item(IDC_WWW_SITES);
    SetAccessibleName(list, "検索サイト");
    for (const std::string& name : siteNames)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SelectSite(siteIndexReference);
    return TRUE;
}

bool CwwwParamDlg::OnCommand(int id, int code, HWND) {
    if (id != IDC_WWW_SITES || code != CBN_SELCHANGE)
        return false;
    LRESULT selected = SendMessageA(Item(IDC_WWW_SITES), CB_GETCURSEL, 0, 0);
    siteIndexReference = selected == CB_ERR ? 0 : static_cast<int>(selected);
    return true;
}

void CwwwParamDlg::OnSize(int, int) {
    if (controlsReady)
        FitList();
}

// Enter and Escape in the strip must not close it: the mode lives with it until shutdown.
void CwwwParamDlg::OnOK() {}
void CwwwParamDlg::OnCancel() {}

void CwwwParamDlg::PostNcDestroy() {
    ownerReference = nullptr;
    delete this;
}

void CwwwParamDlg::FitList() {
    RECT client;
    GetClientRect(hwnd(), &client);
    MoveWindow(Item(IDC_WWW_SITES), 0, 0, client.right, Scaled(kOpenListHeight), TRUE);
}
