#pragma once
// How a step of the setup fails: with the system's error code of the very
// call that failed, taken at that call and carried in the failure, so that
// the log can say why. Any call in between may change the thread's last
// error. A check of the setup's own throws rt::Failure with no code.
#include <windows.h>

#include "failure.h"

namespace setup {

// For calls that report their error through GetLastError: throws `what` with
// it when `failed`.
inline void ThrowLastErrorIf(bool failed, const char* what) {
    if (failed) throw rt::Failure(what, ::GetLastError());
}

// For calls that return their error, as the registry's do.
inline void ThrowIfWin32Error(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) throw rt::Failure(what, static_cast<unsigned long>(status));
}

}  // namespace setup
