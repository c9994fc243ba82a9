// The forms in-process: the effect window's exit rules with the cursor calls
// counted, its full-screen set-up over a faked desk of two monitors, and the
// setup's windows with the end, the message box and the program start faked
// through the platform table.
#include <gtest/gtest.h>

#include "app.h"
#include "frmInstall1.h"
#include "frmInstall2.h"
#include "frmSetup.h"
#include "frmmain.h"
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

// ---- the effect window -------------------------------------------------------

// A message to the effect window, at a point in pixels: away from the one
// column of its design, on its background.
void Send(frmmain& f, UINT msg, int x = 0, int y = 0, WPARAM w = 0) { ::SendMessageW(f.hWnd(), msg, w, MAKELPARAM(x, y)); }

// Whether each input ends the saver, showing the cursor again as it does.
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
        frmmain form;
        form.Load();  // the test program's command line names no switch
        form.DoIt.SetEnabled(false);  // the endless step loop is not under test here
        form.PreviewMode = c.preview;
        Ends([&] { c.act(form); });  // through a window message, the window procedure takes the end
        EXPECT_EQ(seen.ends > 0, c.ends);
        EXPECT_EQ(seen.cursorShows, c.ends ? 1 : 0);
        Ends([&] { form.Unload(); });
    }
}

// The step loop processes events inside its tick; a timer must not start its
// handler again meanwhile, or the loops nest until the stack runs out.
TEST(Timer, NeverEntersItsHandlerAgainWhileItRuns) {
    rt::Form form({});
    rt::Timer timer(form, 1);
    int depth = 0, deepest = 0, ticks = 0;
    timer.Tick = [&] {
        deepest = std::max(deepest, ++depth);
        for (const ULONGLONG until = ::GetTickCount64() + (ticks++ ? 0 : 100); ::GetTickCount64() < until;) rt::DoEvents();
        --depth;
    };
    form.Load();
    for (const ULONGLONG until = ::GetTickCount64() + 1000; ::GetTickCount64() < until && ticks < 3;) rt::DoEvents();
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(deepest, 1);
    form.Unload();
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

TEST_F(Faked, WithoutASwitchMaximisedAndFullScreenOverEveryMonitorWithItsColumnsLaidOut) {
    frmmain form;
    form.Show();
    form.DoIt.SetEnabled(false);
    // Without a switch, as this program's command line: the designed window,
    // borderless and maximised, not on top, with the cursor.
    EXPECT_EQ(::GetWindowLongW(form.hWnd(), GWL_STYLE) & (WS_MAXIMIZE | WS_CAPTION), WS_MAXIMIZE);
    EXPECT_FALSE(::GetWindowLongW(form.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(seen.cursorHides, 0);
    form.StartFullScreen();
    // A second monitor plugged in while the saver runs: the window covers both.
    platform_->GetSystemMetrics = TwoMonitors;
    Send(form, WM_DISPLAYCHANGE);
    RECT r{};
    ::GetWindowRect(form.hWnd(), &r);
    EXPECT_TRUE(r.left == -776 && r.top == -100 && r.right == 1024 && r.bottom == 768);
    EXPECT_EQ(seen.cursorHides, 1);
    form.Timer1.Tick();
    EXPECT_EQ(form.ColumnCount, 164);  // 27,000 twips of 165-twip columns
    EXPECT_FLOAT_EQ(form.Text1(163).Left(), 163 * 165);
    EXPECT_FLOAT_EQ(form.Text1(163).Height(), 868 * 15);
    // A step paints its piece at once, one digit a line: column 71 lies on
    // the primary monitor, from its 100th line.
    for (int i = 0; i < 20; ++i) form.Step(71, 4);
    rt::WindowDc dc(form.hWnd());
    int green = 0;
    for (int y = 100; y < 200; ++y) {
        for (int x = 71 * 11; x < 72 * 11; ++x) green += ::GetPixel(dc.get(), x, y) == RGB(0, 128, 0);
    }
    EXPECT_GT(green, 10);
    Ends([&] { form.Unload(); });
}

// ---- the setup's welcome window ----------------------------------------------

TEST_F(Faked, SetupWelcomeHasATranslucentPanelAndItsTimerOpensTheDisplaySettingsAndEndsUnlessClosedBefore) {
    frmSetup& language = rt::TheForm<frmSetup>();
    frmInstall1& welcome = rt::TheForm<frmInstall1>();
    const auto carryOn = [&] {  // the language window's first button
        ::SendMessageW(language.Command1.hWnd(), BM_CLICK, 0, 0);
        rt::DoEvents();
    };
    language.Show();
    carryOn();
    BYTE alpha = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(rt::TheForm<frmInstall2>().hWnd(), nullptr, &alpha, nullptr) && alpha == 180);
    EXPECT_TRUE(Ends([&] { welcome.Timer1.Tick(); }));
    EXPECT_EQ(seen.exitCode, setup::kInstalled);
    EXPECT_EQ(seen.program, rt::SystemDirectory() + L"\\rundll32.exe");
    EXPECT_EQ(seen.commandLine, L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1");
    EXPECT_EQ(seen.show, SW_SHOWMINIMIZED);

    const auto pastTheTimer = [] {
        for (const ULONGLONG until = ::GetTickCount64() + 1800; ::GetTickCount64() < until;) rt::DoEvents(), ::Sleep(10);
    };
    seen = {};
    welcome.Timer1.SetEnabled(true);
    welcome.imgEnde.Click(0);
    pastTheTimer();
    EXPECT_EQ(seen.starts + seen.ends, 0);
    EXPECT_TRUE(language.Visible());
    carryOn();  // shown again, it does not bring back the timer of its last showing
    pastTheTimer();
    EXPECT_EQ(seen.starts + seen.ends, 0);
    for (rt::Form* f : {static_cast<rt::Form*>(&welcome), static_cast<rt::Form*>(&language)}) Ends([&] { f->Unload(); });
}

}  // namespace
