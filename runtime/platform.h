#pragma once
// The system calls that tests replace, to count them or to fake what the
// machine cannot provide (a second monitor, a failing disk, the end of the
// program), go through this one table. Everything else calls Win32 directly.
#include <windows.h>

namespace rt {

struct PlatformCalls {
    decltype(&::ShowCursor) ShowCursor = ::ShowCursor;
    decltype(&::ExitProcess) ExitProcess = ::ExitProcess;
    decltype(&::CreateProcessW) CreateProcessW = ::CreateProcessW;
    decltype(&::GetSystemMetrics) GetSystemMetrics = ::GetSystemMetrics;
    // Windows refuses a parent of another awareness of the display's scale
    // than its child's; Wine takes any.
    decltype(&::SetParent) SetParent = ::SetParent;
    // Renames and registry writes, which tests make fail on purpose.
    decltype(&::MoveFileExW) MoveFileExW = ::MoveFileExW;
    decltype(&::RegSetValueExW) RegSetValueExW = ::RegSetValueExW;
    decltype(&::MsgWaitForMultipleObjectsEx) MsgWaitForMultipleObjectsEx = ::MsgWaitForMultipleObjectsEx;
};

// The table in use. Tests swap entries through PlatformOverride.
PlatformCalls& Platform();

// Replaces the whole table for one scope and restores it afterwards.
class PlatformOverride {
public:
    PlatformOverride() : saved_(Platform()) {}
    ~PlatformOverride() { Platform() = saved_; }
    PlatformOverride(const PlatformOverride&) = delete;
    PlatformOverride& operator=(const PlatformOverride&) = delete;
    PlatformCalls* operator->() { return &Platform(); }

private:
    PlatformCalls saved_;
};

}  // namespace rt
