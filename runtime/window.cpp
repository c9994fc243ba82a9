#include "window.h"

#include <exception>

#include "app.h"

namespace rt {
namespace {

// Registered once for the program, with or without a private DC.
const wchar_t* ClassName(WNDPROC procedure, bool ownDc) {
    static const bool registered = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hIcon = ::LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"VeltrinForm";
        bool ok = ::RegisterClassExW(&wc) != 0;
        wc.style = CS_OWNDC;
        wc.lpszClassName = L"VeltrinFormOwnDc";
        return ::RegisterClassExW(&wc) != 0 && ok;
    }();
    (void)registered;
    return ownDc ? L"VeltrinFormOwnDc" : L"VeltrinForm";
}

}  // namespace

Window::~Window() { DestroyNative(); }

bool Window::CreateNative(DWORD exStyle, DWORD style, const wchar_t* caption, RECT bounds, HWND parent, bool ownDc) {
    const HWND created = ::CreateWindowExW(exStyle, ClassName(&Window::Procedure, ownDc), caption, style, bounds.left, bounds.top,
                                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                           nullptr, ::GetModuleHandleW(nullptr), this);
    return created != nullptr;
}

void Window::DestroyNative() {
    if (hwnd_) ::DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnWindowGone();
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const EndRequested&) {
        return 0;  // a test's stand-in for the end of the program
    } catch (const std::exception& e) {
        UnhandledFailure(e.what());
    } catch (...) {
        UnhandledFailure("unknown failure");
    }
}

void UnhandledFailure(const char* what) noexcept {
    ::OutputDebugStringA(what);
    End(1);  // failed, for callers that read exit codes
}

}  // namespace rt
