// The scan behind a window's outline: pixels to runs, runs to rectangles.
// Random pictures against a plain reference are the fuzzer's (fuzz/region_scan.cpp).
#include <gtest/gtest.h>

#include "region_runs.h"

namespace {

using Runs = std::vector<toolkit::PixelRun>;
using Rects = std::vector<toolkit::PixelRect>;
constexpr std::uint32_t K = 0x00FF00FF;  // magenta, the skin's key colour
constexpr std::uint32_t D = 0x00404040;  // a device colour

TEST(PixelsToRuns, TheKeyColourIsCutAwayRowByRow) {
    const struct {
        const char* name;
        std::vector<std::uint32_t> pixels;
        int width, height, stride;
        Runs runs;
    } cases[] = {
        {"all key", {K, K, K, K, K, K}, 3, 2, 3, {}},
        {"one pixel", {K, K, K, K, D, K}, 3, 2, 3, {{1, 1, 2}}},
        {"to the right edge", {K, K, D, D, K, D, K, K}, 4, 2, 4, {{0, 2, 4}, {1, 1, 2}}},
        {"no run across rows", {K, D, D, D, D, K}, 3, 2, 3, {{0, 1, 3}, {1, 0, 2}}},
        {"one step from the key is in", {K, 0xFE00FF, 0xFF01FF, 0xFF00FE, K}, 5, 1, 5, {{0, 1, 4}}},
        {"alpha is no colour", {K, 0xFFFF00FF, 0x80404040}, 3, 1, 3, {{0, 2, 3}}},
        {"stride beyond the width", {K, K, D, D, K, D, D, D}, 2, 2, 4, {{1, 1, 2}}},
        {"zero width", {K, D}, 0, 1, 2, {}},
    };
    for (const auto& c : cases) {
        Runs runs{{9, 9, 9}};  // left from an earlier scan: must go
        toolkit::PixelsToRuns(c.pixels.data(), c.width, c.height, c.stride, c.pixels[0], runs);
        EXPECT_EQ(runs, c.runs) << c.name;
    }
}

TEST(MergeRows, OnlyConsecutiveRowsWithTheSameRunsShareRectangles) {
    Rects rects{{9, 9, 9, 9}};
    toolkit::MergeRows({{2, 1, 3}, {2, 5, 6}, {3, 1, 3}, {3, 5, 6}, {4, 1, 3}, {4, 5, 6}}, rects);
    EXPECT_EQ(rects, (Rects{{1, 2, 3, 5}, {5, 2, 6, 5}}));
    toolkit::MergeRows({{0, 1, 3}, {1, 1, 3}, {1, 5, 6}, {2, 1, 3}, {4, 1, 3}}, rects);  // more, fewer, a gap
    EXPECT_EQ(rects, (Rects{{1, 0, 3, 1}, {1, 1, 3, 2}, {5, 1, 6, 2}, {1, 2, 3, 3}, {1, 4, 3, 5}}));
}

}  // namespace
