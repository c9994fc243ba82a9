#include "mdlAlpha.h"

#include <algorithm>


namespace toolkit {

// The size the call expects for the plain (not extended) version record.
static_assert(sizeof(OSVERSIONINFOA) == 148);

bool LayeringSupported() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    // A failed call leaves the record zeroed, which reads as "no layering".
    ::GetVersionExA(&info);
    return info.dwMajorVersion >= 5;
}

void SetLayeredStyle(HWND window) {
    // A style of 0 is a style; 0 with an error recorded is a failed read.
    ::SetLastError(ERROR_SUCCESS);
    const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE);
    if (style == 0 && ::GetLastError() != ERROR_SUCCESS) return;
    ::SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
}

void ApplyAlpha(rt::Form& form, std::int32_t alpha) {
    if (!LayeringSupported()) return;
    SetLayeredStyle(form.hWnd());
    // Cast straight to a byte, 256 would wrap to fully clear: hold it to the range instead.
    const auto opacity = static_cast<BYTE>(std::clamp<std::int32_t>(alpha, 0, 255));
    ::SetLayeredWindowAttributes(form.hWnd(), 0, opacity, LWA_ALPHA);
}

}  // namespace toolkit
