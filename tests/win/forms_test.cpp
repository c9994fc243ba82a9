// The forms in-process: the runtime's timers and the lives of its forms, the
// effect window's exit rules with the cursor calls counted, its full-screen
// set-up over a faked desk of two monitors, its drawing at the display's
// scale, and the setup's windows with the end, the message box and the
// program start faked through the platform table.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "app.h"
#include "dpi.h"
#include "failure.h"
#include "memory_surface.h"
#include "setup_windows.h"
#include "saver_windows.h"
#include "platform.h"
#include "timer.h"

namespace {

// What the faked platform calls saw.
struct Seen {
    int cursorShows = 0, cursorHides = 0, ends = 0, starts = 0;
    UINT exitCode = 0;
    std::wstring program, commandLine;
    WORD show = 0;
} seen;

class Faked : public ::testing::Test {
protected:
    // Nothing seen yet, and no end pending: the last form unloaded before
    // posted the end of the program.
    static void Fresh() {
        seen = {};
        MSG quit;
        while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    void SetUp() override {
        Fresh();
        platform_->ShowCursor = [](BOOL show) { return (show ? seen.cursorShows : seen.cursorHides)++, 0; };
        // Returning makes rt::End throw rt::EndRequested instead of ending.
        platform_->ExitProcess = [](UINT code) { ++seen.ends, seen.exitCode = code; };
        platform_->CreateProcessW = [](LPCWSTR program, LPWSTR line, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                       DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION info) {
            seen = {seen.cursorShows, seen.cursorHides, seen.ends, seen.starts + 1, seen.exitCode, program, line,
                    startup->wShowWindow};
            *info = {};
            return TRUE;
        };
    }
    template <class F>
    static bool Ends(F handler) {
        try {
            handler();
        } catch (const rt::EndRequested&) {
            return true;
        }
        return false;
    }
    rt::PlatformOverride platform_;
};

// However a form goes, the loaded forms no longer count it: unloading the
// last one still ends the event loop.
TEST_F(Faked, FormsLeaveTheLoadedFormsDestroyedWhileLoadedOrAfterAFailedUnload) {
    struct FailsToUnloadOnce : rt::Form {
        FailsToUnloadOnce() : Form({}) {}
        void Form_Unload(int&) override { if (!std::exchange(failed, true)) throw rt::Failure("the first unload fails"); }
        bool failed = false;
    } form;
    auto dropped = std::make_unique<rt::Form>(rt::FormDesign{});
    dropped->Load();
    dropped.reset();  // without an unload
    form.Load();
    EXPECT_THROW(form.Unload(), rt::Failure);
    form.Unload();
    EXPECT_FALSE(form.IsLoaded());
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// ---- the effect window -------------------------------------------------------

// A message to the effect window, at a point in pixels: away from the one
// column of its design, on its background.
void Send(frmmain& f, UINT msg, int x = 0, int y = 0, WPARAM w = 0) { ::SendMessageW(f.hWnd(), msg, w, MAKELPARAM(x, y)); }

// Started without a switch, the designed window; whether each input ends the
// saver, showing the cursor again as it does.
// Columns report positions in twips within themselves. A key, a click on a
// column and the pointer on the full-screen window, and keys and moves on a
// preview, are proved with real input end to end.
TEST_F(Faked, EffectWindowExitRulesAndCursor) {
    const struct {
        const char* name;
        bool preview;
        void (*act)(frmmain&);
        bool ends;
    } cases[] = {
        {"ColumnClickInPreview", true, [](frmmain& f) { f.Text1(0).Click(); }, true},
        {"IntoTheNextColumn", false, [](frmmain& f) {
             f.Text1.Load(1);
             f.Text1(0).MouseMove(0, 0, 150, 600);
             f.Text1(1).MouseMove(0, 0, 5, 600);
         }, true},
        {"ButtonOnTheWindow", false, [](frmmain& f) { Send(f, WM_RBUTTONDOWN, 100, 100); }, true},
        // The window's rule and the columns' rule each keep their own position.
        {"SeparatePositions", false, [](frmmain& f) {
             Send(f, WM_MOUSEMOVE, 600, 600);
             f.Text1(0).MouseMove(0, 0, 60, 9000);
             Send(f, WM_MOUSEMOVE, 601, 600);
         }, false},
        {"ButtonInPreview", true, [](frmmain& f) { Send(f, WM_LBUTTONDOWN, 100, 100); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        SaverWindows windows;
        frmmain& form = windows.effectWindow;
        form.Show();  // the test program's command line names no switch: the designed window, maximised, not on top
        form.DoIt.SetEnabled(false);  // the endless step loop is not under test here
        EXPECT_EQ(::GetWindowLongW(form.hWnd(), GWL_STYLE) & (WS_MAXIMIZE | WS_CAPTION), WS_MAXIMIZE);
        EXPECT_FALSE(::GetWindowLongW(form.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        form.PreviewMode = c.preview;
        Ends([&] { c.act(form); });  // through a window message, the window procedure takes the end
        EXPECT_EQ(seen.ends > 0, c.ends);
        EXPECT_EQ(seen.cursorShows, c.ends ? 1 : 0);
        Ends([&] { form.Unload(); });
    }
}

// ---- the step loop's wait -----------------------------------------------------

// The display's state as the system sends it: 0 off, 1 on, 2 dimmed.
void Display(frmmain& f, DWORD state) {
    struct { GUID setting; DWORD length, data; } notice{GUID_CONSOLE_DISPLAY_STATE, sizeof state, state};
    ::SendMessageW(f.hWnd(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice));
}
// The column the loop writes, at the wait's first turn and at its third, where
// the digits are made seen again.
struct {
    frmmain* form;
    void (*show)(frmmain&);
    int turns, ticks;
    std::wstring first, third;
} waiting;
// Ends the step loop (the program's end, faked) at its first step once the
// digits are seen again, or after 3,000 ticks; its timer starts no other.
void CALLBACK QuitOnceSeenAndStepped(HWND w, UINT, UINT_PTR id, DWORD) {
    const bool stepped = (waiting.turns == 3 || !waiting.show) && waiting.form->Text1(0).Text() != waiting.third;
    if (stepped || ++waiting.ticks == 3000) ::KillTimer(w, id), waiting.form->DoIt.SetEnabled(false), ::PostQuitMessage(0);
}

// The real step loop, started by its timer, waits while its digits cannot be
// seen, and steps on from the same picture once they can: the display off (a
// dimmed one shows them), a preview's host hidden or minimised.
TEST_F(Faked, StepsWaitWhileTheirDigitsCannotBeSeen) {
    const struct {
        const char* name;
        void (*hide)(frmmain&);
        void (*show)(frmmain&);
    } cases[] = {
        {"DisplayOff", [](frmmain& f) { Display(f, 0); }, [](frmmain& f) { Display(f, 1); }},
        {"DisplayDimmed", [](frmmain& f) { Display(f, 2); }, nullptr},
        {"HostHidden", [](frmmain& f) { ::ShowWindow(f.HostWindow, SW_HIDE); }, [](frmmain& f) { ::ShowWindow(f.HostWindow, SW_SHOW); }},
        {"HostMinimised", [](frmmain& f) { ::ShowWindow(f.HostWindow, SW_MINIMIZE); },
         [](frmmain& f) { ::ShowWindow(f.HostWindow, SW_RESTORE); }},
    };
    platform_->MsgWaitForMultipleObjectsEx = [](DWORD, const HANDLE*, DWORD, DWORD, DWORD) -> DWORD {
        (++waiting.turns == 1 ? waiting.first : waiting.third) = waiting.form->Text1(0).Text();
        if (waiting.turns == 3) waiting.show(*waiting.form);
        return WAIT_TIMEOUT;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        const HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                            nullptr, nullptr, nullptr);
        SaverWindows windows("/p " + std::to_string(reinterpret_cast<UINT_PTR>(host)));
        frmmain& form = windows.effectWindow;
        form.Load();
        form.Timer1.SetEnabled(false);  // every step into column 0
        waiting = {&form, c.show, 0, 0, {}, {}};
        c.hide(form);
        ::SetTimer(form.hWnd(), 1, 1, QuitOnceSeenAndStepped);
        Ends([] { while (!seen.ends) ::WaitMessage(), rt::DoEvents(); });
        EXPECT_EQ(waiting.turns, c.show ? 3 : 0);
        EXPECT_EQ(waiting.third, waiting.first) << "steps unseen";
        EXPECT_NE(form.Text1(0).Text(), waiting.third) << "no steps once seen";
        ::DestroyWindow(host);
    }
}

// Two monitors: one of 776 pixels left of and above the primary one.
int WINAPI TwoMonitors(int index) {
    switch (index) {
        case SM_XVIRTUALSCREEN: return -776;
        case SM_YVIRTUALSCREEN: return -100;
        case SM_CXVIRTUALSCREEN: return 1800;
        case SM_CYVIRTUALSCREEN: return 868;
        default: return ::GetSystemMetrics(index);
    }
}

TEST_F(Faked, FullScreenOverEveryMonitor) {
    SaverWindows windows("/s");
    frmmain& form = windows.effectWindow;
    form.Load();
    form.DoIt.SetEnabled(false);
    // A second monitor plugged in while the saver runs: the window covers both.
    platform_->GetSystemMetrics = TwoMonitors;
    Send(form, WM_DISPLAYCHANGE);
    RECT r{};
    ::GetWindowRect(form.hWnd(), &r);
    EXPECT_TRUE(r.left == -776 && r.top == -100 && r.right == 1024 && r.bottom == 768);
    EXPECT_EQ(seen.cursorHides, 1);
    Ends([&] { form.Unload(); });
}

// ---- the display's scale (run on displays of 96, 144 and 192 dpi) -------------

using Scaled = Faked;

// A text line's height in pixels where Arial 9.75 pt is drawn at `dpi`: 15 at
// 96, as tall again in proportion, but for the rounding to whole pixels.
bool LinesFit(double pitch, int dpi) { return std::abs(pitch / (15.0 * dpi / 96) - 1) < 0.1; }

// How far apart the runs of ink stand on the window's surface, down its rows
// (the text lines of what is written) or across them (the written columns):
// the pixels that are not black are the digits.
double InkPitch(HWND window, bool across) {
    RECT r{};
    ::GetClientRect(window, &r);
    rt::MemorySurface copy(r.right, r.bottom);
    ::BitBlt(copy.Dc(), 0, 0, r.right, r.bottom, rt::WindowDc(window).get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const int lines = across ? r.right : r.bottom, length = across ? r.bottom : r.right;
    std::vector<int> starts;
    bool before = false;
    for (int line = 0; line < lines; ++line) {
        bool inked = false;
        for (int at = 0; at < length && !inked; ++at) inked = copy.Bits()[across ? at * r.right + line : line * r.right + at] != 0;
        if (inked && !before) starts.push_back(line);
        before = inked;
    }
    return starts.size() < 3 ? 0 : double(starts.back() - starts.front()) / double(starts.size() - 1);
}

// The effect window at its display's dpi: columns of 165 twips across the
// screen's width in twips, one digit a line as tall as the dpi asks, each
// step painted at once. When the scale changes while it runs, it draws at the
// new one over the whole virtual screen, whatever the system suggests, and the
// pointer resting where it was ends nothing. (The device windows keep their
// size in pixels at 144 dpi: the about window's case, end to end.)
TEST_F(Scaled, FullScreenDrawsAtItsDisplaysDpiAndAtANewOneWhileItRuns) {
    const int dpi = ::GetDeviceCaps(rt::WindowDc(nullptr).get(), LOGPIXELSX);
    const std::map<int, std::pair<int, int>> columns{{96, {1024, 94}}, {144, {2560, 156}}, {192, {3840, 175}}};
    ASSERT_EQ(columns.at(dpi).first, ::GetSystemMetrics(SM_CXSCREEN)) << "not a display the tests run on";
    SaverWindows windows("/s");
    frmmain& form = windows.effectWindow;
    form.Load();
    form.DoIt.SetEnabled(false);
    EXPECT_EQ(rt::WindowDpi(form.hWnd()), dpi);
    form.Timer1.Tick();
    EXPECT_EQ(form.ColumnCount, columns.at(dpi).second);
    for (int column = 3; column < 9; ++column) form.Step(column, 4);  // "010101": a digit a line
    EXPECT_NEAR(InkPitch(form.hWnd(), true), 165.0 * dpi / 1440, 0.5);
    EXPECT_PRED2(LinesFit, InkPitch(form.hWnd(), false), dpi);

    Send(form, WM_MOUSEMOVE, 300, 300);
    RECT r{0, 0, 640, 480}, desk = rt::Screen::Virtual();  // what the system suggests, and what it covers
    ::SendMessageW(form.hWnd(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&r));
    Send(form, WM_MOUSEMOVE, 300, 300);
    EXPECT_EQ(seen.ends, 0);
    rt::DoEvents();  // painted again
    EXPECT_PRED2(LinesFit, InkPitch(form.hWnd(), false), 2 * dpi);
    ::GetWindowRect(form.hWnd(), &r);
    EXPECT_TRUE(::EqualRect(&r, &desk));
    Ends([&] { form.Unload(); });
}

// Windows makes a window the child only of a parent of its own awareness of
// the display's scale (Wine of any: the platform call here does as Windows
// does). A preview is made with its host's, and draws at its dpi.
TEST_F(Scaled, APreviewIsMadeWithItsHostsAwarenessAndDrawsAtItsDpi) {
    platform_->SetParent = [](HWND child, HWND parent) {
        return rt::WindowAwareness(child) == rt::WindowAwareness(parent) ? ::SetParent(child, parent) : nullptr;
    };
    for (const DPI_AWARENESS_CONTEXT awareness : {DPI_AWARENESS_CONTEXT_UNAWARE, rt::kPerMonitorAware}) {
        const HWND host = [awareness] {
            const rt::ThreadAwareness made(awareness);
            return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        }();
        SaverWindows windows("/p " + std::to_string(reinterpret_cast<UINT_PTR>(host)));
        frmmain& preview = windows.effectWindow;
        preview.Load();
        EXPECT_EQ(::GetParent(preview.hWnd()), host);  // filling it: the end-to-end preview test
        preview.Step(0, 4);
        EXPECT_PRED2(LinesFit, InkPitch(preview.hWnd(), false), rt::WindowDpi(host));
        ::DestroyWindow(host);
        Ends([&] { preview.Unload(); });
    }
}

// ---- the setup's windows -----------------------------------------------------

TEST_F(Faked, SetupWelcomeHasATranslucentPanelAndItsTimerOpensTheDisplaySettingsAndEndsUnlessClosedBefore) {
    setup::SetupLog log;
    setup::SetupSession session{{}, log};
    setup::SetupWindows windows(session, setup::Language::English);
    frmSetup& language = windows.languageWindow;
    frmInstall1& welcome = windows.welcomeWindow;
    const auto carryOn = [&] {  // the language window's first button
        ::SendMessageW(language.Command1.hWnd(), BM_CLICK, 0, 0);
        rt::DoEvents();
    };
    // Before an install, every way out of the language window cancels:
    // Escape, its cancel button, its title bar's close.
    language.Show();
    MSG escape{language.Command1.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    rt::TranslateDialogKeys(escape);
    EXPECT_EQ(std::exchange(seen.exitCode, 0), setup::kCancelled);
    ::SendMessageW(language.Command2.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(std::exchange(seen.exitCode, 0), setup::kCancelled);
    ::SendMessageW(language.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(seen.ends == 3 && seen.exitCode == setup::kCancelled);
    carryOn();
    BYTE alpha = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(windows.panelWindow.hWnd(), nullptr, &alpha, nullptr) && alpha == 180);
    EXPECT_TRUE(Ends([&] { welcome.Timer1.Tick(); }));
    EXPECT_EQ(seen.exitCode, setup::kDone);
    EXPECT_EQ(seen.program, rt::SystemDirectory() + L"\\rundll32.exe");
    EXPECT_EQ(seen.commandLine, L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1");
    EXPECT_EQ(seen.show, SW_SHOWMINIMIZED);

    const auto pastTheTimer = [] {
        for (const ULONGLONG until = ::GetTickCount64() + 1800; ::GetTickCount64() < until;) rt::DoEvents(), ::Sleep(10);
    };
    seen = {};
    welcome.Timer1.SetEnabled(true);
    welcome.imgEnde.Click();
    pastTheTimer();
    EXPECT_EQ(seen.starts + seen.ends, 0);
    carryOn();  // shown again, it does not bring back the timer of its last showing
    pastTheTimer();
    EXPECT_EQ(seen.starts + seen.ends, 0);
    // Enter presses the focused button, even cancel; once installed, leaving is no longer cancelling.
    session.installed = true;
    language.Show();
    ::SetFocus(language.Command2.hWnd());
    MSG enter{language.Command2.hWnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    rt::TranslateDialogKeys(enter);
    EXPECT_TRUE(seen.ends == 1 && seen.exitCode == setup::kDone);
    for (rt::Form* f : {static_cast<rt::Form*>(&welcome), static_cast<rt::Form*>(&language)}) Ends([&] { f->Unload(); });
}

}  // namespace
