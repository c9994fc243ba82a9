// The saver as a process: each mode from a real command line, what it shows,
// and what ends it. The pointer is placed before a start, because the window
// appearing under it is itself a pointer event.
#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

constexpr int kColumn = 11;  // pixels: 165 twips

// What the screen shows of the effect: the columns with digits, the pixels
// neither black nor green, and the green ones at the right of their column,
// where no digit reaches.
struct Effect {
    explicit Effect(const Shot& shot) {
        std::vector<bool> seen(shot.width / kColumn + 1);
        for (int i = 0; i < shot.width * shot.height; ++i) {
            const int x = i % shot.width;
            const bool green = (shot.pixels[i] & 0xFF00FF) == 0 && (shot.pixels[i] & 0xFF00) != 0;
            seen[x / kColumn] = seen[x / kColumn] || green;
            green ? betweenColumns += x % kColumn >= 9 : foreign += shot.pixels[i] != 0;
        }
        columns = static_cast<int>(std::count(seen.begin(), seen.end(), true));
    }
    int columns = 0, foreign = 0, betweenColumns = 0;
};

class FullScreen : public ::testing::Test {
protected:
    // Started with the pointer at (x, y), up to its first digits.
    void Start(POINT at) {
        ASSERT_TRUE(PlacePointer(at.x, at.y));
        saver.emplace(L" /s");
        window = saver->Window(L"Veltrin");
        ASSERT_NE(window, nullptr) << "no window; running " << saver->Running();
        ASSERT_TRUE(PollUntil([] { return Effect(Shot::Take()).columns >= 3; })) << "no digits";
    }
    std::optional<Process> saver;
    HWND window = nullptr;
};

TEST_F(FullScreen, CoversTheScreenOnTopShowingOnlyGreenDigitsInTheirColumns) {
    ASSERT_NO_FATAL_FAILURE(Start({600, 500}));
    EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    std::optional<Effect> effect;
    EXPECT_TRUE(PollUntil([&] { return effect.emplace(Shot::Take()).columns >= 85; }));
    EXPECT_EQ(effect->foreign, 0);
    EXPECT_EQ(effect->betweenColumns, 0);
    Key(VK_SHIFT);
    EXPECT_TRUE(saver->Ends());
}

// Real input ends it: any key, those that type no character too (a screen is
// woken with Shift or Ctrl more than with a letter; Shift ends the case
// above, as it would Ctrl, an arrow or a function key; Alt comes as a system
// key), a click on a column; a jump of the pointer is
// the wide display's case. Every rule's fine detail (the cursor, each pair of
// positions, previews, the pointer's first event) is proved in-process and on
// the host.
TEST_F(FullScreen, EndsOnAnyKeyAClickOnAColumnOrAJumpOverOne) {
    static constexpr POINT kStart{444, 400};  // inside column 40
    const std::pair<const char*, void (*)(HWND)> inputs[] = {
        {"Alt", [](HWND w) { Front(w), Key(VK_MENU); }},
        {"ClickOnAColumn", [](HWND) { Click(); }},
    };
    for (const auto& [name, act] : inputs) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(Start(kStart));
        ASSERT_TRUE(saver->Stays()) << "ended before the input";
        act(window);
        EXPECT_TRUE(saver->Ends());
    }
}

// On a display 2560 pixels wide set to 144 dpi (scripts/test runs these alone
// on one), where the columns of 165 twips are 16.5 pixels wide and the
// threshold of 45 twips is 4.5 pixels.
class Wide : public FullScreen {};

TEST_F(Wide, ThePointerRestingOrJumping4PixelsKeepsItRunningAnd5PixelsEndIt) {
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 2560) << "not the wide display";
    ASSERT_EQ(::GetDeviceCaps(rt::WindowDc(nullptr).get(), LOGPIXELSX), 144) << "not set to 144 dpi";
    ASSERT_NO_FATAL_FAILURE(Start({2460, 500}));  // in column 149, pixels 2459 to 2474
    EXPECT_TRUE(saver->Stays(1500)) << "ended with the pointer at rest";
    ASSERT_TRUE(StepMouse(2464, 501));
    EXPECT_TRUE(saver->Stays()) << "ended on a jump of 4 pixels (40 twips)";
    ASSERT_TRUE(StepMouse(2469, 501));  // 50 twips
    EXPECT_TRUE(saver->Ends());
}

// The desktop's own window is no host: nothing would end a preview over the screen.
TEST(CommandLine, PasswordAndPreviewsWithoutAHostEndAtOnceUnseen) {
    const std::wstring tails[] = {L" /a", L" /p", L" /p 999999", L" /p " + std::to_wstring(reinterpret_cast<UINT_PTR>(::GetDesktopWindow()))};
    for (const std::wstring& tail : tails) {
        Process saver(tail);
        EXPECT_TRUE(saver.EndsUnseen()) << testing::PrintToString(tail);
        EXPECT_EQ(saver.ExitCode(), 0u);
    }
}

// As the display settings host a preview: in a child control of a window,
// hidden at first.
struct PreviewHost {
    PreviewHost() = default;
    ~PreviewHost() { ::DestroyWindow(window); }
    PreviewHost(const PreviewHost&) = delete;
    std::wstring Tail() const { return L" /p " + std::to_wstring(reinterpret_cast<UINT_PTR>(control)); }
    // The preview in it, once shown (in the host, hidden or not).
    HWND Preview() const {
        HWND child = nullptr;
        PollUntil([&] { return (child = ::GetWindow(control, GW_CHILD)) && (::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE); });
        return child;
    }

    const HWND window = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                          300, 200, 320, 260, nullptr, nullptr, nullptr, nullptr);
    const HWND control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, 152, 112, window, nullptr,
                                           nullptr, nullptr);
};

// Keys and moves end no preview (a click on its columns does: proved in-process).
// Started while its host is hidden, as the display settings may be, it fills
// the host's client area once shown and whenever that changes, keeps no test
// run of the display settings out, and ends with its host, hidden or not.
TEST(Preview, IsAPlainChildFollowingItsHostIgnoresKeysAndMovesAndEndsWithItsHost) {
    ASSERT_TRUE(PlacePointer(900, 700));
    PreviewHost host;
    Process saver(host.Tail());
    const HWND preview = host.Preview();
    ASSERT_NE(preview, nullptr) << "not in its host; running " << saver.Running();
    EXPECT_EQ(::GetWindowLongW(preview, GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
    ::ShowWindow(host.window, SW_SHOW);
    RECT client{};
    for (const SIZE size : {SIZE{152, 112}, SIZE{200, 150}}) {
        ::SetWindowPos(host.control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        client = WindowRect(host.control);  // a control without a border: its client area
        EXPECT_TRUE(PollUntil([&] {
            const RECT r = WindowRect(preview);
            return ::IsWindowVisible(preview) && ::EqualRect(&client, &r);
        })) << size.cx;
    }

    ::PostMessageW(preview, WM_KEYDOWN, 'A', 0);
    for (int x = client.left + 2; x < client.right; x += 20) MoveMouse(x, client.top + 30);
    ::ShowWindow(host.window, SW_HIDE);
    EXPECT_TRUE(saver.Stays()) << "ended on a key, a pointer move or its host hidden";
    EXPECT_NE(Process(L" /s").Window(L"Veltrin"), nullptr) << "a preview kept the full-screen saver out";
    ::DestroyWindow(host.control);
    EXPECT_TRUE(saver.Ends(3000));
}

// One full-screen or configuration copy at a time, unless the clipboard holds
// exactly the old preview marker. A clipboard owner that promised text and
// does not answer keeps no copy from showing or from ending.
TEST(OneCopy, AtATimeUnlessTheMarkerIsOnTheClipboard) {
    std::optional<HungClipboardOwner> hung(std::in_place);
    ASSERT_TRUE(PlacePointer(600, 500));
    Process first(L" /s");
    ASSERT_NE(first.Window(L"Veltrin"), nullptr) << "kept from showing by the clipboard's owner";
    EXPECT_TRUE(Process(L" /s").EndsUnseen()) << "a second copy waited on the clipboard's owner";
    hung.reset();
    ASSERT_TRUE(SetClipboard(L"Priview "));
    for (const wchar_t* tail : {L" /s", L" /c"}) EXPECT_TRUE(Process(tail).EndsUnseen()) << "a second" << tail;
    ASSERT_TRUE(SetClipboard(L"Priview"));
    EXPECT_NE(Process(L" /s").Window(L"Veltrin"), nullptr) << "the marker did not let a second copy through";
    SetClipboard(L"");
}

}  // namespace
}  // namespace e2e
