#pragma once
// The display's scale. A window made aware of it gets its monitor's dots per
// inch and draws its texts and lengths at that; any other window is laid out
// at 96 and scaled by Windows as a whole. The functions for it came with
// Windows 10: they are looked up as the program runs, so that on an older
// system every window is made, and drawn, as without them.
#include <windows.h>

namespace rt {

// Per-monitor awareness, of version 2 where the system has it.
inline const DPI_AWARENESS_CONTEXT kPerMonitorAware = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;

// The awareness the window was made with; null when the system cannot say.
DPI_AWARENESS_CONTEXT WindowAwareness(HWND window);

// The window's dots per inch: its monitor's when it is aware, else 96.
int WindowDpi(HWND window);

// Windows made on this thread while it lives are made with `awareness`; null
// changes nothing. Per-monitor awareness falls back to version 1 where the
// system has no version 2 (Windows 10 before 1703, Wine): for a window
// without a frame the two differ in nothing this runtime uses.
class ThreadAwareness {
public:
    explicit ThreadAwareness(DPI_AWARENESS_CONTEXT awareness);
    ~ThreadAwareness();
    ThreadAwareness(const ThreadAwareness&) = delete;
    ThreadAwareness& operator=(const ThreadAwareness&) = delete;

    // The system took it: windows made now know their own dots per inch.
    bool Taken() const noexcept { return earlier_ != nullptr; }

private:
    DPI_AWARENESS_CONTEXT earlier_ = nullptr;
};

}  // namespace rt
