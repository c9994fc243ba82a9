// The scan behind a window's outline: pixels to runs, runs to rectangles.
// The device's whole outline, pixel by pixel, is the about window's end-to-end test.
#include <gtest/gtest.h>

#include "region_runs.h"

namespace {

constexpr std::uint32_t K = 0x00FF00FF;  // magenta, the skin's key colour
constexpr std::uint32_t D = 0x00404040;  // a device colour

// Runs reach the right edge, repeated rows share a rectangle, and a row of
// key colour between equal rows keeps them apart; what an earlier scan left goes.
TEST(Outline, RowsOfEqualRunsShareRectanglesOnlyWhereTheyAdjoin) {
    const std::vector<std::uint32_t> pixels = {
        K, D, D, D,  //
        K, D, D, D,  //
        K, K, K, K,  //
        K, D, D, D,  //
        D, K, D, D,  //
    };
    std::vector<toolkit::PixelRun> runs{{9, 9, 9}};
    std::vector<toolkit::PixelRect> rects{{9, 9, 9, 9}};
    toolkit::PixelsToRuns(pixels.data(), 4, 5, 4, K, runs);
    toolkit::MergeRows(runs, rects);
    EXPECT_EQ(rects, (std::vector<toolkit::PixelRect>{{1, 0, 4, 2}, {1, 3, 4, 4}, {0, 4, 1, 5}, {2, 4, 4, 5}}));
}

}  // namespace
