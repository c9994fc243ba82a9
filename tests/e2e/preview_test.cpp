// The saver started with /p <window>: it draws inside a host window of the
// driver's own, ignores keys and movement there, and ends on a click on a
// column or when the host goes away. Without a usable host it ends at once.
#include <gtest/gtest.h>

#include <memory>

#include "driver.h"

namespace e2e {
namespace {

constexpr int kHostWidth = 152, kHostHeight = 112;

class Preview : public ::testing::Test {
protected:
    void Start() {
        ASSERT_NE(host.Handle(), nullptr);
        // Keep the pointer away from the host: it is moved there on purpose.
        ASSERT_TRUE(PlacePointer(900, 700));
        saver = std::make_unique<ProgramProcess>(host.PreviewTail());
        ASSERT_TRUE(saver->Started());
        child = host.WaitForChildOf(*saver);
        ASSERT_NE(child, nullptr) << "no child window in the host; running: " << saver->Running();
    }

    PreviewHost host{kHostWidth, kHostHeight};
    std::unique_ptr<ProgramProcess> saver;
    HWND child = nullptr;
};

void PostKey(HWND window, WORD vk) {
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageW(window, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

// Only the window's placement can be checked here: Wine does not show on
// screen what a child window of another process draws.
TEST_F(Preview, FillsTheHostIgnoresKeysAndMovesAndEndsOnAColumnClick) {
    ASSERT_NO_FATAL_FAILURE(Start());

    EXPECT_EQ(::GetAncestor(child, GA_PARENT), host.Handle());
    EXPECT_NE(::GetWindowLongW(child, GWL_STYLE) & WS_CHILD, 0) << Describe(child);
    const RECT client = host.ClientOnScreen();
    EXPECT_TRUE(host.WaitUntilFilledBy(child)) << "child " << Describe(child) << ", host client area (" << client.left
                                               << "," << client.top << ")-(" << client.right << "," << client.bottom
                                               << ")";
    EXPECT_FALSE(saver->HasVisibleWindow()) << "the preview shows a top-level window too";

    // Keys, at the saver's window and wherever the keyboard goes with the host in front.
    for (WORD vk : {WORD('A'), WORD(VK_SHIFT), WORD(VK_SPACE), WORD(VK_ESCAPE)}) PostKey(child, vk);
    if (BringToFront(host.Handle())) {
        PressKey('A');
        PressKey(VK_SHIFT);
    }
    // Jumps far beyond 3 pixels, across columns and along one.
    for (int x = client.left + 2; x < client.right; x += 20) ASSERT_TRUE(MoveMouse(x, client.top + 30));
    for (int y = client.top + 2; y < client.bottom; y += 20) ASSERT_TRUE(MoveMouse(client.left + 5, y));
    EXPECT_TRUE(saver->StillRunningAfter(kStaysRunningMs)) << "ended on keys or pointer moves";

    ASSERT_TRUE(MoveMouse(client.left + 2 * kColumnPixels + 5, client.top + 50));  // column 2
    EXPECT_TRUE(ClickUntilExit(*saver, Button::Left)) << "a click on a column did not end the preview";
}

TEST_F(Preview, EndsWhenTheHostGoesAway) {
    ASSERT_NO_FATAL_FAILURE(Start());
    host.Destroy();
    EXPECT_TRUE(saver->WaitForExit(3000)) << "still running 3 s after its host window was destroyed";
}

// A host that is not a window, or no number at all: the saver must not run
// on unseen, nor fall back to a window of its own.
class PreviewWithoutHost : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(PreviewWithoutHost, EndsAtOnceWithoutAWindow) {
    ASSERT_FALSE(::IsWindow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(999999))));
    ProgramProcess saver(GetParam());
    EXPECT_EQ(saver.EndsWithoutWindow(3000), "") << ::testing::PrintToString(saver.CommandLine());
}

std::string HostName(const ::testing::TestParamInfo<const wchar_t*>& param) {
    static const char* const names[] = {"Missing", "Zero", "NotAWindow", "Beyond32Bits"};
    return names[param.index];
}

INSTANTIATE_TEST_SUITE_P(Host, PreviewWithoutHost,
                         ::testing::Values(L" /p", L" /p 0", L" /p 999999", L" /p 99999999999"), HostName);

}  // namespace
}  // namespace e2e
