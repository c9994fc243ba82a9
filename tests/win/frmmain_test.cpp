// The effect window in-process: its exit rules with the cursor calls counted
// through the platform table, the column layout on a real window, and a step
// that paints its digits at once.
#include <gtest/gtest.h>

#include "frmmain.h"
#include "platform.h"

namespace {

int cursorShows = 0;
int cursorHides = 0;
int ends = 0;

int WINAPI CountShowCursor(BOOL show) {
    (show ? cursorShows : cursorHides)++;
    return 0;
}
// Returning from it makes End throw rt::EndRequested instead of ending.
void WINAPI CountExit(UINT) { ++ends; }

class EffectWindow : public ::testing::Test {
protected:
    void SetUp() override {
        cursorShows = cursorHides = ends = 0;
        platform_->ShowCursor = CountShowCursor;
        platform_->ExitProcess = CountExit;
        form_.Load();  // the test program's command line carries no switch
        form_.DoIt.SetEnabled(false);  // the endless step loop is not under test here
    }
    void TearDown() override {
        Ends([&] { form_.Unload(); });  // its handler ends the program
    }

    // Runs a handler that must end the program; returns whether it did.
    template <class F>
    bool Ends(F handler) {
        try {
            handler();
        } catch (const rt::EndRequested&) {
            return true;
        }
        return false;
    }

    rt::PlatformOverride platform_;
    frmmain form_;
};

TEST_F(EffectWindow, ExitsThatShowTheCursorShowItExactlyOnce) {
    EXPECT_TRUE(Ends([&] { form_.Text1_Click(0); }));
    EXPECT_TRUE(Ends([&] {
        form_.Text1_MouseMove(0, 0, 0, 60, 600);
        form_.Text1_MouseMove(1, 0, 0, 5, 600);  // into the next column: x jumps
    }));
    EXPECT_TRUE(Ends([&] { form_.Form_MouseDown(1, 0, 100, 100); }));  // unloads, which ends
    EXPECT_EQ(ends, 3);
    EXPECT_EQ(cursorShows, 3);
    EXPECT_EQ(cursorHides, 0);
}

TEST_F(EffectWindow, KeysAndWindowMovesEndWithoutTouchingTheCursor) {
    EXPECT_TRUE(Ends([&] { form_.Form_KeyDown(VK_SHIFT, 1); }));
    EXPECT_FALSE(Ends([&] { form_.Form_MouseMove(0, 0, 3000, 3000); }));  // first event only records
    EXPECT_FALSE(Ends([&] { form_.Form_MouseMove(0, 0, 3044, 3000); }));
    EXPECT_TRUE(Ends([&] { form_.Form_MouseMove(0, 0, 3044, 3089); }));
    EXPECT_EQ(cursorShows, 0);
}

TEST_F(EffectWindow, WindowAndColumnsKeepSeparatePositions) {
    EXPECT_FALSE(Ends([&] { form_.Form_MouseMove(0, 0, 9000, 9000); }));
    EXPECT_FALSE(Ends([&] { form_.Text1_MouseMove(4, 0, 0, 60, 9000); }));  // the columns' first event
    EXPECT_FALSE(Ends([&] { form_.Form_MouseMove(0, 0, 9010, 9000); }));
    EXPECT_EQ(ends, 0);
}

TEST_F(EffectWindow, PreviewIgnoresEverythingButAColumnClick) {
    form_.PreviewMode = true;
    EXPECT_FALSE(Ends([&] { form_.Form_KeyDown('A', 0); }));
    EXPECT_FALSE(Ends([&] { form_.Form_MouseDown(1, 0, 10, 10); }));
    EXPECT_FALSE(Ends([&] {
        form_.Form_MouseMove(0, 0, 100, 100);
        form_.Form_MouseMove(0, 0, 5000, 5000);
        form_.Text1_MouseMove(0, 0, 0, 15, 15);
        form_.Text1_MouseMove(1, 0, 0, 150, 4000);
    }));
    EXPECT_TRUE(Ends([&] { form_.Text1_Click(2); }));
    EXPECT_EQ(cursorShows, 1);
}

TEST_F(EffectWindow, LayoutFillsA1024PixelWindowWith94Columns) {
    form_.Move(0, 0, 15360, 11520);
    form_.Timer1_Timer();
    EXPECT_EQ(form_.ColumnCount, 94);
    EXPECT_TRUE(form_.Text1.Exists(94));
    EXPECT_FALSE(form_.Text1.Exists(95));
    EXPECT_FLOAT_EQ(form_.Text1(93).Left(), 15345);
    EXPECT_FLOAT_EQ(form_.Text1(0).Left(), 0);
    for (int i : {0, 1, 93}) {
        EXPECT_FLOAT_EQ(form_.Text1(i).Width(), 165) << i;
        EXPECT_FLOAT_EQ(form_.Text1(i).Height(), 11520) << i;
        EXPECT_TRUE(form_.Text1(i).Visible()) << i;
    }
    EXPECT_FALSE(form_.Timer1.Enabled());
}

TEST_F(EffectWindow, AStepPaintsItsPieceAtOnceAndColumnsEmptyAboveTheThreshold) {
    form_.Move(0, 0, 15360, 11520);
    form_.Show();
    form_.Timer1_Timer();
    rt::DoEvents();
    form_.Step(5, 3);  // "000" into column 5, which starts at x = 55
    const HDC dc = ::GetDC(form_.hWnd());
    int green = 0;
    for (int y = 0; y < 45; ++y) {
        for (int x = 55; x < 66; ++x) green += GetGValue(::GetPixel(dc, x, y)) > 0 && GetRValue(::GetPixel(dc, x, y)) == 0;
    }
    EXPECT_GT(green, 10);
    EXPECT_EQ(form_.Text1(5).Text(), "000");

    for (int i = 0; i < 12; ++i) form_.Step(6, 7);  // eleven blanks at a time: 121, then 132
    EXPECT_EQ(form_.Text1(6).Text().size(), 132u);
    form_.Step(6, 1);
    EXPECT_EQ(form_.Text1(6).Text(), "0");
}

}  // namespace
