#pragma once
// The one window procedure of the runtime: it binds the C++ object to its
// window at WM_NCCREATE, hands every message to that object, and unbinds it
// when the window is gone. No exception ever leaves it.
#include <windows.h>

#include "handles.h"

namespace rt {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hWnd() const noexcept { return hwnd_; }
    bool HasWindow() const noexcept { return hwnd_ != nullptr; }

protected:
    // Creates the window of the runtime's own class; false if the system refused.
    // `ownDc`: a private DC, for a window that draws between paints all the time.
    bool CreateNative(DWORD exStyle, DWORD style, const wchar_t* caption, RECT bounds, HWND parent, bool ownDc = false);
    void DestroyNative();

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window is gone, whoever destroyed it.
    virtual void OnWindowGone() {}

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;  // owned: destroyed with the object unless the system did it first
};

// A handler let a failure escape: the program ends at once, as for any
// failure that no handler armed a path for.
[[noreturn]] void UnhandledFailure(const char* what) noexcept;

}  // namespace rt
