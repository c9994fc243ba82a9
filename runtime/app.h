#pragma once
// Program-wide services: the event loop, processing pending events from
// inside a handler, ending the program, the screen, and what the program
// knows about itself (folder, command line, version record).
#include <windows.h>

#include <optional>
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

// The programs are laid out for 96 dots per inch and declare themselves unaware
// of the screen's setting, so their pictures, outlines, texts and the 3 pixels of
// the movement rule stay in step. Windows keeps such a program at 96 and scales
// its windows; Wine hands it the real setting, so the runtime keeps to 96 itself.
inline constexpr int kDesignDpi = 96;

// Twips per pixel (15 at the design's 96 dots per inch), and twips to whole pixels.
inline constexpr float TwipsPerPixelX() { return 1440.0f / kDesignDpi; }
inline constexpr float TwipsPerPixelY() { return 1440.0f / kDesignDpi; }
int TwipsToPixelsX(float twips);
int TwipsToPixelsY(float twips);

namespace Screen {
float Width();   // twips
float Height();  // twips
// The rectangle of all monitors together, in pixels; its origin may be negative.
RECT Virtual();
}  // namespace Screen

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
