// The saver started with /s, as a process: what it shows and what ends it.
// Every case starts its own copy; the pointer is placed before the start,
// because the window's appearance under the pointer is itself a mouse event.
#include <gtest/gtest.h>

#include <memory>

#include "driver.h"

namespace e2e {
namespace {

class FullScreen : public ::testing::Test {
protected:
    // Starts `tail` with the pointer at (x, y) and waits until the window is
    // up and its columns are laid out (digits show in them).
    void Start(int x, int y, const std::wstring& tail = L" /s") {
        ASSERT_TRUE(PlacePointer(x, y));
        saver = std::make_unique<ProgramProcess>(tail);
        ASSERT_TRUE(saver->Started()) << "could not start " << ::testing::PrintToString(saver->CommandLine());
        window = saver->WaitForVisibleWindow(L"Veltrin");
        ASSERT_NE(window, nullptr) << "no visible window \"Veltrin\"; running: " << saver->Running();
        ASSERT_TRUE(WaitForDigits(kScreen, 3)) << "no digits appeared";
    }

    void ExpectEnds(const char* what) {
        EXPECT_TRUE(saver->WaitForExit(kEndDeadlineMs)) << "still running " << kEndDeadlineMs << " ms after " << what;
    }

    void ExpectKeptRunning(const char* what) {
        EXPECT_TRUE(saver->StillRunningAfter(kStaysRunningMs))
            << "ended (exit code " << saver->ExitCode() << ") after " << what;
    }

    std::unique_ptr<ProgramProcess> saver;
    HWND window = nullptr;
};

// ---- what it shows ---------------------------------------------------------

class FullScreenSwitch : public FullScreen, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(FullScreenSwitch, CoversTheScreenOnTopWithoutCursorAndFillsTheColumnsWithGreenDigits) {
    ASSERT_NO_FATAL_FAILURE(Start(600, 500, GetParam()));

    RECT r{};
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, kScreenWidth);
    EXPECT_EQ(r.bottom, kScreenHeight);
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_NE(exStyle & WS_EX_TOPMOST, 0) << Describe(window);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0) << "a full-screen window has no frame: " << Describe(window);
    EXPECT_EQ(::GetForegroundWindow(), window) << "keys would not reach the saver";
    EXPECT_FALSE(CursorShowing());

    // Digits spread over most columns within a few seconds.
    std::vector<bool> columns;
    const bool spread = PollUntil(
        [&] {
            columns = ColumnsWithDigits(Screenshot::Take(), kScreen);
            columns.resize(kFullScreenColumns);
            return CountTrue(columns) >= 80;
        },
        kStartDeadlineMs);
    EXPECT_TRUE(spread) << CountTrue(columns) << " of " << kFullScreenColumns << " columns show digits";

    // Nothing but the saver is on the screen: black, and the digits' green
    // (font smoothing only darkens it). Each digit stands at the left of its
    // column: the right part of every 11-pixel column stays black, which a
    // wrong column pitch or offset would not leave.
    const Screenshot shot = Screenshot::Take();
    ASSERT_TRUE(shot.Valid());
    int foreign = 0, green = 0, inGap = 0;
    int firstForeignX = -1, firstForeignY = -1, firstGapX = -1, firstGapY = -1;
    for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
            const std::uint32_t p = shot.At(x, y);
            if (IsDigitGreen(p)) {
                ++green;
                if (x % kColumnPixels >= 9 && inGap++ == 0) firstGapX = x, firstGapY = y;
            } else if (p != 0 && foreign++ == 0) {
                firstForeignX = x, firstForeignY = y;
            }
        }
    }
    EXPECT_EQ(foreign, 0) << "pixels neither black nor green, the first at (" << firstForeignX << "," << firstForeignY
                          << ")";
    EXPECT_EQ(inGap, 0) << "green between the columns, the first at (" << firstGapX << "," << firstGapY << ")";
    EXPECT_GT(green, 1000);
    if (::testing::Test::HasFailure()) shot.SaveBmp(L"full_screen_failure.bmp");

    EXPECT_EQ(EndWithKey(*saver, window), "");
}

INSTANTIATE_TEST_SUITE_P(Switch, FullScreenSwitch, ::testing::Values(L" /s", L" /S"),
                         [](const auto& p) { return p.index == 0 ? "Lower" : "Upper"; });

// ---- what ends it ----------------------------------------------------------

struct KeyCase {
    const char* name;
    WORD vk;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class FullScreenKey : public FullScreen, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(FullScreenKey, EndsIt) {
    ASSERT_NO_FATAL_FAILURE(Start(ColumnX(40, 5), 400));
    ASSERT_TRUE(BringToFront(window));
    PressKey(GetParam().vk);
    ExpectEnds("a key");
}

INSTANTIATE_TEST_SUITE_P(AnyKey, FullScreenKey,
                         ::testing::Values(KeyCase{"Letter", 'A'}, KeyCase{"Space", VK_SPACE},
                                           KeyCase{"ShiftAlone", VK_SHIFT}, KeyCase{"AltAlone", VK_MENU},
                                           KeyCase{"Escape", VK_ESCAPE}),
                         [](const auto& p) { return std::string(p.param.name); });

class FullScreenClick : public FullScreen, public ::testing::WithParamInterface<Button> {};

std::string ButtonName(const ::testing::TestParamInfo<Button>& param) { return NameOf(param.param); }

// The columns cover the whole screen, so every click lands on one. The
// pointer stays where it was at the start: only the button can end it.
TEST_P(FullScreenClick, OnAColumnEndsIt) {
    ASSERT_NO_FATAL_FAILURE(Start(ColumnX(40, 5), 400));
    ASSERT_TRUE(saver->StillRunningAfter(kStaysRunningMs)) << "ended before the click";
    Click(GetParam());
    ExpectEnds("a click");
}

INSTANTIATE_TEST_SUITE_P(AnyButton, FullScreenClick, ::testing::Values(Button::Left, Button::Right, Button::Middle),
                         ButtonName);

struct Jump {
    const char* name;
    int dx, dy;
};

void PrintTo(const Jump& j, std::ostream* os) { *os << j.name; }

class FullScreenJump : public FullScreen, public ::testing::WithParamInterface<Jump> {};

// 45 twips (3 pixels) on either axis, in either direction, inside one column.
TEST_P(FullScreenJump, OfThreePixelsEndsIt) {
    const int x = ColumnX(40, 4), y = 400;
    ASSERT_NO_FATAL_FAILURE(Start(x, y));
    ASSERT_TRUE(StepMouse(x + 1, y + 1));  // a position the column's rule has seen
    ASSERT_TRUE(saver->Running()) << "ended on a 1-pixel move";
    ASSERT_TRUE(StepMouse(x + 1 + GetParam().dx, y + 1 + GetParam().dy));
    ExpectEnds("a 3-pixel jump");
}

INSTANTIATE_TEST_SUITE_P(EitherAxis, FullScreenJump,
                         ::testing::Values(Jump{"Right", 3, 0}, Jump{"Left", -3, 0}, Jump{"Down", 0, 3},
                                           Jump{"Up", 0, -3}),
                         [](const auto& p) { return std::string(p.param.name); });

// From x = 5 to 15 one pixel at a time: the step from column 0 (x 0..10) into
// column 1 goes from 150 twips into the old column to 0 into the new one.
// The moves are posted, as an exact sequence (see PostMouseMove).
TEST_F(FullScreen, CrossingAColumnEdgeEndsIt) {
    const int y = 300;
    ASSERT_NO_FATAL_FAILURE(Start(5, y));
    for (int x = 6; x <= 10; ++x) PostMouseMove(window, x, y);
    ExpectKeptRunning("moves inside column 0");
    for (int x = 11; x <= 15; ++x) PostMouseMove(window, x, y);
    ExpectEnds("crossing from column 0 into column 1");
}

// Steps of 15 and 30 twips, below the threshold, never end it; a key does.
// The pointer rests where the moves start; the moves are posted, as an exact
// sequence (see PostMouseMove).
TEST_F(FullScreen, MovementUnderThreePixelsInsideAColumnKeepsItRunning) {
    const int y = 300;
    ASSERT_NO_FATAL_FAILURE(Start(1, y));
    for (int x = 2; x <= 9; ++x) PostMouseMove(window, x, y);
    for (int x = 8; x >= 1; --x) PostMouseMove(window, x, y);
    for (int step = 1; step <= 4; ++step) PostMouseMove(window, 1 + step % 2, y + 2 * step);  // 2 px down, 1 aside
    ExpectKeptRunning("moves of 1 and 2 pixels inside column 0");
    EXPECT_EQ(EndWithKey(*saver, window), "");
}

// The window appearing under the pointer, far from the top-left corner, is
// the first pointer event; so is the first move seen by a column. Neither
// counts as a jump.
TEST_F(FullScreen, FirstPointerEventDoesNotEndIt) {
    const int x = ColumnX(63, 7), y = 500;
    ASSERT_NO_FATAL_FAILURE(Start(x, y));
    ExpectKeptRunning("the window appeared under the pointer");
    ASSERT_TRUE(StepMouse(x + 1, y));
    ExpectKeptRunning("the first 1-pixel move");
    EXPECT_EQ(EndWithKey(*saver, window), "");
}

}  // namespace
}  // namespace e2e
