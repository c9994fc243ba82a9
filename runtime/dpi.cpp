#include "dpi.h"

#include "app.h"

namespace rt {
namespace {

struct DpiCalls {
    DPI_AWARENESS_CONTEXT(WINAPI* setThreadAwareness)(DPI_AWARENESS_CONTEXT) = nullptr;
    DPI_AWARENESS_CONTEXT(WINAPI* windowAwareness)(HWND) = nullptr;
    UINT(WINAPI* windowDpi)(HWND) = nullptr;
};

template <class F>
void Find(HMODULE user32, const char* name, F& call) {
    call = reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(user32, name)));
}

const DpiCalls& Calls() {
    static const DpiCalls calls = [] {
        const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
        DpiCalls found;
        Find(user32, "SetThreadDpiAwarenessContext", found.setThreadAwareness);
        Find(user32, "GetWindowDpiAwarenessContext", found.windowAwareness);
        Find(user32, "GetDpiForWindow", found.windowDpi);
        return found;
    }();
    return calls;
}

}  // namespace

DPI_AWARENESS_CONTEXT WindowAwareness(HWND window) {
    return Calls().windowAwareness ? Calls().windowAwareness(window) : nullptr;
}

int WindowDpi(HWND window) {
    const UINT dpi = Calls().windowDpi ? Calls().windowDpi(window) : 0;
    return dpi ? static_cast<int>(dpi) : kDesignDpi;
}

ThreadAwareness::ThreadAwareness(DPI_AWARENESS_CONTEXT awareness) {
    if (!awareness) return;  // an unaware form asks nothing of the system
    const auto set = Calls().setThreadAwareness;
    if (!set) return;
    earlier_ = set(awareness);
    if (!earlier_ && awareness == kPerMonitorAware) earlier_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

ThreadAwareness::~ThreadAwareness() {
    if (earlier_) Calls().setThreadAwareness(earlier_);
}

}  // namespace rt
