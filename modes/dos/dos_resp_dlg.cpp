#include "modes/dos/dos_resp_dlg.h"

#include <algorithm>
#include <cstring>

#include "modes/dos/child_link.h"
#include "modes/dos/output_messages.h"
#include "resources/resource.h"

namespace {

const UINT_PTR kFetchTimer = 1;
// A batch of output should keep the edit box busy about this long, so that the window is
// repainted several times a second and the bar answers keys meanwhile.
const double kBatchBudgetMs = 80;
// Every change of a long text costs the edit box time that grows with the text (Wine's walks its
// lines to lay out and paint): batches never fall below this share of the text shown, so that a
// long output costs time in proportion to its length.
const size_t kTextShareDivisor = 16;
const size_t kSmallestBatch = 4 * 1024;
const size_t kLargestBatch = 64 * 1024 * 1024;

}  // namespace

CdosRespDlg::CdosRespDlg() : CCompanionDialog(IDD_DOS_RESP) {}

std::string CdosRespDlg::Text() const { return ItemText(IDC_DOS_OUTPUT); }

BOOL CdosRespDlg::OnInit() {
    edit_ = Item(IDC_DOS_OUTPUT);
    // A fresh multi-line edit box stops taking text at 30,000 characters.
    SendMessageA(edit_, EM_SETLIMITTEXT, 0, 0);
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
    case kAppendOutputMessage:
        ShowText(message, reinterpret_cast<const char*>(wParam));
        break;
    case kOutputReadyMessage:
        FetchOutput();
        break;
    case WM_TIMER:
        if (wParam != kFetchTimer) {
            handled = false;
            return 0;
        }
        FetchOutput();
        break;
    default:
        handled = false;
        return 0;
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
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    size_t length = strlen(text);
    if (message == kSetOutputMessage) {
        SetWindowTextA(edit_, text);
        textLength_ = length;
    } else {
        textLength_ += length;
        // Positions past the end stand for the end, without asking for the (long) text's length.
        SendMessageA(edit_, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    }
    ScrollToLastLine();
    QueryPerformanceCounter(&end);
    double ms = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    AdjustBatchLimit(length, ms);
}

// An edit box's cost has a part per byte and a part per change (under Wine the larger one for
// small changes): the limit follows what full batches actually cost, towards the budget.
void CdosRespDlg::AdjustBatchLimit(size_t length, double ms) {
    if (length < batchLimit_ / 2 || ms <= 0)
        return;
    double scale = std::min(2.0, std::max(0.5, kBatchBudgetMs / ms));
    double limit = static_cast<double>(batchLimit_) * scale;
    batchLimit_ = limit >= static_cast<double>(kLargestBatch) ? kLargestBatch
                                                              : std::max(kSmallestBatch, static_cast<size_t>(limit));
}

// One batch of the link's new output. While more waits, a timer brings the next batch: timer
// messages come after keys and painting, so the bar stays responsive and the window live.
void CdosRespDlg::FetchOutput() {
    KillTimer(hwnd(), kFetchTimer);
    if (link_ && link_->DeliverNewOutput(std::max(batchLimit_, textLength_ / kTextShareDivisor)))
        SetTimer(hwnd(), kFetchTimer, USER_TIMER_MINIMUM, nullptr);
}

void CdosRespDlg::ScrollToLastLine() {
    LRESULT lines = SendMessageA(edit_, EM_GETLINECOUNT, 0, 0);
    SendMessageA(edit_, EM_LINESCROLL, 0, lines);
}
