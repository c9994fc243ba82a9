#pragma once
// The end-to-end driver: starts the real programs as processes with real
// command lines, finds their windows, reads the screen, sends real input and
// sees the process end. It waits by polling against a deadline while its own
// windows keep answering; it never sleeps for a fixed time to wait for a window.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "handles.h"

namespace e2e {

// How long a program may take to show itself or to end; longer for the
// shipped 32-bit programs where they run emulated (VELTRIN_E2E_SLOW).
DWORD Deadline();
// How long a running program is watched before it counts as "kept running".
inline constexpr DWORD kStaysMs = 400;

// A file of this machine as Windows programs under Wine name it.
std::wstring WinePath(const char* unixPath);

// The programs under test, and the saver as it ships (32-bit), which the
// setup installs.
std::wstring SaverPath();
std::wstring SetupPath();
std::wstring ShippedSaverPath();

// Processes the driver's own pending messages (a preview host lives here).
void Pump();

template <class Pred>
bool PollUntil(Pred done, DWORD ms = Deadline()) {
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    for (;;) {
        Pump();
        if (done()) return true;
        if (::GetTickCount64() >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A folder of its own in the temporary folder, removed with its files.
class Folder {
public:
    Folder();
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool Copy(const std::wstring& from, const std::wstring& to);

// Variables set (a value) or removed (nothing) in a started program's environment.
using Environment = std::vector<std::pair<std::wstring, std::optional<std::wstring>>>;

// One started program; terminated when this goes, if it still runs.
class Process {
public:
    // `tail` follows the quoted program name as it stands: L" /s".
    Process(const std::wstring& program, const std::wstring& tail, const Environment& environment = {});
    explicit Process(const std::wstring& tail) : Process(SaverPath(), tail) {}
    ~Process() { Kill(); }

    bool Running() const;
    DWORD ExitCode() const;
    bool Ends(DWORD ms = Deadline()) const;
    bool Stays(DWORD ms = kStaysMs) const { return !Ends(ms); }
    void Kill();

    std::vector<HWND> Windows() const;  // top-level
    // The first of its top-level windows with this caption (and class).
    HWND Find(const wchar_t* caption, const wchar_t* cls = nullptr) const;
    // Polls until that window is visible; null when it never is.
    HWND Window(const wchar_t* caption, DWORD ms = Deadline()) const;
    bool ShowsAWindow() const;
    // Runs to its end within the deadline without ever showing a window.
    bool EndsUnseen() const;

private:
    rt::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

RECT WindowRect(HWND window);

// ---- input ----------------------------------------------------------------

enum class Button { Left, Right };
// A real absolute move; true once the pointer is there.
bool MoveMouse(int x, int y);
// MoveMouse, kept apart from the next move: Wine merges a move into the one
// before it while that still waits, and merges only with the last queued
// input, so the release of an unused key follows each move.
bool StepMouse(int x, int y);
// The pointer put somewhere without an event of ours (before a start).
bool PlacePointer(int x, int y);
void Press(Button button);
void Release(Button button);
void Click(Button button = Button::Left);
void Key(WORD vk);
bool Front(HWND window);
bool CursorShowing();  // for the foreground window's thread

// ---- the screen -----------------------------------------------------------

class Shot {
public:
    static Shot Take();
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }  // 0x00RRGGBB

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

inline bool IsDigitGreen(std::uint32_t p) { return (p & 0xFF00FF) == 0 && (p & 0xFF00) != 0; }

// Which pixels of a picture area belong to something: a window's region, or
// what a test draws. Pixels outside the area never do.
class Mask {
public:
    Mask(int width, int height) : width_(width), height_(height), bits_(std::size_t(width) * height) {}
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[Index(x, y)]; }
    void Set(int x, int y) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[Index(x, y)] = true;
    }
    // How many pixels of `area` differ; 0 when the masks agree there.
    int Differences(const Mask& other, const RECT& area) const;

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * width_ + x; }
    int width_, height_;
    std::vector<bool> bits_;
};

// The window's region in window coordinates; nothing when it has none.
std::optional<Mask> Region(HWND window, int width, int height);

// A picture of assets/ as ImageMagick decodes it: raw RGB made at build time.
std::vector<std::uint32_t> Artwork(const char* picture, int width, int height);
// Pixels of the screen at `origin` that differ from the picture.
int Mismatches(const Shot& shot, POINT origin, const std::vector<std::uint32_t>& picture, int width);

// ---- the clipboard ----------------------------------------------------------

bool SetClipboard(const std::wstring& text);  // empty: clears it
std::optional<std::wstring> ClipboardText();

}  // namespace e2e
