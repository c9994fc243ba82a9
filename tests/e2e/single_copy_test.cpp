// One full-screen or configuration copy at a time; previews do not count;
// the old preview marker on the clipboard still lets a copy through; and the
// user's clipboard text is never lost to a run.
#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

constexpr wchar_t kMarker[] = L"Priview";

// Leaves no marker behind for the next test, whatever happens.
struct ClipboardCleanup {
    ~ClipboardCleanup() { EmptyTheClipboard(); }
};

const wchar_t* CaptionOf(const std::wstring& tail) { return tail == L" /c" ? L"About" : L"Veltrin"; }

// Ends a copy the way its window allows: a key for the effect window, closing
// for the about window (terminated if that no longer ends it).
std::string EndCopy(ProgramProcess& saver, const std::wstring& tail, HWND window) {
    if (tail != L" /c") return EndWithKey(saver, window);
    saver.CloseAbout(window);
    return {};
}

struct CopyPair {
    const char* name;
    const wchar_t* first;
    const wchar_t* second;
};

void PrintTo(const CopyPair& c, std::ostream* os) { *os << c.name; }

class SecondCopy : public ::testing::TestWithParam<CopyPair> {};

TEST_P(SecondCopy, EndsSilentlyWhileTheFirstRuns) {
    ClipboardCleanup cleanup;
    ASSERT_TRUE(SetClipboardText(L"anything but the marker"));
    ASSERT_TRUE(PlacePointer(600, 500));
    ProgramProcess first(GetParam().first);
    const HWND firstWindow = first.WaitForVisibleWindow(CaptionOf(GetParam().first));
    ASSERT_NE(firstWindow, nullptr) << "the first copy showed no window";

    ProgramProcess second(GetParam().second);
    EXPECT_EQ(second.EndsWithoutWindow(), "") << "the second copy";
    EXPECT_TRUE(first.Running()) << "the second copy ended the first";
    EXPECT_EQ(EndCopy(first, GetParam().first, firstWindow), "");
}

INSTANTIATE_TEST_SUITE_P(Copies, SecondCopy,
                         ::testing::Values(CopyPair{"FullScreenThenFullScreen", L" /s", L" /s"},
                                           CopyPair{"FullScreenThenConfigure", L" /s", L" /c"},
                                           CopyPair{"ConfigureThenFullScreen", L" /c", L" /s"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ClipboardMarker, LetsASecondFullScreenCopyThrough) {
    ClipboardCleanup cleanup;
    ASSERT_TRUE(EmptyTheClipboard());
    ASSERT_TRUE(PlacePointer(600, 500));
    ProgramProcess first(L" /s");
    const HWND firstWindow = first.WaitForVisibleWindow(L"Veltrin");
    ASSERT_NE(firstWindow, nullptr);

    ASSERT_TRUE(SetClipboardText(kMarker));
    ProgramProcess second(L" /s");
    const HWND secondWindow = second.WaitForVisibleWindow(L"Veltrin");
    ASSERT_NE(secondWindow, nullptr) << "the marker did not let the second copy through; running " << second.Running();
    EXPECT_TRUE(first.Running());

    EXPECT_EQ(EndWithKey(second, secondWindow), "") << "the second copy";
    EXPECT_EQ(EndWithKey(first, firstWindow), "") << "the first copy";
}

// A preview keeps no full-screen copy out, and a full-screen copy keeps no
// preview out. The full-screen copies are ended by a click: under Wine a
// preview starting up may take the foreground, and with it the keys.
TEST(PreviewCopy, IsNotCountedAsACopy) {
    ClipboardCleanup cleanup;
    ASSERT_TRUE(EmptyTheClipboard());
    ASSERT_TRUE(PlacePointer(900, 700));  // outside the hosts
    PreviewHost host;
    ProgramProcess preview(host.PreviewTail());
    ASSERT_NE(host.WaitForChildOf(preview), nullptr);

    {
        ProgramProcess full(L" /s");
        EXPECT_NE(full.WaitForVisibleWindow(L"Veltrin"), nullptr) << "a running preview kept a full-screen copy out";
        EXPECT_TRUE(ClickUntilExit(full, Button::Left));
    }
    {
        ProgramProcess full(L" /s");
        ASSERT_NE(full.WaitForVisibleWindow(L"Veltrin"), nullptr);
        PreviewHost secondHost(152, 112, 500, 200);
        ProgramProcess secondPreview(secondHost.PreviewTail());
        EXPECT_NE(secondHost.WaitForChildOf(secondPreview), nullptr) << "a running full-screen copy kept a preview out";
        EXPECT_TRUE(full.Running());
        EXPECT_TRUE(ClickUntilExit(full, Button::Left));
        EXPECT_TRUE(secondPreview.Running()) << "the preview ended with the full-screen copy";
    }
    EXPECT_TRUE(preview.Running()) << "the preview ended with the full-screen copies";
}

TEST(UserClipboard, SurvivesAPreviewRun) {
    ClipboardCleanup cleanup;
    ASSERT_TRUE(SetClipboardText(L"my text"));
    ASSERT_TRUE(PlacePointer(900, 700));
    PreviewHost host;
    ProgramProcess saver(host.PreviewTail());
    ASSERT_NE(host.WaitForChildOf(saver), nullptr);
    const RECT client = host.ClientOnScreen();
    ASSERT_TRUE(MoveMouse(client.left + 5, client.top + 40));
    ASSERT_TRUE(ClickUntilExit(saver, Button::Left)) << "the preview did not end on a click";

    std::wstring text;
    ASSERT_TRUE(GetClipboardText(text)) << "no text on the clipboard any more";
    EXPECT_EQ(text, L"my text");
}

TEST(UserClipboard, SurvivesAFullScreenRun) {
    ClipboardCleanup cleanup;
    ASSERT_TRUE(SetClipboardText(L"my text"));
    ASSERT_TRUE(PlacePointer(600, 500));
    ProgramProcess saver(L" /s");
    const HWND window = saver.WaitForVisibleWindow(L"Veltrin");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(EndWithKey(saver, window), "");

    std::wstring text;
    ASSERT_TRUE(GetClipboardText(text)) << "no text on the clipboard any more";
    EXPECT_EQ(text, L"my text");
}

}  // namespace
}  // namespace e2e
