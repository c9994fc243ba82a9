#pragma once
// The system calls whose exact use the programs promise (which call, with
// which arguments, how often) go through this one table, so that a test can
// replace an entry and count or fake it. Everything else calls Win32 directly.
#include <windows.h>

namespace rt {

struct PlatformCalls {
    decltype(&::ShowCursor) ShowCursor = ::ShowCursor;
    decltype(&::GetWindowLongA) GetWindowLongA = ::GetWindowLongA;
    decltype(&::SetWindowLongA) SetWindowLongA = ::SetWindowLongA;
    decltype(&::SetWindowRgn) SetWindowRgn = ::SetWindowRgn;
    decltype(&::SetLayeredWindowAttributes) SetLayeredWindowAttributes = ::SetLayeredWindowAttributes;
    decltype(&::GetVersionExA) GetVersionExA = ::GetVersionExA;
    decltype(&::ExitProcess) ExitProcess = ::ExitProcess;
    decltype(&::CreateProcessW) CreateProcessW = ::CreateProcessW;
    decltype(&::GetSystemMetrics) GetSystemMetrics = ::GetSystemMetrics;
    // The setup's renames and its entry in the list of installed programs.
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
