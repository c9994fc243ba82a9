#pragma once
// Program-wide services: the event loop, processing pending events from
// inside a handler, ending the program, the screen, and what the program
// knows about itself (folder, command line, version record).
#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "handles.h"
#include "version_record.h"

namespace rt {

// Runs the event loop until the last form is unloaded; returns the exit code.
int MessageLoop();

// Processes every pending event (input, painting, timer ticks), then returns.
void DoEvents();

// Ends the program at once: no further handler runs, nothing is restored.
[[noreturn]] void End(UINT exitCode = 0);

// Thrown by End only when a test has replaced ExitProcess with a call that
// returns, so the test sees the end instead of the process stopping.
struct EndRequested {};

// The system's default beep.
void Beep();

// The forms are designed for 96 dots per inch. A form unaware of the display's
// scale keeps to it: its pictures, outline and texts stay in step, and Windows
// scales its window as a whole (Wine hands every program the real setting, so
// the runtime keeps to 96 itself). A form aware of the scale converts at its
// own window's dots per inch instead (dpi.h).
inline constexpr int kDesignDpi = 96;

// Twips per pixel at `dpi` (15 at the design's 96), and twips to whole pixels.
inline constexpr float TwipsPerPixelX(int dpi = kDesignDpi) { return 1440.0f / dpi; }
inline constexpr float TwipsPerPixelY(int dpi = kDesignDpi) { return 1440.0f / dpi; }
int TwipsToPixelsX(float twips, int dpi = kDesignDpi);
int TwipsToPixelsY(float twips, int dpi = kDesignDpi);

namespace Screen {
float Width();   // twips
float Height();  // twips
// The rectangle of all monitors together, in pixels; its origin may be negative.
RECT Virtual();
}  // namespace Screen

// One of the program's own resources, as it is stored; empty when it has none.
std::span<const std::byte> ProgramResource(WORD id, LPCWSTR type);

namespace App {
std::wstring Path();     // the program's folder, without a trailing backslash
std::wstring ExeFile();  // the program's own file
std::wstring Command();  // the command line after the program's name
VersionRecord Version();  // from the program's own version record
}  // namespace App

// The value of an environment variable; nothing when it is not set.
std::optional<std::wstring> Environ(const wchar_t* name);

// The system's own program folder (System32), where its tools live.
std::wstring SystemDirectory();

// A modal message box over `owner`; returns the button the user chose.
int MsgBox(HWND owner, const std::wstring& text, UINT style, const std::wstring& title);

// Starts `commandLine` without waiting for it, its window shown with
// `showCommand`. `program` names the file to run; when empty, the system finds
// the first word of the command line. False when the program did not start.
bool Shell(const std::wstring& commandLine, int showCommand, const std::wstring& program = {});

// A named marker that exists while one copy of a program holds it.
class InstanceMarker {
public:
    explicit InstanceMarker(const wchar_t* name);
    // True when another copy already held the marker when this one was made.
    bool AnotherCopyRunning() const noexcept { return another_; }

private:
    UniqueKernelHandle mutex_;
    bool another_ = false;
};

}  // namespace rt
