#pragma once
// The end-to-end driver: starts the real programs as processes with real
// command lines, finds their windows, reads the screen, sends real input and
// sees the process end. It waits by polling against a deadline while its own
// windows keep answering; it never sleeps for a fixed time to wait for a window.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "handles.h"
#include "memory_surface.h"
#include "sequential_file.h"
#include "test_support.h"

namespace e2e {

// How long a running program is watched before it counts as "kept running".
inline constexpr DWORD kStaysMs = 400;

// The programs under test, and the saver as it ships (32-bit), which the
// setup installs. VELTRIN_E2E_SAVER and VELTRIN_E2E_SETUP name other
// programs: the shipped ones, say.
inline std::wstring SaverPath() {
    const wchar_t* other = _wgetenv(L"VELTRIN_E2E_SAVER");
    return other ? other : WinePath(VELTRIN_SAVER_PATH);
}
inline std::wstring SetupPath() {
    const wchar_t* other = _wgetenv(L"VELTRIN_E2E_SETUP");
    return other ? other : WinePath(VELTRIN_SETUP_PATH);
}
inline std::wstring ShippedSaverPath() { return WinePath(VELTRIN_SHIPPED_SAVER_PATH); }

// ---- files ------------------------------------------------------------------

inline bool Copy(const std::wstring& from, const std::wstring& to) { return ::CopyFileW(from.c_str(), to.c_str(), FALSE); }

// ---- processes --------------------------------------------------------------

// Variables set in a started program's environment; an empty value removes one.
using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// One started program; terminated when this goes, if it still runs. Every
// program joins one job that dies with the driver, so even a driver killed by
// the test runner leaves none behind.
class Process {
public:
    // `tail` follows the quoted program name as it stands: L" /s".
    Process(const std::wstring& program, const std::wstring& tail, const Environment& environment = {}) {
        static const rt::UniqueKernelHandle job = [] {
            rt::UniqueKernelHandle j(::CreateJobObjectW(nullptr, nullptr));
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            ::SetInformationJobObject(j.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
            return j;
        }();
        // The program inherits the driver's environment, changed for the moment of its start.
        Environment saved;
        for (const auto& [name, value] : environment) {
            const wchar_t* old = _wgetenv(name.c_str());
            saved.emplace_back(name, old ? old : L"");
            _wputenv((name + L"=" + value).c_str());
        }
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::wstring line = L"\"" + program + L"\"" + tail;
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &pi)) {
            ::AssignProcessToJobObject(job.get(), pi.hProcess);
            ::ResumeThread(pi.hThread);
            thread_.reset(pi.hThread);
            process_.reset(pi.hProcess);
            id_ = pi.dwProcessId;
        }
        for (const auto& [name, value] : saved) _wputenv((name + L"=" + value).c_str());
    }
    explicit Process(const std::wstring& tail) : Process(SaverPath(), tail) {}
    ~Process() { Kill(); }

    bool Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        if (process_) ::GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    bool Ends(DWORD ms = Deadline()) const { return PollUntil([&] { return !Running(); }, ms); }
    bool Stays(DWORD ms = kStaysMs) const { return !Ends(ms); }
    // The processor time its main thread has used, in seconds.
    double ProcessorSeconds() const { return e2e::ProcessorSeconds(thread_.get()); }
    void Kill() {
        if (Running() && ::TerminateProcess(process_.get(), 99)) ::WaitForSingleObject(process_.get(), 5000);
    }

    // The first of its top-level windows with this caption (and class), or
    // with none given, the first it shows.
    HWND Find(const wchar_t* caption, const wchar_t* cls = nullptr) const {
        for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, cls, caption));) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            if (owner == id_ && (caption || ::IsWindowVisible(w))) return w;
        }
        return nullptr;
    }
    // Polls until that window is visible; null when it never is.
    HWND Window(const wchar_t* caption, DWORD ms = Deadline()) const {
        HWND found = nullptr;
        return PollUntil([&] { return (found = Find(caption)) && ::IsWindowVisible(found); }, ms) ? found : nullptr;
    }
    bool ShowsAWindow() const { return Find(nullptr) != nullptr; }
    // Runs to its end within the deadline without ever showing a window.
    bool EndsUnseen() const {
        bool seen = false;
        return process_ && PollUntil([&] { return (seen |= ShowsAWindow()), !Running(); }) && !seen;
    }

private:
    rt::UniqueKernelHandle process_, thread_;
    DWORD id_ = 0;
};

inline RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// The window's region in window coordinates; null when it has none.
inline rt::UniqueRegion Region(HWND window) {
    rt::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(window, region.get()) == ERROR) region.reset();
    return region;
}

// ---- input ------------------------------------------------------------------

inline void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in{.type = INPUT_MOUSE, .mi = {dx, dy, 0, flags, 0, 0}};
    ::SendInput(1, &in, sizeof in);
}
inline void SendKey(WORD vk, DWORD flags) {
    INPUT in{.type = INPUT_KEYBOARD, .ki = {vk, static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), flags, 0, 0}};
    ::SendInput(1, &in, sizeof in);
}
inline bool PointerAt(int x, int y) {
    POINT p{};
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
}

// A real absolute move; true once the pointer is there. Absolute positions
// run 0..65535 over the primary screen; it aims at the pixel's middle.
inline bool MoveMouse(int x, int y) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, LONG((2LL * x + 1) * 65536 / (2LL * w)),
              LONG((2LL * y + 1) * 65536 / (2LL * h)));
    return PollUntil([&] { return PointerAt(x, y); }, 2000);
}
// MoveMouse, kept apart from the next move: Wine merges a move into the one
// before it while that still waits, and merges only with the last queued
// input, so the release of an unused key follows each move.
inline bool StepMouse(int x, int y) {
    if (!MoveMouse(x, y)) return false;
    SendKey(VK_F24, KEYEVENTF_KEYUP);
    return true;
}
// The pointer put somewhere without an event of ours (before a start).
inline bool PlacePointer(int x, int y) {
    return PollUntil([&] { return ::SetCursorPos(x, y), PointerAt(x, y); }, 2000);
}
// A button pressed and released: MOUSEEVENTF_LEFTDOWN or MOUSEEVENTF_RIGHTDOWN.
inline void Click(DWORD down = MOUSEEVENTF_LEFTDOWN) {
    SendMouse(down);
    SendMouse(down << 1);  // its ...UP
}
inline void Key(WORD vk) {
    SendKey(vk, 0);
    SendKey(vk, KEYEVENTF_KEYUP);
}
inline bool Front(HWND window) {
    return PollUntil([&] { return ::GetForegroundWindow() == window || (::SetForegroundWindow(window), false); }, 2000);
}
// ---- the screen -------------------------------------------------------------

// The primary screen's pixels as 0x00RRGGBB.
struct Shot {
    static Shot Take() {
        const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
        rt::WindowDc screen(nullptr);
        rt::MemorySurface copy(w, h);
        if (!::BitBlt(copy.Dc(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY | CAPTUREBLT)) return {};
        ::GdiFlush();
        Shot shot{w, h, {copy.Bits(), copy.Bits() + std::size_t(w) * h}};
        for (std::uint32_t& p : shot.pixels) p &= 0xFFFFFF;
        return shot;
    }
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

// A picture of assets/ as ImageMagick decodes it: raw RGB made at build time;
// empty when it is not of this size.
inline std::vector<std::uint32_t> Artwork(const char* picture, int width, int height) {
    const std::optional<std::string> rgb =
        rt::ReadWholeFile(WinePath(std::string(VELTRIN_E2E_ARTWORK_DIR "/") + picture + ".rgb"), 1 << 20);
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; rgb && rgb->size() == std::size_t(width) * height * 3 && i < rgb->size(); i += 3) {
        const auto c = [&](std::size_t k) { return std::uint32_t(static_cast<unsigned char>((*rgb)[i + k])); };
        pixels.push_back(c(0) << 16 | c(1) << 8 | c(2));
    }
    return pixels;
}
// Whether the screen shows the picture at `origin`.
inline bool Shows(const Shot& shot, POINT origin, const std::vector<std::uint32_t>& picture, int width) {
    for (std::size_t i = 0; i < picture.size(); ++i) {
        if (shot.At(origin.x + int(i % width), origin.y + int(i / width)) != picture[i]) return false;
    }
    return !picture.empty();
}

// ---- the clipboard ----------------------------------------------------------

// Puts the text on the clipboard; empty: clears it.
inline bool SetClipboard(const std::wstring& text) {
    if (!PollUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 2000)) return false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_FIXED, bytes);  // the clipboard's, once it holds it
    const bool ok = memory && ::EmptyClipboard() &&
                    (text.empty() || ::SetClipboardData(CF_UNICODETEXT, std::memcpy(memory, text.c_str(), bytes)));
    if (!ok || text.empty()) ::GlobalFree(memory);
    ::CloseClipboard();
    return ok;
}

// A clipboard owner that promised text, to be rendered when asked (delayed
// rendering), and then stopped answering: a reader asking for the text waits
// for as long as it lives.
class HungClipboardOwner {
public:
    HungClipboardOwner() { ::WaitForSingleObject(ready_.get(), Deadline()); }
    ~HungClipboardOwner() { ::SetEvent(release_.get()), owner_.join(); }

private:
    rt::UniqueKernelHandle ready_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    rt::UniqueKernelHandle release_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread owner_{[this] {
        const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (::OpenClipboard(owner)) ::EmptyClipboard(), ::SetClipboardData(CF_UNICODETEXT, nullptr), ::CloseClipboard();
        ::SetEvent(ready_.get()), ::WaitForSingleObject(release_.get(), INFINITE);
        ::DestroyWindow(owner);
    }};
};

}  // namespace e2e
