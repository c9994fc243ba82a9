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
    LONG ExStyle() const { return ::GetWindowLongW(hWnd(), GWL_EXSTYLE); }
};

// The table holds plain stdcall pointers, so the fakes are free functions
// that keep what they saw here.
struct Seen {
    int getVersion = 0, getLong = 0, setLong = 0, setLayered = 0;
    DWORD sizeField = 0;
    bool recordZeroed = false;
} seen;
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
LONG WINAPI CountGetWindowLongA(HWND window, int index) {
    ++seen.getLong;
    return styleUnreadable ? -1 : ::GetWindowLongA(window, index);
}
LONG WINAPI CountSetWindowLongA(HWND window, int index, LONG value) {
    ++seen.setLong;
    return ::SetWindowLongA(window, index, value);
}
BOOL WINAPI CountSetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
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
        table_->GetWindowLongA = CountGetWindowLongA;
        table_->SetWindowLongA = CountSetWindowLongA;
        table_->SetLayeredWindowAttributes = CountSetLayeredWindowAttributes;
    }
    static BYTE OpacityOf(const PlainForm& form) {
        BYTE alpha = 0;
        DWORD flags = 0;
        const bool layered = ::GetLayeredWindowAttributes(form.hWnd(), nullptr, &alpha, &flags);
        return layered && flags == LWA_ALPHA ? alpha : 0;
    }
    rt::PlatformOverride table_;
};

TEST_F(Alpha, BeforeVersionFiveOnlyTheVersionIsAsked) {
    systemMajor = 4;
    PlainForm form;
    std::int32_t alpha = 180;
    toolkit::ApplyAlpha(form, alpha);
    EXPECT_EQ(seen.getVersion, 1);
    EXPECT_EQ(seen.getLong + seen.setLong + seen.setLayered, 0);
    EXPECT_EQ(form.ExStyle() & WS_EX_LAYERED, 0);
}

TEST_F(Alpha, FromVersionFiveTheWindowIsLayeredWithTheOpacity) {
    for (DWORD major : {5u, 6u}) {
        seen = {};
        systemMajor = major;
        PlainForm form;
        std::int32_t alpha = 180;
        toolkit::ApplyAlpha(form, alpha);
        EXPECT_NE(form.ExStyle() & WS_EX_LAYERED, 0) << major;
        EXPECT_EQ(OpacityOf(form), 180) << major;
        EXPECT_EQ(seen.sizeField, 148u);
        EXPECT_TRUE(seen.recordZeroed);
        EXPECT_EQ(seen.getVersion + seen.getLong + seen.setLong + seen.setLayered, 4);
    }
}

TEST_F(Alpha, OpacityOutsideTheByteRangeIsHeldToIt) {
    PlainForm form;
    for (auto [asked, expected] : {std::pair{256, 255}, std::pair{1000, 255}, std::pair{-1, 0}}) {
        toolkit::ApplyAlpha(form, asked);
        EXPECT_EQ(OpacityOf(form), expected) << asked;
    }
}

TEST_F(Alpha, LayeredStyleOnceOrTwiceAndNeverFromAnUnreadableStyle) {
    PlainForm form;
    HWND window = form.hWnd();
    styleUnreadable = true;
    const LONG plain = form.ExStyle();
    toolkit::SetLayeredStyle(window);
    EXPECT_EQ(seen.setLong, 0);
    EXPECT_EQ(form.ExStyle(), plain);
    styleUnreadable = false;
    toolkit::SetLayeredStyle(window);
    const LONG once = form.ExStyle();
    toolkit::SetLayeredStyle(window);
    EXPECT_EQ(form.ExStyle(), once);
    EXPECT_EQ(once, plain | WS_EX_LAYERED);
}

}  // namespace
