#pragma once
// The end-to-end driver: starts the real saver and setup as processes with
// real command lines, finds its windows, reads the screen, sends real input and
// sees the process end. Everything here waits by polling against a deadline
// while it keeps the driver's own windows answering.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

inline constexpr int kScreenWidth = 1024;  // the test display
inline constexpr int kScreenHeight = 768;
inline constexpr int kColumnPixels = 11;  // 165 twips
inline constexpr int kFullScreenColumns = 93;  // columns 0..92 lie wholly on the screen
inline constexpr RECT kScreen{0, 0, kScreenWidth, kScreenHeight};
// A point inside column `c` of a window at the screen's left edge, `offset`
// pixels from the column's left edge (0..10).
inline int ColumnX(int c, int offset) { return c * kColumnPixels + offset; }

// How long the saver may take to show itself or to end on its own.
inline constexpr DWORD kStartDeadlineMs = 10000;
inline constexpr DWORD kEndDeadlineMs = 5000;
// How long a running saver is watched before it counts as "kept running".
// This only bounds a check that can never fail while the saver is right.
inline constexpr DWORD kStaysRunningMs = 400;
// How long the about window is given to end the saver on WM_CLOSE.
inline constexpr DWORD kCloseAboutMs = 1500;

// The saver as Windows sees it (Z:\...\Qor.drl), and the setup beside it.
std::wstring SaverPath();
std::wstring SetupPath();

// Variables set (a value) or removed (nothing) in a started program's environment.
using EnvironmentChanges = std::vector<std::pair<std::wstring, std::optional<std::wstring>>>;

// Processes the driver's own pending messages (a preview host lives here).
void PumpMessages();

// Polls `done` until it holds or `ms` have passed, pumping messages meanwhile.
template <class Pred>
bool PollUntil(Pred done, DWORD ms) {
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    for (;;) {
        PumpMessages();
        if (done()) return true;
        if (::GetTickCount64() >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// One started copy of a program (the saver unless named). Whatever path a
// test takes, the copy is ended when this goes out of scope: a copy still
// running is terminated.
class ProgramProcess {
public:
    // `tail` is everything after the quoted program name, blanks included:
    // L" /s" gives `"...Qor.drl" /s`, L"" gives just the program.
    explicit ProgramProcess(const std::wstring& tail);
    // Another program, or another copy of the saver in a folder of its own,
    // with the driver's environment changed as asked.
    ProgramProcess(const std::wstring& program, const std::wstring& tail, const EnvironmentChanges& environment = {});
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return pid_; }
    const std::wstring& CommandLine() const { return commandLine_; }

    bool Running() const;
    // The exit code of an ended copy (STILL_ACTIVE while it runs), for messages.
    DWORD ExitCode() const;
    // Waits for the process to end, pumping messages. False when it did not.
    bool WaitForExit(DWORD ms) const;
    // True when it is still running after `ms` (the process did not end).
    bool StillRunningAfter(DWORD ms) const { return !WaitForExit(ms); }
    // Ends a copy still running; true when it had to.
    bool Terminate();

    // Top-level windows of the process.
    std::vector<HWND> Windows() const;
    // Its first top-level window with this caption (and class, if given); null if none.
    HWND FindWindowByCaption(const wchar_t* caption, const wchar_t* cls = nullptr) const;
    bool HasVisibleWindow() const;
    // Polls for a visible top-level window with this caption; null on timeout.
    HWND WaitForVisibleWindow(const wchar_t* caption, DWORD ms = kStartDeadlineMs) const;
    // Runs to its end within `ms` and shows no visible window meanwhile.
    // Returns an explanation of what went wrong, or an empty string.
    std::string EndsWithoutWindow(DWORD ms = kEndDeadlineMs) const;
    // Posts WM_CLOSE to the about window; terminates the copy if that did not
    // end it. True when WM_CLOSE ended it.
    bool CloseAbout(HWND about);

private:
    std::wstring commandLine_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// A folder of its own under the temporary folder holding a copy of the saver
// and, when given, the settings file beside it (the bytes as they are).
// The folder and everything in it go when this goes out of scope; end the
// copy started from it first (declare this before its ProgramProcess).
class SaverCopy {
public:
    explicit SaverCopy(const std::optional<std::string>& settings);
    ~SaverCopy();
    SaverCopy(const SaverCopy&) = delete;
    SaverCopy& operator=(const SaverCopy&) = delete;

    // Whether the folder, the program and the settings file are all in place.
    bool Ready() const { return ready_; }
    const std::wstring& Folder() const { return folder_; }
    const std::wstring& Program() const { return program_; }

private:
    std::wstring folder_, program_;
    bool ready_ = false;
};

// A folder of its own under the temporary folder holding a copy of the setup,
// the saver beside it as "Qor.drl" when asked, and an empty folder "windows"
// to install into. Everything goes when this goes out of scope.
class SetupCopy {
public:
    explicit SetupCopy(bool withSaver = true);
    ~SetupCopy();
    SetupCopy(const SetupCopy&) = delete;
    SetupCopy& operator=(const SetupCopy&) = delete;

    bool Ready() const { return ready_; }
    const std::wstring& Program() const { return program_; }
    const std::wstring& Windows() const { return windows_; }
    // The setup's environment with WinDir pointing at Windows().
    EnvironmentChanges Environment() const { return {{L"WinDir", windows_}}; }

private:
    std::wstring folder_, program_, windows_;
    bool ready_ = false;
};

// A window of the driver's own that hosts a preview, as the display settings
// do: an overlapped window with a client area of the given size.
class PreviewHost {
public:
    explicit PreviewHost(int clientWidth = 152, int clientHeight = 112, int left = 300, int top = 200);
    ~PreviewHost();
    PreviewHost(const PreviewHost&) = delete;
    PreviewHost& operator=(const PreviewHost&) = delete;

    HWND Handle() const { return hwnd_; }
    // L" /p <the window's number in decimal>"
    std::wstring PreviewTail() const;
    // The client area in screen coordinates.
    RECT ClientOnScreen() const;
    // A child window of the host belonging to `saver`; polls until there is one.
    HWND WaitForChildOf(const ProgramProcess& saver, DWORD ms = kStartDeadlineMs) const;
    // Polls until `child` is visible and covers the client area exactly.
    bool WaitUntilFilledBy(HWND child, DWORD ms = kStartDeadlineMs) const;
    void Destroy();

private:
    HWND hwnd_ = nullptr;
};

// ---- input ----------------------------------------------------------------

// Moves the pointer to (x, y) as a real absolute mouse move and waits until
// the system cursor is there. False when it never arrived.
bool MoveMouse(int x, int y);
// MoveMouse, made sure to reach the saver as an event of its own. Wine merges
// a mouse move into the one before it while that still waits in the queue,
// so quick 1-pixel steps could arrive as one 3-pixel jump and a prepared
// position could go unseen; it merges only with the last queued input, so a
// release of an unused key after each move keeps the moves apart. Releasing
// a key that was never pressed is no key press, and the saver ignores it.
bool StepMouse(int x, int y);
// A mouse move at screen point (x, y) posted straight to `window`, for an
// exact sequence of positions. Real moves cannot give one under Wine: every
// move the driver injects also warps the X pointer, and the saver's process
// later turns that warp into a second move at the same place; under load it
// arrives after the driver's next moves, as a jump back. Posted messages
// keep their order and are never merged.
void PostMouseMove(HWND window, int x, int y);
// Puts the pointer at (x, y) without a mouse event of ours (before a start).
bool PlacePointer(int x, int y);
enum class Button { Left, Right, Middle };
inline const char* NameOf(Button b) { return b == Button::Left ? "Left" : b == Button::Right ? "Right" : "Middle"; }
inline void PrintTo(Button b, std::ostream* os) { *os << NameOf(b); }
void Click(Button button);
// One half of a click, where the pointer is.
void PressButton(Button button);
void ReleaseButton(Button button);
// Clicks at the pointer until the saver ends; false when it had not ended by `ms`.
// For a preview: Wine shows nothing that a child window of another process
// draws, so the driver cannot see when the columns are laid out (on the
// first timer tick); a click before that lands on the background, which a
// preview ignores, and only a click on a column ends it.
bool ClickUntilExit(const ProgramProcess& saver, Button button, DWORD ms = kEndDeadlineMs);
// A key pressed and released, as the keyboard would.
void PressKey(WORD vk);
// Makes `window` the foreground window so that keys reach it.
bool BringToFront(HWND window);
// Whether the cursor shows for the foreground window's thread. Wine reports
// the show count of the foreground thread to every process, so this tells
// what the saver did with ShowCursor while its window is in front.
bool CursorShowing();
// Brings the window to the front, presses a key and waits for the process to
// end. An explanation when it did not end, or an empty string.
std::string EndWithKey(const ProgramProcess& saver, HWND window, WORD vk = 'Q');

// ---- the screen -----------------------------------------------------------

// The whole screen, read through the screen DC into a top-down 32-bit DIB.
class Screenshot {
public:
    static Screenshot Take();
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0x00RRGGBB
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    bool Valid() const { return width_ > 0; }
    // Whether the file could be written (a 24-bit BMP, for looking at a failure),
    // of the whole screen or of the part `area` of it.
    bool SaveBmp(const std::wstring& path) const;
    bool SaveBmp(const std::wstring& path, const RECT& area) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

inline int Red(std::uint32_t p) { return (p >> 16) & 0xFF; }
inline int Green(std::uint32_t p) { return (p >> 8) & 0xFF; }
inline int Blue(std::uint32_t p) { return p & 0xFF; }
// The digits' colour, also where font smoothing mixes it with the black.
inline bool IsDigitGreen(std::uint32_t p) { return Green(p) > 0 && Red(p) == 0 && Blue(p) == 0; }

// A picture of assets/ as an independent decoder (ImageMagick) sees it: raw
// RGB made from the GIF at build time. Not Valid when that is missing.
class Artwork {
public:
    Artwork(const char* name, int width, int height);
    bool Valid() const { return !pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

// Pixels of the screen at `origin` that differ from the picture.
int Mismatches(const Screenshot& shot, POINT origin, const Artwork& picture);

// For each column of the area (11 pixels each, from its left edge), whether
// a green pixel lies in it.
std::vector<bool> ColumnsWithDigits(const Screenshot& shot, const RECT& area);
int CountTrue(const std::vector<bool>& flags);

// Polls screenshots until at least `columns` columns of the area show digits.
bool WaitForDigits(const RECT& area, int columns, DWORD ms = kStartDeadlineMs);

// The clipboard, as the user's programs use it. False when it could not be
// opened or (GetClipboardText) holds no text.
bool SetClipboardText(const std::wstring& text);
bool EmptyTheClipboard();
bool GetClipboardText(std::wstring& text);

std::string Describe(HWND window);  // class, caption, rectangle, styles: for messages

}  // namespace e2e
