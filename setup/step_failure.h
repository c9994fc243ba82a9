#pragma once
// A step of the setup that failed, with the system's error code of the very
// call that failed, so that the log can say why. The code is taken at that
// call and travels in the failure: any call in between may change the
// thread's last error.
#include <windows.h>

#include "failure.h"

namespace setup {

class StepFailure : public rt::Failure {
public:
    // `code` 0: the system reported nothing (a check of the setup's own failed).
    explicit StepFailure(const char* what, unsigned long code = 0) noexcept : rt::Failure(what), code_(code) {}
    unsigned long code() const noexcept { return code_; }

private:
    unsigned long code_;
};

// For calls that report their error through GetLastError: throws `what` with
// it when `failed`.
inline void ThrowLastErrorIf(bool failed, const char* what) {
    if (failed) throw StepFailure(what, ::GetLastError());
}

// For calls that return their error, as the registry's do.
inline void ThrowIfWin32Error(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) throw StepFailure(what, static_cast<unsigned long>(status));
}

}  // namespace setup
