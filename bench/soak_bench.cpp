// bench_soak: the effect left running for a long time, watching what the
// process holds, so that a leak per step shows as a slope.
//
//   scripts/bench soak [seconds] [sample interval]   (default 600 and 10)
//
// The effect is the real frmmain, set up and stepped exactly as bench_effect
// does it (loaded without a switch, maximised and shown, its column layout
// run, its own DoIt timer off, then saver::RunPass over rt::Rnd with Step and
// rt::DoEvents after each step). Every interval it records the private bytes,
// the pagefile (commit) figure, the working set, the GDI and USER objects and
// the steps taken so far. Under Wine 8 the pagefile figure is the anonymous
// memory of the whole process, Wine's Unix side included, so it also catches
// growth that the Windows address space does not show.
//
// Last line: "soak ratio: R", R = private bytes at the first sample / private
// bytes at the last. 1.0 means flat; below 1 the process grew while running
// (0.5: it doubled), above 1 it shrank. The first sample is taken one interval
// in, after the columns have filled and the effect is in its steady state; the
// "load" row before it is shown for reference only.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "saver_windows.h"
#include "mdlSaver.h"
#include "random.h"
#include "bench_clock.h"

namespace {

// Loaded at run time: the bench links nothing beyond what saver_forms brings,
// and kernel32 has carried this entry since Windows 7.
using MemoryInfoFn = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);

MemoryInfoFn MemoryInfo() {
    static const MemoryInfoFn fn = reinterpret_cast<MemoryInfoFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "K32GetProcessMemoryInfo")));
    return fn;
}

// Wine 8 leaves PrivateUsage at 0. There the private bytes are added up the
// way Windows defines them: every committed page that is not shared (neither
// an image nor a mapped file), found by walking the address space.
SIZE_T CountPrivateByWalk() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    for (auto* p = static_cast<const char*>(nullptr); ::VirtualQuery(p, &mbi, sizeof mbi) == sizeof mbi;
         p = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
        if (mbi.RegionSize == 0) break;
    }
    return total;
}

// Wine has no GetGuiResources (it returns 0 and ERROR_CALL_NOT_IMPLEMENTED).
// There the GDI count comes from probing this process's GDI handle table: Wine
// accepts a bare table index (upper word 0) as a handle to whatever object
// lives at that index. On Windows a bare index names no object, so the probe
// is only used where GetGuiResources failed.
long CountGdiByProbe() {
    long n = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
    }
    return n;
}

// Wine's stand-in for the USER count: the windows this process owns.
struct WindowCount {
    DWORD pid;
    long n;
};

BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++reinterpret_cast<WindowCount*>(p)->n;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND w, LPARAM p) {
    auto* count = reinterpret_cast<WindowCount*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == count->pid) {
        ++count->n;
        ::EnumChildWindows(w, &CountChild, p);
    }
    return TRUE;
}

long CountOwnWindows() {
    WindowCount count{::GetCurrentProcessId(), 0};
    ::EnumWindows(&CountTop, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

struct Sample {
    double seconds = 0;
    long long steps = 0;
    SIZE_T privateBytes = 0;
    SIZE_T pagefile = 0;
    SIZE_T workingSet = 0;
    long gdi = 0;
    long user = 0;
};

bool privateWalked = false;
bool gdiProbed = false;
bool userIsWindows = false;

Sample Take(double seconds, long long steps) {
    Sample s;
    s.seconds = seconds;
    s.steps = steps;
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (MemoryInfo() &&
        MemoryInfo()(::GetCurrentProcess(), reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&pmc), sizeof pmc)) {
        s.privateBytes = pmc.PrivateUsage;
        s.pagefile = pmc.PagefileUsage;
        s.workingSet = pmc.WorkingSetSize;
    }
    if (s.privateBytes == 0) {
        privateWalked = true;
        s.privateBytes = CountPrivateByWalk();
    }
    ::SetLastError(0);
    s.gdi = static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
    if (s.gdi == 0) {
        gdiProbed = true;
        s.gdi = CountGdiByProbe();
    }
    s.user = static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS));
    if (s.user == 0) {
        userIsWindows = true;
        s.user = CountOwnWindows();
    }
    return s;
}

void PrintHeader() {
    std::printf("%-6s %8s %12s %9s %11s %11s %11s %6s %6s\n", "", "t (s)", "steps", "steps/s", "private KB",
                "pagefile KB", "working KB", "GDI", "USER");
}

void Print(const char* label, const Sample& s, long long stepsBefore, double secondsBefore) {
    const double span = s.seconds - secondsBefore;
    const double rate = span > 0 ? static_cast<double>(s.steps - stepsBefore) / span : 0;
    std::printf("%-6s %8.1f %12lld %9.0f %11.1f %11.1f %11.1f %6ld %6ld\n", label, s.seconds, s.steps, rate,
                s.privateBytes / 1024.0, s.pagefile / 1024.0, s.workingSet / 1024.0, s.gdi, s.user);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 600.0;
    const double interval = argc > 2 ? std::atof(argv[2]) : 10.0;
    if (!(seconds > 0) || !(interval > 0) || interval > seconds) {
        std::printf("usage: bench_soak [seconds] [sample interval]\n");
        return 2;
    }

    SaverWindows windows;
    frmmain& form = windows.effectWindow;
    form.Load();
    form.DoIt.SetEnabled(false);  // the bench takes the steps itself; DoIt never returns
    form.Show();
    form.Timer1.Tick();
    rt::DoEvents();

    RECT client{};
    ::GetClientRect(form.hWnd(), &client);
    std::printf("soak: frmmain, %d columns receiving pieces, client %ldx%ld, visible %s, %.0f s, a sample every %.0f s\n",
                static_cast<int>(form.ColumnCount), client.right, client.bottom, form.Visible() ? "yes" : "no",
                seconds, interval);
    PrintHeader();

    long long steps = 0;
    const auto count = [&form] { return static_cast<int>(form.ColumnCount); };
    const auto step = [&form, &steps](int col, int k) {
        form.Step(col, k);
        rt::DoEvents();
        ++steps;
    };

    const double start = Now();
    const Sample load = Take(0, 0);
    Print("load", load, 0, 0);
    std::vector<Sample> samples;
    double next = interval;
    for (;;) {
        saver::RunPass(count, rt::Rnd, step);
        const double t = Now() - start;
        if (t < next) continue;
        const Sample& before = samples.empty() ? load : samples.back();
        samples.push_back(Take(t, steps));
        Print("sample", samples.back(), before.steps, before.seconds);
        next += interval;
        if (next > seconds + interval / 2) break;
    }

    const Sample& first = samples.front();
    const Sample& last = samples.back();
    std::printf("\n");
    PrintHeader();
    Print("first", first, load.steps, load.seconds);
    Print("last", last, first.steps, first.seconds);
    const double growth = static_cast<double>(last.privateBytes) - static_cast<double>(first.privateBytes);
    const double perStep = last.steps > first.steps ? growth / static_cast<double>(last.steps - first.steps) : 0;
    const auto kb = [](SIZE_T from, SIZE_T to) { return (static_cast<double>(to) - static_cast<double>(from)) / 1024.0; };
    std::printf("growth first to last: private %+.1f KB (%+.2f%%, %+.4f bytes a step), pagefile %+.1f KB, "
                "working set %+.1f KB, GDI %+ld, USER %+ld, over %lld steps in %.0f s\n",
                growth / 1024.0, first.privateBytes ? 100.0 * growth / static_cast<double>(first.privateBytes) : 0.0,
                perStep, kb(first.pagefile, last.pagefile), kb(first.workingSet, last.workingSet), last.gdi - first.gdi,
                last.user - first.user, last.steps - first.steps, last.seconds - first.seconds);
    if (privateWalked) std::printf("private: PrivateUsage gave 0 (Wine), committed private pages added up with VirtualQuery instead\n");
    if (gdiProbed) std::printf("GDI: GetGuiResources gave 0 (Wine), counted by probing the GDI handle table instead\n");
    if (userIsWindows) std::printf("USER: GetGuiResources gave 0 (Wine), the windows this process owns instead\n");
    std::printf("(Wine figures: measured under Wine on a virtual X display; Wine's own libraries live in this process too)\n");
    std::printf("soak ratio: %.3f\n", last.privateBytes ? static_cast<double>(first.privateBytes) /
                                                              static_cast<double>(last.privateBytes)
                                                        : 0.0);
    std::fflush(stdout);
    // Unloading frmmain ends the program by its own rule (ExitProcess); end the same way.
    ::ExitProcess(0);
}
