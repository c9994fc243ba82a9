#include "frmmain.h"

#include <cstring>
#include <utility>

#include "clipboard.h"
#include "dpi.h"
#include "platform.h"
#include "random.h"

using rt::Platform;
using saver::SaverMode;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDigitGreen = RGB(0, 128, 0);
constexpr wchar_t kPreviewMarker[] = L"Priview";
constexpr wchar_t kInstanceName[] = L"Local\\Veltrin.ScreenSaver.Running";

HWND PreviewHostOf(const std::string& command) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(saver::GetPreviewParent(command)));
}

}  // namespace

frmmain::frmmain(std::string command, rt::Callback<void()> showAbout)
    : rt::Form({.caption = L"Veltrin", .backColor = kBlack, .windowState = rt::WindowState::Maximized,
                .ownDc = true}),  // a private DC: the columns draw at every step
      mode_(saver::ModeOf(command)),
      previewHost_(PreviewHostOf(command)),
      showAbout_(std::move(showAbout)) {}

// The digits are all the saver shows: drawn at their monitor's dots per inch,
// they are sharp at any scale. A preview is made with its host's awareness,
// whatever it is, since Windows refuses a child of another; hidden behind the
// about window, the effect stays as the program is.
DPI_AWARENESS_CONTEXT frmmain::Awareness() const {
    switch (mode_) {
        case SaverMode::Preview: return rt::WindowAwareness(previewHost_);
        case SaverMode::Configure: return nullptr;
        default: return rt::kPerMonitorAware;
    }
}

rt::TextBox::Design frmmain::ColumnDesign() {
    return {.left = 105, .top = 90, .width = 165, .height = 885, .backColor = kBlack, .foreColor = kDigitGreen,
            .font = {L"Arial", 9.75f, FW_NORMAL, ANSI_CHARSET}};
}

void frmmain::SetTopMost(bool value) {
    ::SetWindowPos(hWnd(), value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// ---- start-up --------------------------------------------------------------

void frmmain::Form_Load() {
    ColumnCount = 0;
    if (!MayRun(mode_)) rt::End();
    // Sent at once with the display's state and again at each change.
    displayNotice_.reset(::RegisterPowerSettingNotification(hWnd(), &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE));

    switch (mode_) {
        case SaverMode::Preview:
            StartPreview();
            break;
        case SaverMode::Configure:
            // The effect stays hidden behind the about window: its columns are
            // never laid out and no step runs, which would take a whole core.
            Timer1.SetEnabled(false);
            DoIt.SetEnabled(false);
            showAbout_();
            Hide();
            break;
        case SaverMode::Password:
            rt::Beep();
            rt::End();
        case SaverMode::FullScreen:
            StartFullScreen();
            break;
        case SaverMode::None:
            break;  // shown as designed
    }
}

// One copy at a time. A preview neither counts as a copy nor is stopped by
// one: the display settings start a preview while the user tests the saver.
// A clipboard holding exactly the old preview marker still lets a copy through;
// it is read only then, since its owner may be slow, hung or hold megabytes.
bool frmmain::MayRun(SaverMode mode) {
    if (mode == SaverMode::Preview) return true;
    instance_.emplace(kInstanceName);
    return !instance_->AnotherCopyRunning() || rt::Clipboard::HoldsText(kPreviewMarker);
}

void frmmain::StartPreview() {
    PreviewMode = true;
    HostWindow = previewHost_;
    // Without a window to draw into, a preview would run unseen for ever; in
    // the desktop's it would cover the screen, and nothing would end it.
    if (!HostWindow || !::IsWindow(HostWindow) || HostWindow == ::GetDesktopWindow()) rt::End();
    SetCaption(L"Preview");
    // A plain child of the host: a pop-up cannot also be a child, a child has
    // no owner, and a caption or a tool window's frame make no sense inside it.
    const LONG style = ::GetWindowLongA(hWnd(), GWL_STYLE);
    ::SetWindowLongA(hWnd(), GWL_STYLE, (style & ~(WS_POPUP | WS_CAPTION)) | WS_CHILD);
    const LONG exStyle = ::GetWindowLongA(hWnd(), GWL_EXSTYLE);
    ::SetWindowLongA(hWnd(), GWL_EXSTYLE, exStyle & ~(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
    Platform().SetParent(hWnd(), HostWindow);
    SetWindowState(rt::WindowState::Normal);  // maximised, a child would take the screen's size
    FitHost(SWP_SHOWWINDOW);
    tmrHost.SetEnabled(true);
    WatchHost();
}

// The host's client area, at the start and whenever its size changes.
void frmmain::FitHost(UINT flags) {
    RECT client{};
    ::GetClientRect(HostWindow, &client);
    if (!flags && ::EqualRect(&client, &HostRect)) return;
    HostRect = client;
    ::SetWindowPos(hWnd(), nullptr, 0, 0, HostRect.right, HostRect.bottom, SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

void frmmain::WatchHost() {
    if (!::IsWindow(HostWindow)) Unload();
    // Hidden, minimised, or below a hidden or message-only window: unseen.
    hostShown_ = ::IsWindowVisible(hWnd()) && !::IsIconic(::GetAncestor(hWnd(), GA_ROOT));
    FollowWindowDpi();  // a child has its host's, which may be on another monitor now
    FitHost(0);
}

void frmmain::StartFullScreen() {
    SetTopMost(true);
    Platform().ShowCursor(FALSE);
    // Every monitor of the desk: maximised, the window would cover only one.
    SetWindowState(rt::WindowState::Normal);
    coversDesk_ = true;
    CoverTheDesk();
    Show();
}

// The whole virtual screen, again whenever it changes (a resolution, a monitor
// plugged in); the columns keep their layout, the rest is the black background.
void frmmain::CoverTheDesk() {
    const RECT desk = rt::Screen::Virtual();
    const float x = rt::TwipsPerPixelX(Dpi()), y = rt::TwipsPerPixelY(Dpi());
    Move(desk.left * x, desk.top * y, (desk.right - desk.left) * x, (desk.bottom - desk.top) * y);
}

LRESULT frmmain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DPICHANGED) {
        // The columns move under a pointer at rest: its next event only
        // records where it is, as the first one does.
        windowPair_ = columnPair_ = saver::MovementRule{};
        Form::HandleMessage(msg, wParam, lParam);
        if (coversDesk_) CoverTheDesk();
        return 0;
    }
    if (msg == WM_DISPLAYCHANGE && coversDesk_) CoverTheDesk();
    if (msg == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
        const auto& setting = *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
        if (setting.PowerSetting == GUID_CONSOLE_DISPLAY_STATE && setting.DataLength >= sizeof(DWORD)) {
            DWORD state = 0;
            std::memcpy(&state, setting.Data, sizeof state);
            displayOn_ = state != PowerMonitorOff;  // a dimmed display still shows the digits
        }
        return TRUE;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

// ---- exit rules ------------------------------------------------------------

void frmmain::ShowCursorAndEnd() {
    Platform().ShowCursor(TRUE);
    rt::End();
}

void frmmain::Form_KeyDown(int, int) {
    if (!PreviewMode) rt::End();
}

void frmmain::Form_MouseDown(int, int, float, float) {
    if (!PreviewMode) Unload();
}

void frmmain::Form_MouseMove(int, int, float X, float Y) {
    if (!PreviewMode && windowPair_.Fires(X, Y)) rt::End();
}

void frmmain::Text1_MouseMove(int, int, int, float X, float Y) {
    if (!PreviewMode && columnPair_.Fires(X, Y)) ShowCursorAndEnd();
}

void frmmain::Text1_Click(int) { ShowCursorAndEnd(); }

void frmmain::Form_Unload(int&) { ShowCursorAndEnd(); }

void frmmain::Form_Terminate() { ShowCursorAndEnd(); }

// ---- the effect ------------------------------------------------------------

void frmmain::Timer1_Timer() {
    const float w = Text1(0).Width();
    const float h = Height();
    Text1(0).Move(0, 0, w, h);
    const saver::ColumnPlan plan = saver::PlanColumns(Width(), w);
    for (int i = 1; i <= plan.lastCreated; ++i) {
        Text1.Load(i);
        rt::TextBox& column = Text1(i);
        column.SetVisible(true);
        column.Move(static_cast<float>(i) * w, 0, Text1(0).Width(), h);
    }
    ColumnCount = plan.columnCount;
    Timer1.SetEnabled(false);
}

void frmmain::Step(int col, int k) {
    rt::TextBox& column = Text1(col);
    next_.assign(column.Text());
    saver::AppendPiece(next_, k);
    column.SetText(next_);
}

void frmmain::DoIt_Timer() {
    try {
        for (;;) {
            saver::RunPass([this] { return static_cast<int>(ColumnCount); }, rt::Rnd, [this](int col, int k) {
                WaitUntilSeen();
                Step(col, k);
                rt::DoEvents();
            });
        }
    } catch (const std::exception&) {
        // A failed step leaves the loop silently; the next tick of DoIt starts it afresh.
    }
}

// While nobody can see the digits the loop waits for events instead of
// stepping, and every handler runs as before. The timers do not wake it: the
// loop's own would, at each of its ticks; a preview looks at its host each time
// it wakes, at the latest when its host's watch is due.
void frmmain::WaitUntilSeen() {
    while (!displayOn_ || !hostShown_) {
        Platform().MsgWaitForMultipleObjectsEx(0, nullptr, PreviewMode ? kHostWatchMs : INFINITE, QS_ALLINPUT & ~QS_TIMER,
                                               MWMO_INPUTAVAILABLE);
        rt::DoEvents();
        if (PreviewMode) WatchHost();
    }
}
