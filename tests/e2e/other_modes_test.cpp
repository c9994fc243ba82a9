// The switches besides /s and /p: /a, /c, and command lines that name no
// switch, which open the effect window as designed.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver.h"

namespace e2e {
namespace {

TEST(PasswordSwitch, EndsWithoutAWindow) {
    ProgramProcess saver(L" /a");
    EXPECT_EQ(saver.EndsWithoutWindow(3000), "");
}

// No switch at all, or a blank before it (the switch must come first).
class NoSwitch : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(NoSwitch, OpensTheDesignedWindowMaximisedNotOnTopWithCursor) {
    ASSERT_TRUE(PlacePointer(600, 500));
    ProgramProcess saver(GetParam());
    ASSERT_TRUE(saver.Started());
    const HWND window = saver.WaitForVisibleWindow(L"Veltrin");
    ASSERT_NE(window, nullptr) << ::testing::PrintToString(saver.CommandLine()) << " showed no window; running "
                               << saver.Running();

    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << Describe(window);
    EXPECT_NE(style & WS_MAXIMIZE, 0) << Describe(window);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0) << Describe(window);
    RECT r{};
    ::GetWindowRect(window, &r);
    const RECT screen = kScreen;
    EXPECT_TRUE(::EqualRect(&r, &screen)) << Describe(window);
    EXPECT_TRUE(WaitForDigits(kScreen, 3)) << "no digits";
    ASSERT_TRUE(BringToFront(window));
    EXPECT_TRUE(CursorShowing()) << "the designed window hides the cursor";

    EXPECT_EQ(EndWithKey(saver, window), "");
}

INSTANTIATE_TEST_SUITE_P(CommandLine, NoSwitch, ::testing::Values(L"", L"  /s"),
                         [](const auto& p) { return std::string(p.index == 0 ? "Empty" : "BlankBeforeSwitch"); });

// The about window of its process shows; the effect window does not. The
// about window is about to become a shaped device window with a close button
// of its own, so ending it by WM_CLOSE is tried, not required.
TEST(ConfigureSwitch, ShowsTheAboutWindowAndHidesTheEffectWindow) {
    ProgramProcess saver(L" /c");
    ASSERT_TRUE(saver.Started());
    const HWND about = saver.WaitForVisibleWindow(L"About");
    ASSERT_NE(about, nullptr) << "no visible window \"About\"; running " << saver.Running();
    EXPECT_FALSE(PollUntil(
        [&] {
            const HWND effect = saver.FindWindowByCaption(L"Veltrin");
            return effect && ::IsWindowVisible(effect);
        },
        kStaysRunningMs))
        << "the effect window is visible: " << Describe(saver.FindWindowByCaption(L"Veltrin"));

    if (!saver.CloseAbout(about)) std::printf("note: WM_CLOSE to the about window did not end the saver; terminated\n");
}

}  // namespace
}  // namespace e2e
