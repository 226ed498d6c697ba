#include "platform/output_view.h"

#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/accessible.h"
#include "platform/cp932.h"
#include "platform/handles.h"
#include "platform/text_layout.h"

namespace {

const UINT_PTR kDragScrollTimer = 1;
const UINT kDragScrollMs = 50;
const UINT_PTR kScrollBarTimer = 2;
// How long the scroll bar may lag behind added output.
const UINT kScrollBarMs = 100;
// A screen reader hears of added output at most this often, however fast it streams in.
const UINT_PTR kValueEventTimer = 3;
const UINT kValueEventMs = 300;
enum MenuCommand { kMenuCopy = 1, kMenuSelectAll };

class OutputView {
public:
    explicit OutputView(HWND hwnd);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void ApplyFont(HFONT font);
    TextLayout::Metrics Measure();
    void ApplyWidth();
    int ClientHeight() const;
    size_t VisibleLines() const;
    size_t LastTop() const;
    void SetTop(size_t top);
    void ScrollBy(long lines);
    void ScrollToShow(size_t offset);
    void UpdateScrollBar();
    void ShowScrollBar();
    void ShowScrollBarNow();
    void SetText(const char* text);
    void ValueChanged();
    LRESULT AccessibleObject(WPARAM wParam, LPARAM lParam) const;
    void ReplaceSelection(const char* text);
    void Select(size_t anchor, size_t caret);
    size_t SelectionStart() const { return std::min(anchor_, caret_); }
    size_t SelectionEnd() const { return std::max(anchor_, caret_); }
    size_t CharBoundaryAtOrBefore(size_t offset) const;
    size_t OffsetAtPoint(int x, int y) const;
    void SelectWordAt(size_t offset);
    void Copy() const;
    void PutOnClipboard(size_t start, size_t end) const;
    LRESULT GetText(size_t size, char* buffer) const;
    void Paint();
    void PaintLine(HDC dc, size_t line, int y, COLORREF text, bool focused) const;
    void PaintRun(HDC dc, size_t lineStart, size_t from, size_t to, int y, COLORREF text,
                  bool selected) const;
    void PaintBytes(HDC dc, size_t from, size_t to, int x, int y) const;
    void OnVScroll(int code);
    void OnWheel(int delta);
    bool OnKey(WPARAM key);
    void OnDrag(int x, int y);
    void ShowMenu(LPARAM at);

    HWND hwnd_;
    CMemoryDC measureDc_;
    HFONT font_ = nullptr;
    TextLayout layout_;
    int lineHeight_ = 16;
    int margin_ = 2;
    size_t top_ = 0;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    bool dragging_ = false;
    POINT dragPoint_ = {};
    int wheelRest_ = 0;
    SCROLLINFO shownBar_ = {};
    bool barDirty_ = false;
    bool barTimer_ = false;
    bool valueTimer_ = false;
};

OutputView::OutputView(HWND hwnd) : hwnd_(hwnd) {
    ApplyFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void OutputView::ApplyFont(HFONT font) {
    font_ = font;
    size_t topOffset = layout_.LineStart(top_);
    layout_.SetMetrics(Measure());
    ApplyWidth();
    top_ = std::min(layout_.LineOf(topOffset), LastTop());
    UpdateScrollBar();
}

// The widths of every byte standing alone (a lone lead byte as the platform shows an invalid
// byte) are measured once per font, those of double-byte characters when each first appears.
// Without a device context to measure on, every byte is taken as 8 pixels wide and 16 high.
TextLayout::Metrics OutputView::Measure() {
    TextLayout::Metrics m;
    if (!measureDc_)
        measureDc_.Reset(CreateCompatibleDC(nullptr));
    TEXTMETRICA metrics = {};
    metrics.tmHeight = 16;
    metrics.tmAveCharWidth = 8;
    std::fill(std::begin(m.single), std::end(m.single), metrics.tmAveCharWidth);
    if (HDC dc = measureDc_.Get()) {
        CSelectObject selected(dc, font_);
        GetTextMetricsA(dc, &metrics);
        for (int c = 0; c < 256; ++c) {
            char byte = static_cast<char>(c);
            SIZE size = {};
            m.single[c] = GetTextExtentPoint32A(dc, &byte, 1, &size) ? size.cx : 0;
        }
        HFONT font = font_;
        m.measurePair = [dc, font](const char* pair) {
            CSelectObject selected(dc, font);
            SIZE size = {};
            return GetTextExtentPoint32A(dc, pair, 2, &size) ? static_cast<int>(size.cx) : 0;
        };
    }
    lineHeight_ = std::max<int>(1, metrics.tmHeight);
    margin_ = std::max<int>(1, metrics.tmAveCharWidth / 3);
    m.tabWidth = 8 * std::max<int>(1, metrics.tmAveCharWidth);
    return m;
}

void OutputView::ApplyWidth() {
    RECT client;
    GetClientRect(hwnd_, &client);
    layout_.SetWrapWidth(client.right - 2 * margin_);
}

int OutputView::ClientHeight() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    return client.bottom;
}

size_t OutputView::VisibleLines() const {
    return static_cast<size_t>(std::max(1, ClientHeight() / lineHeight_));
}

size_t OutputView::LastTop() const {
    size_t lines = layout_.LineCount(), visible = VisibleLines();
    return lines > visible ? lines - visible : 0;
}

void OutputView::SetTop(size_t top) {
    top = std::min(top, LastTop());
    if (top != top_) {
        top_ = top;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    UpdateScrollBar();
}

void OutputView::ScrollBy(long lines) {
    if (lines < 0)
        SetTop(top_ > static_cast<size_t>(-lines) ? top_ - static_cast<size_t>(-lines) : 0);
    else
        SetTop(top_ + static_cast<size_t>(lines));
}

void OutputView::ScrollToShow(size_t offset) {
    size_t line = layout_.LineOf(offset);
    if (line < top_)
        SetTop(line);
    else if (line >= top_ + VisibleLines())
        SetTop(line + 1 - VisibleLines());
}

// Under Wine each change of a shown scroll bar draws it at once, which takes 10 ms and more, and
// output can change it hundreds of times a second: the bar follows the output on a timer, which
// waits behind the user's input and the painting. The user's own scrolling shows at once.
void OutputView::UpdateScrollBar() {
    barDirty_ = true;
    if (!barTimer_)
        barTimer_ = SetTimer(hwnd_, kScrollBarTimer, kScrollBarMs, nullptr) != 0;
    if (!barTimer_)
        ShowScrollBar();
}

void OutputView::ShowScrollBarNow() {
    if (barDirty_)
        ShowScrollBar();
}

// The bar stays, disabled, when everything fits, so that the width lines wrap at never flips.
void OutputView::ShowScrollBar() {
    barDirty_ = false;
    if (barTimer_) {
        KillTimer(hwnd_, kScrollBarTimer);
        barTimer_ = false;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    size_t lines = layout_.LineCount();
    info.nMax = static_cast<int>(std::min<size_t>(lines - 1, INT_MAX));
    info.nPage = static_cast<UINT>(std::min<size_t>(VisibleLines(), INT_MAX));
    info.nPos = static_cast<int>(std::min<size_t>(top_, INT_MAX));
    if (info.nMax == shownBar_.nMax && info.nPage == shownBar_.nPage && info.nPos == shownBar_.nPos)
        return;
    shownBar_ = info;
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

void OutputView::SetText(const char* text) {
    layout_.Assign(text ? text : "");
    anchor_ = caret_ = 0;
    top_ = 0;
    UpdateScrollBar();
    InvalidateRect(hwnd_, nullptr, FALSE);
    ValueChanged();
}

void OutputView::ValueChanged() {
    if (!valueTimer_)
        valueTimer_ = SetTimer(hwnd_, kValueEventTimer, kValueEventMs, nullptr) != 0;
    if (!valueTimer_)
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

// Read-only text named after the window that holds the view; the value is read when asked, from
// the window, so that an object a reader keeps after the view is gone says nothing.
LRESULT OutputView::AccessibleObject(WPARAM wParam, LPARAM lParam) const {
    AccessibleFacts facts;
    facts.name = WindowTextWide(GetParent(hwnd_));
    facts.role = ROLE_SYSTEM_TEXT;
    facts.state = STATE_SYSTEM_READONLY;
    HWND view = hwnd_;
    facts.value = [view] { return WindowTextWide(view); };
    return AccessibleObjectResult(hwnd_, wParam, lParam, facts);
}

// Text added at the end is laid out alone; anywhere else the whole text is laid out again.
void OutputView::ReplaceSelection(const char* text) {
    if (!text)
        text = "";
    size_t length = strlen(text);
    size_t start = SelectionStart(), end = SelectionEnd();
    if (start == layout_.Text().size()) {
        layout_.Append(text, length);
    } else {
        std::string whole = layout_.Text();
        whole.replace(start, end - start, text, length);
        layout_.Assign(whole);
    }
    anchor_ = caret_ = start + length;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateScrollBar();
    ScrollToShow(caret_);
    ValueChanged();
}

void OutputView::Select(size_t anchor, size_t caret) {
    size_t size = layout_.Text().size();
    anchor = CharBoundaryAtOrBefore(std::min(anchor, size));
    caret = CharBoundaryAtOrBefore(std::min(caret, size));
    if (anchor == anchor_ && caret == caret_)
        return;
    anchor_ = anchor;
    caret_ = caret;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// Lines start on character boundaries: the characters are counted from the line's start.
size_t OutputView::CharBoundaryAtOrBefore(size_t offset) const {
    size_t i = layout_.LineStart(layout_.LineOf(offset));
    for (;;) {
        if (i >= offset)
            return i == offset ? i : offset;
        size_t next = i + layout_.CharLength(i);
        if (next > offset)
            return i;
        i = next;
    }
}

size_t OutputView::OffsetAtPoint(int x, int y) const {
    long row = y >= 0 ? y / lineHeight_ : (y - lineHeight_ + 1) / lineHeight_;
    long line = static_cast<long>(top_) + row;
    line = std::clamp<long>(line, 0, static_cast<long>(layout_.LineCount()) - 1);
    return layout_.OffsetAt(static_cast<size_t>(line), x - margin_);
}

void OutputView::SelectWordAt(size_t offset) {
    const std::string& text = layout_.Text();
    size_t line = layout_.LineOf(offset);
    size_t start = layout_.LineStart(line), end = layout_.LineEnd(line);
    auto blank = [&](size_t i) { return text[i] == ' ' || text[i] == '\t'; };
    size_t wordStart = start, i = start;
    for (; i < end && i < offset; i += layout_.CharLength(i))
        if (blank(i))
            wordStart = i + 1;
    size_t wordEnd = i;
    while (wordEnd < end && !blank(wordEnd))
        wordEnd += layout_.CharLength(wordEnd);
    Select(wordStart, wordEnd);
}

// Hands size bytes to the clipboard as format; the clipboard owns them once it has taken them.
bool SetClipboardBytes(UINT format, const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return false;
    void* bytes = GlobalLock(memory);
    if (bytes) {
        memcpy(bytes, data, size);
        GlobalUnlock(memory);
        if (SetClipboardData(format, memory))
            return true;
    }
    GlobalFree(memory);
    return false;
}

void OutputView::Copy() const {
    size_t start = SelectionStart(), end = SelectionEnd();
    if (start == end || !OpenClipboard(hwnd_))
        return;
    EmptyClipboard();
    PutOnClipboard(start, end);
    CloseClipboard();
}

// As an edit box does: the text in Unicode too, and the locale it is written in, so that a paste
// does not decode the code page 932 bytes with the keyboard layout's code page.
void OutputView::PutOnClipboard(size_t start, size_t end) const {
    const std::string bytes = layout_.Text().substr(start, end - start);
    SetClipboardBytes(CF_TEXT, bytes.c_str(), bytes.size() + 1);
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
    SetClipboardBytes(CF_LOCALE, &japanese, sizeof japanese);
    const int length = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
    int wideLength = MultiByteToWideChar(932, 0, bytes.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return;
    std::wstring wide(static_cast<size_t>(wideLength) + 1, L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), length, &wide[0], wideLength);
    SetClipboardBytes(CF_UNICODETEXT, wide.c_str(), wide.size() * sizeof(wchar_t));
}

// A buffer too small for all of it gets what fits, never half of a double-byte character.
LRESULT OutputView::GetText(size_t size, char* buffer) const {
    if (!size || !buffer)
        return 0;
    const std::string& text = layout_.Text();
    size_t length = std::min(size - 1, text.size());
    if (length < text.size())
        length = CharBoundaryAtOrBefore(length);
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

void OutputView::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    // A read-only edit box asks its parent for its colours as a label does.
    HBRUSH background = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(hwnd_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
    if (!background)
        background = GetSysColorBrush(COLOR_3DFACE);
    COLORREF text = GetTextColor(dc);
    FillRect(dc, &paint.rcPaint, background);
    CSelectObject font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    bool focused = GetFocus() == hwnd_;
    size_t first = top_ + static_cast<size_t>(std::max(0L, paint.rcPaint.top) / lineHeight_);
    size_t last =
        top_ + static_cast<size_t>((std::max(0L, paint.rcPaint.bottom) + lineHeight_ - 1) / lineHeight_);
    for (size_t line = first; line < last && line < layout_.LineCount(); ++line)
        PaintLine(dc, line, static_cast<int>(line - top_) * lineHeight_, text, focused);
    EndPaint(hwnd_, &paint);
}

// The selection shows while the view has the focus, as an edit box's does.
void OutputView::PaintLine(HDC dc, size_t line, int y, COLORREF text, bool focused) const {
    size_t start = layout_.LineStart(line), end = layout_.LineEnd(line);
    size_t from = std::clamp(SelectionStart(), start, end), to = std::clamp(SelectionEnd(), start, end);
    if (!focused || from == to) {
        PaintRun(dc, start, start, end, y, text, false);
        return;
    }
    PaintRun(dc, start, start, from, y, text, false);
    PaintRun(dc, start, from, to, y, GetSysColor(COLOR_HIGHLIGHTTEXT), true);
    PaintRun(dc, start, to, end, y, text, false);
}

// Runs of printable bytes go out in one call each; tabs and carriage returns only move on. A lead
// byte without its trail byte goes out alone, so that the platform cannot pair it with the byte
// after it.
void OutputView::PaintRun(HDC dc, size_t lineStart, size_t from, size_t to, int y, COLORREF text,
                          bool selected) const {
    if (from >= to)
        return;
    int x = layout_.XOf(lineStart, from);
    if (selected) {
        RECT band = {margin_ + x, y, margin_ + layout_.XOf(lineStart, to), y + lineHeight_};
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    SetTextColor(dc, text);
    const std::string& bytes = layout_.Text();
    size_t runStart = from;
    int runX = x;
    for (size_t i = from; i < to;) {
        size_t length = layout_.CharLength(i);
        bool skipped = bytes[i] == '\t' || bytes[i] == '\r';
        bool alone = length == 1 && IsCp932LeadByte(static_cast<unsigned char>(bytes[i]));
        if (skipped || alone) {
            PaintBytes(dc, runStart, i, runX, y);
            if (alone)
                PaintBytes(dc, i, i + 1, x, y);
        }
        x += layout_.Advance(i, x);
        i += length;
        if (skipped || alone) {
            runStart = i;
            runX = x;
        }
    }
    PaintBytes(dc, runStart, to, runX, y);
}

void OutputView::PaintBytes(HDC dc, size_t from, size_t to, int x, int y) const {
    if (from < to)
        TextOutA(dc, margin_ + x, y, layout_.Text().data() + from, static_cast<int>(to - from));
}

void OutputView::OnVScroll(int code) {
    size_t page = VisibleLines();
    switch (code) {
    case SB_LINEUP: ScrollBy(-1); break;
    case SB_LINEDOWN: ScrollBy(1); break;
    case SB_PAGEUP: ScrollBy(-static_cast<long>(page)); break;
    case SB_PAGEDOWN: ScrollBy(static_cast<long>(page)); break;
    case SB_TOP: SetTop(0); break;
    case SB_BOTTOM: SetTop(LastTop()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(hwnd_, SB_VERT, &info))
            SetTop(static_cast<size_t>(std::max(0, info.nTrackPos)));
        break;
    }
    default: break;
    }
    ShowScrollBarNow();
}

void OutputView::OnWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL)
        lines = static_cast<UINT>(VisibleLines());
    wheelRest_ += delta;
    int notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= notches * WHEEL_DELTA;
    ScrollBy(-static_cast<long>(notches) * static_cast<long>(lines));
    ShowScrollBarNow();
}

bool OutputView::OnKey(WPARAM key) {
    bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_UP: ScrollBy(-1); return true;
    case VK_DOWN: ScrollBy(1); return true;
    case VK_PRIOR: OnVScroll(SB_PAGEUP); return true;
    case VK_NEXT: OnVScroll(SB_PAGEDOWN); return true;
    case VK_HOME: SetTop(0); return true;
    case VK_END: SetTop(LastTop()); return true;
    case 'A':
        if (control)
            Select(0, layout_.Text().size());
        return control;
    case 'C':
    case VK_INSERT:
        if (control)
            Copy();
        return control;
    default: return false;
    }
}

// Dragging past the top or the bottom scrolls on a timer while the button is held.
void OutputView::OnDrag(int x, int y) {
    dragPoint_ = {x, y};
    if (y < 0)
        ScrollBy(-1);
    else if (y >= ClientHeight())
        ScrollBy(1);
    Select(anchor_, OffsetAtPoint(x, y));
    ShowScrollBarNow();
}

void OutputView::ShowMenu(LPARAM at) {
    POINT point = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        point = {0, 0};
        ClientToScreen(hwnd_, &point);
    }
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenuA(menu, MF_STRING | (SelectionStart() == SelectionEnd() ? MF_GRAYED : 0), kMenuCopy,
                "コピー(&C)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kMenuSelectAll, "すべて選択(&A)");
    int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
    if (chosen == kMenuCopy)
        Copy();
    else if (chosen == kMenuSelectAll)
        Select(0, layout_.Text().size());
}

LRESULT OutputView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: {
        bool atEnd = top_ == LastTop();
        size_t topOffset = layout_.LineStart(top_);
        ApplyWidth();
        top_ = std::min(atEnd ? LastTop() : layout_.LineOf(topOffset), LastTop());
        ShowScrollBar();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    }
    case WM_SETFONT:
        ApplyFont(wParam ? reinterpret_cast<HFONT>(wParam)
                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        if (LOWORD(lParam))
            InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: SetText(reinterpret_cast<const char*>(lParam)); return TRUE;
    case WM_GETTEXT: return GetText(wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(layout_.Text().size());
    case EM_GETSEL: {
        DWORD start = static_cast<DWORD>(SelectionStart()), end = static_cast<DWORD>(SelectionEnd());
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return start > 0xFFFF || end > 0xFFFF ? -1 : MAKELRESULT(start, end);
    }
    case EM_SETSEL: {
        long start = static_cast<long>(wParam), end = static_cast<long>(lParam);
        size_t size = layout_.Text().size();
        if (start < 0)
            Select(caret_, caret_);
        else
            Select(static_cast<size_t>(start), end < 0 ? size : static_cast<size_t>(end));
        return 0;
    }
    case EM_REPLACESEL: ReplaceSelection(reinterpret_cast<const char*>(lParam)); return 0;
    case EM_GETLINECOUNT: return static_cast<LRESULT>(layout_.LineCount());
    case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(top_);
    case EM_LINESCROLL: ScrollBy(static_cast<long>(lParam)); return TRUE;
    case EM_SCROLLCARET: ScrollToShow(caret_); return TRUE;
    case EM_SETLIMITTEXT:
    case EM_SETREADONLY: return TRUE;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (OnKey(wParam)) {
            ShowScrollBarNow();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (SelectionStart() != SelectionEnd())
            InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd_);
        size_t offset = OffsetAtPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        Select((wParam & MK_SHIFT) ? anchor_ : offset, offset);
        dragging_ = true;
        SetCapture(hwnd_);
        SetTimer(hwnd_, kDragScrollTimer, kDragScrollMs, nullptr);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd_);
        SelectWordAt(OffsetAtPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_)
            OnDrag(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_TIMER:
        if (wParam == kScrollBarTimer) {
            ShowScrollBar();
        } else if (wParam == kValueEventTimer) {
            KillTimer(hwnd_, kValueEventTimer);
            valueTimer_ = false;
            NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
        } else if (wParam == kDragScrollTimer && dragging_ &&
                   (dragPoint_.y < 0 || dragPoint_.y >= ClientHeight()))
            OnDrag(dragPoint_.x, dragPoint_.y);
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (dragging_) {
            dragging_ = false;
            KillTimer(hwnd_, kDragScrollTimer);
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
        }
        return 0;
    case WM_CONTEXTMENU: ShowMenu(lParam); return 0;
    case WM_GETOBJECT:
        if (LRESULT object = AccessibleObject(wParam, lParam))
            return object;
        break;
    default: break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK OutputViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<OutputView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_CREATE) {
        view = new OutputView(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    if (!view)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete view;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return view->Handle(message, wParam, lParam);
}

}  // namespace

bool RegisterOutputView() {
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_DBLCLKS | CS_GLOBALCLASS;
        windowClass.lpfnWndProc = OutputViewProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_IBEAM);
        windowClass.lpszClassName = kOutputViewClass;
        return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}
