// bench_startup: how long the programs take from their start to what the user
// first sees, against the least a Win32 program does to show a window
// (bench/startup_reference.cpp).
//
//   scripts/bench startup [rounds]      (default 15)
//
// Every round starts, one copy at a time, each of ours followed by the reference:
//   Qor.drl /s         until the first green digit is on the screen
//   Qor.drl /c         until its "About" window is shown
//   Veltrin-Setup.exe  until its "Language / Sprache" window is shown
//   reference          until its window is shown
// Times run from just before CreateProcess. Each copy is terminated and waited
// for before the next starts: the saver lets only one full-screen or about
// copy run at a time. Figures are medians over the rounds.
//
// Last line: "startup ratio: R", R = reference median / the /s median.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_process.h"
#include "handles.h"
#include "memory_surface.h"

namespace {

constexpr double kDeadline = 15.0;  // seconds a start may take before it counts as missed

// One copy, timed from just before its start.
class Copy {
public:
    Copy(const std::wstring& program, const wchar_t* tail) : start_(Now()), program_(program, tail) {}
    ~Copy() {
        if (!program_.Started()) return;
        program_.Kill();
        ::Sleep(100);  // Wine and X tidy up after the copy before the next one starts
    }

    bool Started() const { return program_.Started(); }
    DWORD Id() const { return program_.Id(); }
    double Start() const { return start_; }

private:
    double start_;
    StartedProgram program_;
};

struct WindowQuery {
    DWORD pid;
    const wchar_t* caption;  // nullptr: any caption
    bool found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != query->pid || !::IsWindowVisible(hwnd)) return TRUE;
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    query->found = !query->caption || lstrcmpW(text, query->caption) == 0;
    return !query->found;
}

bool ShownWindow(DWORD pid, const wchar_t* caption) {
    WindowQuery query{pid, caption, false};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// The top of the screen as it is shown, read back into memory. The first
// piece of every column lands on its first line, so the band sees the first
// digit; the whole screen would take Wine tens of milliseconds per read.
class ScreenReader {
public:
    ScreenReader() : w_(::GetSystemMetrics(SM_CXSCREEN)), h_(std::min(64, ::GetSystemMetrics(SM_CYSCREEN))), copy_(w_, h_) {}

    // A pixel of the digits' green: some green, no red, no blue.
    bool ShowsGreen() {
        rt::WindowDc screen(nullptr);
        ::BitBlt(copy_.Dc(), 0, 0, w_, h_, screen.get(), 0, 0, SRCCOPY | CAPTUREBLT);
        ::GdiFlush();
        const std::uint32_t* p = copy_.Bits();
        const std::uint32_t* end = p + static_cast<std::size_t>(w_) * h_;
        return std::any_of(p, end, [](std::uint32_t c) { return (c & 0xFF00FF) == 0 && (c & 0xFF00) != 0; });
    }

private:
    int w_, h_;
    rt::MemorySurface copy_;
};

// Seconds from the copy's start until `seen` holds; negative when it never did.
template <class Pred>
double Until(const Copy& copy, Pred seen) {
    if (!copy.Started()) return -1;
    for (;;) {
        if (seen()) return Now() - copy.Start();
        if (Now() - copy.Start() > kDeadline) return -1;
        ::Sleep(1);
    }
}

struct Series {
    explicit Series(const char* n) : name(n) {}
    const char* name;
    std::vector<double> ms;
    int missed = 0;

    void Add(double seconds) {
        if (seconds < 0) {
            ++missed;
        } else {
            ms.push_back(seconds * 1000.0);
        }
    }
    double Median() const {
        if (ms.empty()) return 0;
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        return s.size() % 2 ? s[s.size() / 2] : (s[s.size() / 2 - 1] + s[s.size() / 2]) / 2;
    }
    void Print(const Series* reference) const {
        std::printf("%-42s median %7.1f ms  (min %.1f, max %.1f", name, Median(),
                    ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()),
                    ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()));
        if (missed) std::printf(", %d missed", missed);
        std::printf(")");
        if (reference && reference->Median() > 0) std::printf("  %.2f times the reference", Median() / reference->Median());
        std::printf("\n");
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::wstring saver = WinePath(VELTRIN_SAVER_PATH);
    const std::wstring setup = WinePath(VELTRIN_SETUP_PATH);
    const std::wstring reference = WinePath(VELTRIN_REFERENCE_PATH);
    ::GetDesktopWindow();  // Wine's desktop stays up for the whole run instead of being started per copy
    ScreenReader screen;

    Series ref{"reference (window shown)"};
    Series fullWindow{"Qor.drl /s (window shown)"};
    Series fullGreen{"Qor.drl /s (first green digit on screen)"};
    Series about{"Qor.drl /c (About window shown)"};
    Series language{"Veltrin-Setup.exe (language window shown)"};
    const auto runReference = [&] {
        Copy copy(reference, L"");
        ref.Add(Until(copy, [&] { return ShownWindow(copy.Id(), L"Startup reference"); }));
    };

    for (int r = 0; r < rounds; ++r) {
        // A terminated copy's pixels can outlive it for a moment.
        const double clean = Now();
        while (screen.ShowsGreen() && Now() - clean < 2) ::Sleep(10);
        {
            Copy copy(saver, L" /s");
            fullWindow.Add(Until(copy, [&] { return ShownWindow(copy.Id(), nullptr); }));
            fullGreen.Add(Until(copy, [&] { return screen.ShowsGreen(); }));
        }
        runReference();
        {
            Copy copy(saver, L" /c");
            about.Add(Until(copy, [&] { return ShownWindow(copy.Id(), L"About"); }));
        }
        runReference();
        {
            Copy copy(setup, L"");
            language.Add(Until(copy, [&] { return ShownWindow(copy.Id(), L"Language / Sprache"); }));
        }
        runReference();
        const auto last = [](const Series& s) { return s.ms.empty() ? 0.0 : s.ms.back(); };
        std::printf("round %2d: /s %.1f ms, /c %.1f ms, setup %.1f ms, reference %.1f ms\n", r + 1, last(fullGreen),
                    last(about), last(language), last(ref));
        std::fflush(stdout);
    }

    std::printf("%d rounds, each start of ours followed by one of the reference; from CreateProcess:\n", rounds);
    ref.Print(nullptr);
    fullWindow.Print(&ref);
    fullGreen.Print(&ref);
    about.Print(&ref);
    language.Print(&ref);
    std::printf("(figures measured under Wine)\n");
    std::printf("startup ratio: %.3f\n", fullGreen.Median() > 0 ? ref.Median() / fullGreen.Median() : 0.0);
    return 0;
}
