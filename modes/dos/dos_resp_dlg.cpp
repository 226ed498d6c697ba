#include "modes/dos/dos_resp_dlg.h"

#include "modes/dos/child_link.h"
#include "modes/dos/output_messages.h"
#include "platform/output_view.h"
#include "resources/resource.h"

namespace {

const UINT_PTR kFetchTimer = 1;
// While output flows the window takes it this often: each delivery and the painting after it cost
// the bar's thread a few milliseconds however much they add.
const UINT kFetchMs = 25;
// The most output one delivery adds: the view takes it in a few milliseconds, so the bar answers
// keys between deliveries and the lock the reader shares is held only briefly.
const size_t kBatchLimit = 1024 * 1024;

}  // namespace

CdosRespDlg::CdosRespDlg() : CCompanionDialog(IDD_DOS_RESP) { RegisterOutputView(); }

std::string CdosRespDlg::Text() const { return ItemText(IDC_DOS_OUTPUT); }

BOOL CdosRespDlg::OnInit() {
    edit_ = Item(IDC_DOS_OUTPUT);
    controlsReady_ = true;
    FillClientArea();
    return TRUE;
}

void CdosRespDlg::OnSize(int, int) {
    if (controlsReady_)
        FillClientArea();
}

// Enter would end a dialog; this window only shows text.
void CdosRespDlg::OnOK() {}

// The close box and Escape hide the window; the mode shows it again on the next command.
void CdosRespDlg::OnCancel() { ShowWindow(hwnd(), SW_HIDE); }

INT_PTR CdosRespDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
    switch (message) {
    case kSetOutputMessage:
    case kAppendOutputMessage: ShowText(message, reinterpret_cast<const char*>(wParam)); break;
    case kOutputReadyMessage:
        // The note comes before the user's keys and clicks; they go first.
        if (HIWORD(GetQueueStatus(QS_INPUT)))
            SetTimer(hwnd(), kFetchTimer, kFetchMs, nullptr);
        else
            FetchOutput();
        break;
    case WM_TIMER:
        if (wParam != kFetchTimer) {
            handled = false;
            return 0;
        }
        FetchOutput();
        break;
    default: handled = false; return 0;
    }
    handled = true;
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, 0);
    return TRUE;
}

void CdosRespDlg::FillClientArea() {
    RECT client;
    GetClientRect(hwnd(), &client);
    MoveWindow(edit_, 0, 0, client.right, client.bottom, TRUE);
}

void CdosRespDlg::ShowText(UINT message, const char* text) {
    if (!text)
        text = "";
    if (message == kSetOutputMessage) {
        SetWindowTextA(edit_, text);
    } else {
        // Positions past the end stand for the end.
        SendMessageA(edit_, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    }
    ScrollToLastLine();
}

// One batch of the link's new output. After a batch a timer looks for the next, until one finds
// nothing new: timer messages come after keys and painting, so the bar answers its user first.
void CdosRespDlg::FetchOutput() {
    if (link_ && link_->DeliverNewOutput(kBatchLimit))
        SetTimer(hwnd(), kFetchTimer, kFetchMs, nullptr);
    else
        KillTimer(hwnd(), kFetchTimer);
}

void CdosRespDlg::ScrollToLastLine() {
    LRESULT lines = SendMessageA(edit_, EM_GETLINECOUNT, 0, 0);
    SendMessageA(edit_, EM_LINESCROLL, 0, lines);
}
