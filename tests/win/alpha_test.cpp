// Layered-window opacity: which system calls are made on which system, and
// what a real window ends up with.
#include <gtest/gtest.h>

#include <cstring>

#include "form.h"
#include "mdlAlpha.h"
#include "platform.h"

namespace {

class PlainForm : public rt::Form {
public:
    PlainForm() : rt::Form(rt::FormDesign{}) { Load(); }
};

// What the fakes saw. The table holds plain stdcall pointers, so the fakes are
// free functions and keep their state here.
struct Seen {
    int getVersion = 0, getLong = 0, setLong = 0, setLayered = 0;
    DWORD sizeField = 0;
    bool recordZeroed = false;
};
Seen seen;
DWORD systemMajor = 5;
bool styleUnreadable = false;

BOOL WINAPI FakeGetVersionExA(LPOSVERSIONINFOA info) {
    ++seen.getVersion;
    seen.sizeField = info->dwOSVersionInfoSize;
    OSVERSIONINFOA zeroed{};
    zeroed.dwOSVersionInfoSize = info->dwOSVersionInfoSize;
    seen.recordZeroed = std::memcmp(&zeroed, info, sizeof zeroed) == 0;
    info->dwMajorVersion = systemMajor;
    return TRUE;
}

LONG WINAPI CountingGetWindowLongA(HWND window, int index) {
    ++seen.getLong;
    return styleUnreadable ? -1 : ::GetWindowLongA(window, index);
}

LONG WINAPI CountingSetWindowLongA(HWND window, int index, LONG value) {
    ++seen.setLong;
    return ::SetWindowLongA(window, index, value);
}

BOOL WINAPI CountingSetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
    ++seen.setLayered;
    return ::SetLayeredWindowAttributes(window, key, alpha, flags);
}

class Alpha : public ::testing::Test {
protected:
    void SetUp() override {
        seen = {};
        systemMajor = 5;
        styleUnreadable = false;
        table_->GetVersionExA = FakeGetVersionExA;
        table_->GetWindowLongA = CountingGetWindowLongA;
        table_->SetWindowLongA = CountingSetWindowLongA;
        table_->SetLayeredWindowAttributes = CountingSetLayeredWindowAttributes;
    }

    static LONG ExStyle(HWND window) { return ::GetWindowLongW(window, GWL_EXSTYLE); }

    rt::PlatformOverride table_;
};

TEST_F(Alpha, BeforeVersionFiveOnlyTheVersionIsAsked) {
    systemMajor = 4;
    PlainForm form;
    const LONG style = ExStyle(form.hWnd());
    std::int32_t alpha = 180;
    toolkit::ApplyAlpha(form, alpha);
    EXPECT_EQ(seen.getVersion, 1);
    EXPECT_EQ(seen.getLong, 0);
    EXPECT_EQ(seen.setLong, 0);
    EXPECT_EQ(seen.setLayered, 0);
    EXPECT_EQ(ExStyle(form.hWnd()), style);
    EXPECT_EQ(style & WS_EX_LAYERED, 0);
}

TEST_F(Alpha, FromVersionFiveTheWindowIsLayeredWithTheOpacity) {
    for (DWORD major : {5u, 6u}) {
        seen = {};
        systemMajor = major;
        PlainForm form;
        std::int32_t alpha = 180;
        toolkit::ApplyAlpha(form, alpha);
        EXPECT_NE(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0) << major;
        BYTE got = 0;
        DWORD flags = 0;
        ASSERT_TRUE(::GetLayeredWindowAttributes(form.hWnd(), nullptr, &got, &flags)) << major;
        EXPECT_EQ(got, 180) << major;
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA)) << major;
        EXPECT_EQ(seen.getVersion, 1);
        EXPECT_EQ(seen.getLong, 1);
        EXPECT_EQ(seen.setLong, 1);
        EXPECT_EQ(seen.setLayered, 1);
    }
}

TEST_F(Alpha, VersionRecordIsZeroedWithItsSize) {
    EXPECT_TRUE(toolkit::LayeringSupported());
    EXPECT_EQ(seen.sizeField, 148u);
    EXPECT_TRUE(seen.recordZeroed);
    systemMajor = 4;
    EXPECT_FALSE(toolkit::LayeringSupported());
}

TEST_F(Alpha, OpacityOutsideTheByteRangeIsHeldToIt) {
    PlainForm form;
    for (auto [asked, expected] : {std::pair{256, 255}, std::pair{1000, 255}, std::pair{-1, 0}}) {
        std::int32_t alpha = asked;
        toolkit::ApplyAlpha(form, alpha);
        BYTE got = 1;
        ::GetLayeredWindowAttributes(form.hWnd(), nullptr, &got, nullptr);
        EXPECT_EQ(got, expected) << asked;
    }
}

TEST_F(Alpha, LayeredStyleTwiceIsLayeredStyleOnce) {
    PlainForm form;
    HWND window = form.hWnd();
    toolkit::SetLayeredStyle(window);
    const LONG once = ExStyle(window);
    toolkit::SetLayeredStyle(window);
    EXPECT_EQ(ExStyle(window), once);
    EXPECT_NE(once & WS_EX_LAYERED, 0);
    EXPECT_EQ(window, form.hWnd());
}

TEST_F(Alpha, UnreadableStyleIsNotWrittenBack) {
    PlainForm form;
    HWND window = form.hWnd();
    const LONG style = ExStyle(window);
    styleUnreadable = true;
    toolkit::SetLayeredStyle(window);
    EXPECT_EQ(seen.getLong, 1);
    EXPECT_EQ(seen.setLong, 0);
    EXPECT_EQ(ExStyle(window), style);
}

}  // namespace
