#pragma once
// Program-wide services: the event loop, processing pending events from
// inside a handler, ending the program, the screen, and what the program
// knows about itself (folder, command line, version record).
#include <windows.h>

#include <string>

#include "handles.h"

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

// Twips per pixel of the screen (15 at 96 dots per inch).
float TwipsPerPixelX();
float TwipsPerPixelY();

namespace Screen {
float Width();   // twips
float Height();  // twips
}  // namespace Screen

struct VersionFields {
    std::wstring companyName;
    int major = 0, minor = 0, revision = 0;
};

namespace App {
std::wstring Path();     // the program's folder, without a trailing backslash
std::wstring Command();  // the command line after the program's name
VersionFields Version();  // from the program's own version record
}  // namespace App

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
