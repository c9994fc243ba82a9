#pragma once
// A step of the installation that failed, with the system's error code, so
// that the log can say why. Caught as any run-time failure is.
#include <windows.h>

#include "failure.h"

namespace setup {

class StepFailure : public rt::Failure {
public:
    StepFailure(const char* what, unsigned long code) noexcept : rt::Failure(what), code_(code) {}
    unsigned long code() const noexcept { return code_; }

private:
    unsigned long code_;
};

// Throws `what` with the calling thread's last error code.
[[noreturn]] inline void Fail(const char* what) { throw StepFailure(what, ::GetLastError()); }

}  // namespace setup
