// The forms runtime under Wine: timers, control arrays, the text box, the
// platform table, the program's view of itself.
#include <gtest/gtest.h>

#include "app.h"
#include "control_array.h"
#include "form.h"
#include "platform.h"
#include "textbox.h"
#include "timer.h"

namespace {

class TestForm : public rt::Form {
public:
    TestForm() : rt::Form(Design()) {}
    static rt::FormDesign Design() {
        rt::FormDesign d;
        d.caption = L"test";
        d.backColor = RGB(0, 0, 0);
        d.clientWidth = 3000;
        d.clientHeight = 3000;
        return d;
    }
    int loads = 0;
    int unloads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload(int&) override { ++unloads; }
};

// Pumps events until `done` or the time is up.
template <class Pred>
bool PumpUntil(Pred done, DWORD ms = 2000) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < ms) {
        rt::DoEvents();
        ::Sleep(1);
    }
    return done();
}

TEST(Timer, NeverReentersItsOwnHandler) {
    TestForm form;
    rt::Timer timer(form, 1);
    int depth = 0, deepest = 0, ticks = 0;
    timer.Tick = [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        if (ticks == 1) PumpUntil([] { return false; }, 300);  // processes events inside the tick
        --depth;
    };
    form.Load();
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(deepest, 1);
    form.Unload();
}

TEST(Timer, DisabledTimerDoesNotTickAndCanBeStarted) {
    TestForm form;
    rt::Timer timer(form, 5, false);
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    form.Load();
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
    form.Unload();
}

TEST(Form, LoadRunsOnceAndUnloadRunsItsHandler) {
    TestForm form;
    form.Load();
    form.Load();
    form.Show();
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.Visible());
    form.Unload();
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(form.WasUnloaded());
}

TEST(Form, GeometryIsInTwips) {
    TestForm form;
    form.Load();
    form.Move(1500, 750, 3000, 1500);
    RECT r;
    ::GetWindowRect(form.hWnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_FLOAT_EQ(form.Width(), 3000);
    form.Unload();
}

rt::TextBoxDesign ColumnDesign() {
    rt::TextBoxDesign d;
    d.left = 105;
    d.top = 90;
    d.width = 165;
    d.height = 885;
    d.backColor = RGB(0, 0, 0);
    d.foreColor = RGB(0, 128, 0);
    d.font = {L"Arial", 9.75f, FW_NORMAL, ANSI_CHARSET};
    return d;
}

TEST(ControlArray, NewElementsCopyElementZerosDesignAndStartHidden) {
    TestForm form;
    rt::ControlArray<rt::TextBox> boxes(
        [&](int, const rt::TextBoxDesign& d) { return std::make_unique<rt::TextBox>(form, d); }, ColumnDesign());
    boxes(0).Move(0, 0, 165, 3000);
    boxes(0).SetText("0101");
    boxes.Load(3);
    EXPECT_FALSE(boxes(3).Visible());
    EXPECT_FLOAT_EQ(boxes(3).Left(), 105);
    EXPECT_FLOAT_EQ(boxes(3).Height(), 885);
    EXPECT_EQ(boxes(3).Text(), "");
    EXPECT_EQ(boxes(3).BackColor(), RGB(0, 0, 0));
    EXPECT_THROW(boxes(2), std::out_of_range);
    EXPECT_THROW(boxes.Load(3), std::invalid_argument);
    EXPECT_EQ(boxes.UBound(), 3);

    int clicked = -1;
    boxes.Click = [&](int index) { clicked = index; };
    boxes(3).Click();
    EXPECT_EQ(clicked, 3);
}

TEST(App, KnowsItsFolderAndVersionRecordFields) {
    EXPECT_FALSE(rt::App::Path().empty());
    EXPECT_NE(rt::App::Path().back(), L'\\');
    EXPECT_FLOAT_EQ(rt::TwipsPerPixelX(), 15.0f);
}

int WINAPI FakeShowCursor(BOOL) { return 42; }

TEST(Platform, OverrideIsRestoredAfterItsScope) {
    const auto original = rt::Platform().ShowCursor;
    {
        rt::PlatformOverride scope;
        scope->ShowCursor = FakeShowCursor;
        EXPECT_EQ(rt::Platform().ShowCursor(TRUE), 42);
    }
    EXPECT_EQ(rt::Platform().ShowCursor, original);
}

}  // namespace
