// On a display 2560 pixels wide (scripts/test runs these alone on one):
// positions beyond 32,767 twips behave as any other, and right of the 200
// columns the window's own black background shows and takes the input.
#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

class Wide : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 2560) << "not the wide display";
        ASSERT_TRUE(PlacePointer(2460, 500));
        saver.emplace(L" /s");
        window = saver->Window(L"Veltrin");
        ASSERT_NE(window, nullptr);
    }
    std::optional<Process> saver;
    HWND window = nullptr;
};

TEST_F(Wide, ThePointerRestingOrCreepingFarRightKeepsItRunningAndAJumpEndsIt) {
    const RECT r = WindowRect(window);
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 2560 && r.bottom == 1080);
    EXPECT_TRUE(saver->Stays(1500)) << "ended with the pointer at rest";
    for (int x = 2461; x <= 2470; ++x) ASSERT_TRUE(StepMouse(x, 500));
    EXPECT_TRUE(saver->Stays()) << "ended on 1-pixel steps";
    ASSERT_TRUE(StepMouse(2510, 500));
    EXPECT_TRUE(saver->Ends());
}

TEST_F(Wide, AButtonOnTheBackgroundBesideTheColumnsEndsIt) {
    ASSERT_TRUE(saver->Stays());
    Click(Button::Right);
    EXPECT_TRUE(saver->Ends());
}

}  // namespace
}  // namespace e2e
