#include "shell/about_dlg.h"

#include "platform/accessible.h"
#include "resources/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

BOOL CAboutDlg::OnInit() {
    versionText = "Pavra Ver. 2.0.0.0";
    noticeText = "Copyright (C) 2026 The Pavra Developers";
    SetItemText(IDC_ABOUT_VERSION, versionText);
    SetItemText(IDC_ABOUT_NOTICE, noticeText);
    SetAccessibleName(Item(IDC_ABOUT_ICON), "Pavraのアイコン");
    return TRUE;
}
