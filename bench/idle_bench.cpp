// bench_idle: the processor time the full-screen saver takes while its digits
// can be seen, against the time it takes once the system has switched the
// display off.
//
//   scripts/bench idle [seconds]      (default 5 for each state)
//
// Starts the built Qor.drl /s as a process, waits for its window, lets it
// settle, and measures its main thread's processor time over `seconds` with
// the display on. It then sends the window the console display state "off"
// as the system does (WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, the setting
// placed in the saver's own memory; Wine sends none itself) and measures the
// same again. Afterwards it switches the display back on for a second, to see
// the digits run again, and off once more, and presses Shift: a key that wakes
// the display ends the saver as ever.
//
// Last line: "idle ratio: R", R = processor time per second with the display
// on / with it off (both measured in this run; higher is better). Time below
// the clock's resolution counts as one of its ticks, 10 ms over the period:
// the ratio is then a lower bound.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_clock.h"
#include "bench_process.h"

namespace {

class Saver : public StartedProgram {
public:
    explicit Saver(const std::wstring& program) : StartedProgram(program, L" /s") {}

    // Its shown window, within `seconds`.
    HWND Window(double seconds) const {
        for (const double end = Now() + seconds; Running() && Now() < end; ::Sleep(10)) {
            for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, nullptr, L"Veltrin"));) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(w, &owner);
                if (owner == Id() && ::IsWindowVisible(w)) return w;
            }
        }
        return nullptr;
    }

    // The console display state as the system reports it: 0 off, 1 on, 2 dimmed.
    bool SendDisplayState(HWND window, DWORD state) const {
        const struct {
            GUID setting;
            DWORD length, data;
        } notice{GUID_CONSOLE_DISPLAY_STATE, sizeof state, state};
        void* remote = ::VirtualAllocEx(Process(), nullptr, sizeof notice, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        const bool ok = remote && ::WriteProcessMemory(Process(), remote, &notice, sizeof notice, nullptr) &&
                        ::SendMessageTimeoutW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                              reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000, nullptr);
        if (remote) ::VirtualFreeEx(Process(), remote, 0, MEM_RELEASE);
        return ok;
    }
};

// The thread clocks of Wine count in ticks of 10 ms.
constexpr double kTick = 0.010;

// Processor seconds per second of the saver over `seconds`.
double Load(const Saver& saver, double seconds) {
    const double start = Now(), before = saver.ProcessorSeconds();
    ::Sleep(static_cast<DWORD>(seconds * 1000));
    return (saver.ProcessorSeconds() - before) / (Now() - start);
}

void Press(WORD vk) {
    INPUT keys[2] = {{.type = INPUT_KEYBOARD, .ki = {vk, 0, 0, 0, 0}},
                     {.type = INPUT_KEYBOARD, .ki = {vk, 0, KEYEVENTF_KEYUP, 0, 0}}};
    ::SendInput(2, keys, sizeof keys[0]);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 5.0;
    ::GetDesktopWindow();
    ::SetCursorPos(600, 500);  // where it stays: the saver's first pointer event only records it
    Saver saver(WinePath(VELTRIN_SAVER_PATH));
    const HWND window = saver.Window(15);
    if (!window) {
        std::printf("error: the saver showed no window\n");
        return 1;
    }
    ::Sleep(1000);  // its columns laid out, its first paints done

    const double on = Load(saver, seconds);
    if (!saver.SendDisplayState(window, 0)) std::printf("error: the display-off notification was not delivered\n");
    ::Sleep(500);
    const double off = Load(saver, seconds);
    saver.SendDisplayState(window, 1);
    const double again = Load(saver, 1);
    saver.SendDisplayState(window, 0);
    ::SetForegroundWindow(window);
    Press(VK_SHIFT);
    const bool ended = saver.Ends(5);

    std::printf("Qor.drl /s, %.0f s each, processor time of its step loop's thread (figures measured under Wine):\n",
                seconds);
    std::printf("  display on:              %7.1f ms per second (%.1f%% of a core)\n", on * 1000, on * 100);
    std::printf("  after display off:       %7.1f ms per second (%.2f%% of a core)%s\n", off * 1000, off * 100,
                off * seconds < kTick ? ", less than one tick of the clock: counted as one below" : "");
    std::printf("  display on again (1 s):  %7.1f ms per second\n", again * 1000);
    std::printf("  Shift, the display off:  %s\n", ended ? "ended the saver" : "did NOT end the saver");
    std::printf("idle ratio: %.1f\n", on / std::max(off, kTick / seconds));
    return 0;
}
