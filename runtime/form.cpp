#include "form.h"

#include <algorithm>

#include "dpi.h"
#include "failure.h"
#include "platform.h"
#include "raised_flag.h"
#include "timer.h"

namespace rt {
namespace {

int loadedForms = 0;
// Windows of loaded forms whose controls take the dialog keys.
std::vector<HWND> dialogForms;
// Windows of loaded forms that see their controls' keys first.
std::vector<HWND> previewForms;

DWORD StyleOf(const FormDesign& d) {
    return d.bordered ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN)
                      : (WS_POPUP | WS_CLIPCHILDREN);
}

DWORD ExStyleOf(const FormDesign& d) { return d.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW; }

}  // namespace

Form::Form(const FormDesign& design)
    : Container(design.scale, design.backColor), design_(design), state_(design.windowState) {}

// A form that goes while loaded takes its window with it here, where the
// form's own handling of its destruction still runs: the count of loaded
// forms and the list of dialog forms must not keep it. Its controls, timers
// and the derived form's handlers are gone already.
Form::~Form() {
    children_.clear();
    DestroyNative();
}

void Form::RemoveTimer(Timer* timer) { std::erase(timers_, timer); }

void Form::Load() {
    if (IsLoaded() || inLoad_) return;
    // Until its load is done: what Form_Load measures and places, it does in
    // the window's own pixels, as its window procedure does.
    const ThreadAwareness awareness(Awareness());
    RECT bounds{0, 0, TwipsToPixelsX(design_.clientWidth), TwipsToPixelsY(design_.clientHeight)};
    ::AdjustWindowRectEx(&bounds, StyleOf(design_), FALSE, ExStyleOf(design_));
    ::OffsetRect(&bounds, -bounds.left, -bounds.top);
    if (!CreateNative(ExStyleOf(design_), StyleOf(design_), design_.caption, bounds, nullptr, design_.ownDc)) {
        throw Failure("the window could not be created");
    }
    ++loadedForms;
    aware_ = awareness.Taken();
    FollowWindowDpi();
    if (design_.centered) CenterOnScreen();
    for (FormChild* child : children_) child->CreateIn(hWnd());
    if (std::any_of(children_.begin(), children_.end(), [](const FormChild* c) { return c->TakesDialogKeys(); })) {
        dialogForms.push_back(hWnd());
    }
    if (design_.keyPreview) previewForms.push_back(hWnd());
    for (Timer* t : timers_) t->Arm();
    hiddenDuringLoad_ = false;
    const RaisedFlag loading(inLoad_);
    Form_Load();
}

void Form::Show() {
    Load();
    if (!IsLoaded()) return;
    if (design_.activates) {
        ::ShowWindow(hWnd(), state_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    } else if (!::IsWindowVisible(hWnd())) {
        // As it is sized and placed. Shown again, it keeps its place in the
        // window order: SW_SHOWNA would raise it over the windows in front.
        ::ShowWindow(hWnd(), SW_SHOWNA);
    }
    ::UpdateWindow(hWnd());
}

void Form::Hide() {
    if (inLoad_) hiddenDuringLoad_ = true;
    if (IsLoaded()) ::ShowWindow(hWnd(), SW_HIDE);
}

bool Form::Visible() const { return IsLoaded() && ::IsWindowVisible(hWnd()); }

void Form::Unload() {
    if (!IsLoaded() || unloading_) return;
    if (RunUnload() != 0) return;
    const RaisedFlag destroying(unloading_);
    DestroyNative();
}

int Form::RunUnload() {
    const RaisedFlag unloading(unloading_);
    int cancel = 0;
    Form_Unload(cancel);
    return cancel;
}

void Form::CenterOnScreen() {
    RECT r{};
    ::GetWindowRect(hWnd(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const auto metric = Platform().GetSystemMetrics;
    ::SetWindowPos(hWnd(), nullptr, (metric(SM_CXSCREEN) - w) / 2, (metric(SM_CYSCREEN) - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TranslateDialogKeys(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (msg.message == WM_KEYDOWN && root != msg.hwnd && std::find(previewForms.begin(), previewForms.end(), root) != previewForms.end()) {
        ::SendMessageW(root, msg.message, msg.wParam, msg.lParam);  // through its window procedure, which keeps failures in
    }
    return std::find(dialogForms.begin(), dialogForms.end(), root) != dialogForms.end() &&
           ::IsDialogMessageW(root, &msg);
}

void Form::RouteCommand(HWND control, WORD code) {
    for (FormChild* child : children_) {
        if (child->ChildWindow() == control) {
            child->OnCommand(code);
            return;
        }
    }
}

LRESULT Form::FocusedPushButton() const {
    // Enter presses the push button that has the focus, as in a dialog.
    const HWND focus = ::GetFocus();
    if (!focus || !::IsChild(hWnd(), focus) || !(::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) return 0;
    return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
}

void Form::RestoreFocus() {
    // Back to the control that had the focus, as a dialog does; else the first.
    if (lastFocus_ && ::IsChild(hWnd(), lastFocus_)) {
        ::SetFocus(lastFocus_);
    } else if (!children_.empty() && children_.front()->ChildWindow()) {
        ::SetFocus(children_.front()->ChildWindow());
    }
}

void Form::OnWindowGone() {
    for (FormChild* child : children_) child->OnFormGone();
    lastFocus_ = nullptr;
    if (--loadedForms == 0) ::PostQuitMessage(0);
}

void Form::FollowWindowDpi() {
    if (aware_) SetDpi(WindowDpi(hWnd()));
}

float Form::Left() const {
    RECT r{};
    if (IsLoaded()) ::GetWindowRect(hWnd(), &r);
    return r.left * TwipsPerPixelX(Dpi());
}
float Form::Top() const {
    RECT r{};
    if (IsLoaded()) ::GetWindowRect(hWnd(), &r);
    return r.top * TwipsPerPixelY(Dpi());
}
float Form::Width() const {
    RECT r{};
    if (IsLoaded()) ::GetWindowRect(hWnd(), &r);
    return (r.right - r.left) * TwipsPerPixelX(Dpi());
}
float Form::Height() const {
    RECT r{};
    if (IsLoaded()) ::GetWindowRect(hWnd(), &r);
    return (r.bottom - r.top) * TwipsPerPixelY(Dpi());
}

void Form::Move(float left, float top) {
    Load();
    ::SetWindowPos(hWnd(), nullptr, TwipsToPixelsX(left, Dpi()), TwipsToPixelsY(top, Dpi()), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(float left, float top, float width, float height) {
    Load();
    ::SetWindowPos(hWnd(), nullptr, TwipsToPixelsX(left, Dpi()), TwipsToPixelsY(top, Dpi()),
                   TwipsToPixelsX(width, Dpi()), TwipsToPixelsY(height, Dpi()), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetWindowState(WindowState state) {
    state_ = state;
    if (Visible()) Show();
}

void Form::SetCaption(const std::wstring& caption) {
    Load();
    ::SetWindowTextW(hWnd(), caption.c_str());
}

void Form::ZOrder() {
    if (IsLoaded()) ::SetWindowPos(hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::FitToMonitor(MINMAXINFO& info) const {
    // A maximised form without a frame covers its whole monitor, task bar included.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoW(::MonitorFromWindow(hWnd(), MONITOR_DEFAULTTOPRIMARY), &mi)) return;
    info.ptMaxPosition = {0, 0};
    info.ptMaxSize = {mi.rcMonitor.right - mi.rcMonitor.left, mi.rcMonitor.bottom - mi.rcMonitor.top};
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KEYDOWN:
            Form_KeyDown(static_cast<int>(wParam), CurrentShiftState());
            return 0;
        case WM_SYSKEYDOWN:
            Form_KeyDown(static_cast<int>(wParam), CurrentShiftState());
            break;  // Alt+F4 and the system menu keys keep working
        case WM_TIMER:
            for (Timer* t : timers_) {
                if (t->id_ == wParam) {
                    t->Fire();
                    return 0;
                }
            }
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DESTROY:
            std::erase(dialogForms, hWnd());
            std::erase(previewForms, hWnd());
            // Destroyed by someone else (a parent window going away): that unloads the form too.
            if (!unloading_) RunUnload();
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus && ::IsChild(hWnd(), focus)) lastFocus_ = focus;
            }
            break;
        case WM_COMMAND:
            if (lParam) RouteCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            return FocusedPushButton();
        case WM_DPICHANGED: {
            // Another scale, or a monitor of another: drawn at its dots per
            // inch, where the system suggests.
            if (!aware_) break;
            SetDpi(LOWORD(wParam));
            const RECT& r = *reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(hWnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_GETMINMAXINFO:
            if (!design_.bordered && HasWindow()) FitToMonitor(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        default:
            break;
    }
    return Container::HandleMessage(msg, wParam, lParam);
}

}  // namespace rt
