#include "pavra_bar.h"

#include "controls.h"
#include "keyboard.h"
#include "mouse.h"
#include "paths.h"
#include "unix_command.h"

#include "resources/resource.h"

#include <algorithm>

namespace e2e {

namespace {

const char kTitle[] = "Pavra";

::testing::AssertionResult Failure(const std::string& why) { return ::testing::AssertionFailure() << why; }

}  // namespace

std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("no-test");
}

PavraBar::PavraBar(const std::string& name) : folder_(name) {
    copied_ = folder_.Valid() && folder_.CopyIn(PavraExe(), "pavra.exe");
    ClearRecordedUrls();
}

PavraBar::PavraBar(const std::string& name, const std::string& program) : folder_(name), program_(program) {
    copied_ = folder_.Valid();
    ClearRecordedUrls();
}

PavraBar::~PavraBar() {
    ReleaseModifiers();
    // The job ends the program and anything it started; the folder goes once nothing holds it.
    process_.Kill();
}

::testing::AssertionResult PavraBar::Launch() {
    window_ = nullptr;
    if (!copied_)
        return Failure("cannot prepare " + folder_.Path() + " with a copy of " + PavraExe());
    if (!folder_.Exists(program_))
        return Failure("no program " + folder_.File(program_));
    // Started from another folder: the program must find its settings beside itself.
    if (!process_.Launch(folder_.File(program_), WorkRoot()))
        return Failure(process_.Error());
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::WaitReady(int ms) {
    window_ = process_.WaitMainWindow(kTitle, IDC_INPUT, ms);
    if (!window_)
        return Failure(process_.Error());
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::Start(int ms) {
    ::testing::AssertionResult launched = Launch();
    return launched ? WaitReady(ms) : launched;
}

std::string PavraBar::Text(int id) const { return WindowText(Item(id)); }

std::string PavraBar::Title() const { return WindowText(window_); }

bool PavraBar::Checked(int id) const { return IsChecked(Item(id)); }

int PavraBar::ModeSelection() const { return ComboSelection(Item(IDC_MODE_LIST)); }

std::vector<std::string> PavraBar::Modes() const { return ComboItems(Item(IDC_MODE_LIST)); }

SIZE PavraBar::ClientSize() const { return ClientSizeOf(window_); }

RECT PavraBar::WindowRect() const { return WindowRectOf(window_); }

RECT PavraBar::ItemRect(int id) const { return ControlRectInParent(Item(id)); }

::testing::AssertionResult PavraBar::MoveTo(int x, int y, int width) {
    RECT now = WindowRect();
    const int w = width ? width : now.right - now.left;
    SetWindowPos(window_, nullptr, x, y, w, now.bottom - now.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (width ? 0 : SWP_NOSIZE));
    if (WaitUntil([&] {
            now = WindowRect();
            return now.left == x && now.top == y && now.right - now.left == w;
        }))
        return ::testing::AssertionSuccess();
    return Failure("the bar stays at " + RectText(now));
}

HWND PavraBar::WaitWindow(const std::string& title) const {
    HWND window = nullptr;
    WaitUntil([&] {
        window = FindWindowByTitle(title);
        return window && IsWindowVisible(window);
    });
    return window && IsWindowVisible(window) ? window : nullptr;
}

bool PavraBar::ComesBackOn(const char* chord) const {
    for (int press = 0; press < 3; ++press) {
        PressKeys(chord);
        if (WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }, 2500))
            return true;
    }
    return false;
}

int PavraBar::FocusId() const {
    HWND focus = FocusOf(window_);
    return focus && GetParent(focus) == window_ ? GetDlgCtrlID(focus) : 0;
}

::testing::AssertionResult PavraBar::Foreground() {
    if (!window_ || !IsWindow(window_))
        return Failure("the bar has no window");
    if (ForegroundWindow() == window_)
        return ::testing::AssertionSuccess();
    SetForegroundWindow(window_);
    if (WaitUntil([&] { return ForegroundWindow() == window_; }, 2000))
        return ::testing::AssertionSuccess();
    // Asking was not enough: click the title strip, as a user would.
    ClickWindow(Item(IDC_TITLE));
    if (WaitUntil([&] { return ForegroundWindow() == window_; }))
        return ::testing::AssertionSuccess();
    return Failure("the bar does not get the foreground");
}

::testing::AssertionResult PavraBar::Type(const std::string& cp932) {
    ::testing::AssertionResult foreground = Foreground();
    if (!foreground)
        return foreground;
    if (!TypeText(cp932))
        return Failure("cannot send the keys for \"" + cp932 + "\"");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::Keys(const std::string& chords) {
    ::testing::AssertionResult foreground = Foreground();
    if (!foreground)
        return foreground;
    if (!PressKeys(chords))
        return Failure("unknown key in \"" + chords + "\"");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::Enter(const std::string& line) {
    const std::string before = Text(IDC_INPUT);
    const std::string answerBefore = Text(IDC_ANSWER);
    ::testing::AssertionResult typed = Type(line);
    if (!typed)
        return typed;
    const bool arrived = WaitUntil([&] {
        const std::string now = Text(IDC_INPUT);
        return now.size() >= line.size() && now.size() == before.size() + line.size() &&
               now.compare(now.size() - line.size(), line.size(), line) == 0;
    });
    if (!arrived)
        return Failure("typed \"" + line + "\", the input line shows \"" + Text(IDC_INPUT) + "\"");
    const std::string typedLine = Text(IDC_INPUT);
    ::testing::AssertionResult pressed = Keys("Return");
    if (!pressed)
        return pressed;
    if (!WaitUntil([&] { return Text(IDC_INPUT) != typedLine || Text(IDC_ANSWER) != answerBefore; }))
        return Failure("Return after \"" + line + "\" changed neither line");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::Click(int id) {
    HWND control = Item(id);
    if (!control)
        return Failure("the bar has no control " + std::to_string(id));
    ::testing::AssertionResult foreground = Foreground();
    if (!foreground)
        return foreground;
    ClickWindow(control);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::ClickAt(int x, int y) {
    ::testing::AssertionResult foreground = Foreground();
    if (!foreground)
        return foreground;
    const RECT client = ClientRectOnScreen(window_);
    e2e::Click(client.left + x, client.top + y);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::WaitText(int id, const std::string& text, int ms) const {
    if (WaitUntil([&] { return Text(id) == text; }, ms))
        return ::testing::AssertionSuccess();
    return Failure("control " + std::to_string(id) + " shows \"" + Text(id) + "\", not \"" + text + "\"");
}

::testing::AssertionResult PavraBar::ClearInput() {
    const std::string line = Text(IDC_INPUT);
    if (line.empty())
        return ::testing::AssertionSuccess();
    // One Backspace per character: a double-byte character goes with one key.
    const int characters =
        MultiByteToWideChar(932, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::string keys = "End";
    for (int i = 0; i < characters; ++i)
        keys += " Backspace";
    ::testing::AssertionResult pressed = Keys(keys);
    if (!pressed)
        return pressed;
    if (!WaitUntil([&] { return Text(IDC_INPUT).empty(); }))
        return Failure("cannot empty the input line: \"" + Text(IDC_INPUT) + "\" is left");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::Quit() {
    // Ctrl+X Ctrl+C quits in every mode ("quit" would be a search word in the web search mode),
    // but only from one of the two lines.
    const int focus = FocusId();
    if (focus != IDC_INPUT && focus != IDC_ANSWER) {
        ::testing::AssertionResult clicked = Click(IDC_INPUT);
        if (!clicked)
            return clicked;
        WaitUntil([&] { return FocusId() == IDC_INPUT; });
    }
    ::testing::AssertionResult typed = Keys("Ctrl+X Ctrl+C");
    if (!typed)
        return typed;
    if (process_.WaitExit(3000))
        return ::testing::AssertionSuccess();
    // The keys did not reach a line: type the command on the input line.
    ::testing::AssertionResult cleared = ClearInput();
    if (!cleared)
        return cleared;
    typed = Type("quit\n");
    if (!typed)
        return typed;
    if (!process_.WaitExit(kWaitMs))
        return Failure("the program still runs after Ctrl+X Ctrl+C and \"quit\"");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PavraBar::Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    if (!process_.WaitExit(kWaitMs))
        return Failure("the program still runs after a close request");
    return ::testing::AssertionSuccess();
}

std::string PavraBar::Screenshot(const std::string& name) const {
    RECT area = {};
    bool any = false;
    for (HWND window : process_.Windows()) {
        if (!IsWindowVisible(window))
            continue;
        const RECT rect = WindowRectOf(window);
        area = any ? RECT{std::min(area.left, rect.left), std::min(area.top, rect.top),
                          std::max(area.right, rect.right), std::max(area.bottom, rect.bottom)}
                   : rect;
        any = true;
    }
    if (!any)
        return SaveScreenshot(name);
    const int margin = 8;
    const RECT part = {std::max(0L, area.left - margin), std::max(0L, area.top - margin),
                       std::min<LONG>(GetSystemMetrics(SM_CXSCREEN), area.right + margin),
                       std::min<LONG>(GetSystemMetrics(SM_CYSCREEN), area.bottom + margin)};
    return SaveScreenshot(name, &part);
}

}  // namespace e2e
