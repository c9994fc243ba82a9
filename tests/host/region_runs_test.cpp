// The scan behind a window's outline: pixels to runs, and runs to rectangles.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "region_runs.h"

namespace {

using Runs = std::vector<toolkit::PixelRun>;
using Rects = std::vector<toolkit::PixelRect>;
constexpr std::uint32_t K = 0x00FF00FF;  // magenta, the skin's key colour
constexpr std::uint32_t D = 0x00404040;  // a device colour

TEST(PixelsToRuns, KeyIsCutAwayRowByRow) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> pixels;
        int width, height, stride;
        Runs expected;
    } cases[] = {
        {"all key", {K, K, K, K, K, K}, 3, 2, 3, {}},
        {"one pixel", {K, K, K, K, D, K, K, K, K}, 3, 3, 3, {{1, 1, 2}}},
        {"right edge ends at the width", {K, K, D, D, K, D, K, K}, 4, 2, 4, {{0, 2, 4}, {1, 1, 2}}},
        {"full row", {K, K, K, D, D, D}, 3, 2, 3, {{1, 0, 3}}},
        {"several runs in a row", {K, D, K, D, D, K, D}, 7, 1, 7, {{0, 1, 2}, {0, 3, 5}, {0, 6, 7}}},
        {"one step from the key is in", {K, 0xFE00FF, 0xFF01FF, 0xFF00FE, K}, 5, 1, 5, {{0, 1, 4}}},
        {"alpha byte is no colour", {K, 0xFFFF00FF, 0x80FF00FF, 0xFF404040}, 4, 1, 4, {{0, 3, 4}}},
        {"no run across rows", {K, D, D, D, D, K}, 3, 2, 3, {{0, 1, 3}, {1, 0, 2}}},
        {"stride beyond the width", {K, K, D, D, K, D, D, D}, 2, 2, 4, {{1, 1, 2}}},
        {"zero width", {K, D}, 0, 1, 2, {}},
        {"zero height", {K, D}, 2, 0, 2, {}},
        {"negative width", {K, D}, -2, 1, 2, {}},
    };
    for (const Case& c : cases) {
        Runs runs{{9, 9, 9}};  // left from an earlier scan: must go
        toolkit::PixelsToRuns(c.pixels.data(), c.width, c.height, c.stride, c.pixels[0], runs);
        EXPECT_EQ(runs, c.expected) << c.name;
    }
    // Stored bottom row first: `pixels` points at the top row, the stride is negative.
    const std::uint32_t bottomUp[] = {D, K, K, K};
    Runs runs;
    toolkit::PixelsToRuns(bottomUp + 2, 2, 2, -2, K, runs);
    EXPECT_EQ(runs, (Runs{{1, 0, 1}}));
}

TEST(MergeRows, OnlyConsecutiveRowsWithTheSameRunsShareRectangles) {
    Rects rects{{9, 9, 9, 9}};
    toolkit::MergeRows({{2, 1, 3}, {2, 5, 6}, {3, 1, 3}, {3, 5, 6}, {4, 1, 3}, {4, 5, 6}}, rects);
    EXPECT_EQ(rects, (Rects{{1, 2, 3, 5}, {5, 2, 6, 5}}));
    toolkit::MergeRows({{0, 1, 3}, {1, 1, 3}, {1, 5, 6}, {2, 1, 3}}, rects);  // one run more, then less
    EXPECT_EQ(rects, (Rects{{1, 0, 3, 1}, {1, 1, 3, 2}, {5, 1, 6, 2}, {1, 2, 3, 3}}));
    toolkit::MergeRows({{0, 1, 3}, {2, 1, 3}}, rects);  // an empty row between
    EXPECT_EQ(rects, (Rects{{1, 0, 3, 1}, {1, 2, 3, 3}}));
}

// Random pictures built from few row patterns, so that equal neighbouring rows
// are common: the rectangles cover exactly the pixels that are not key colour.
TEST(MergeRows, CoversExactlyTheNonKeyPixels) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + static_cast<int>(random() % 12), height = 1 + static_cast<int>(random() % 12);
        std::vector<std::vector<std::uint32_t>> patterns(1 + random() % 3, std::vector<std::uint32_t>(width));
        for (auto& pattern : patterns) {
            for (auto& pixel : pattern) pixel = random() % 3 ? D : K;
        }
        std::vector<std::uint32_t> pixels;
        std::set<std::pair<int, int>> expected, covered;
        for (int y = 0; y < height; ++y) {
            const auto& pattern = patterns[random() % patterns.size()];
            pixels.insert(pixels.end(), pattern.begin(), pattern.end());
        }
        for (int i = 0; i < width * height; ++i) {
            if (pixels[i] != pixels[0]) expected.insert({i % width, i / width});
        }
        Runs runs;
        Rects rects;
        toolkit::PixelsToRuns(pixels.data(), width, height, width, pixels[0], runs);
        toolkit::MergeRows(runs, rects);
        for (const auto& r : rects) {
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) ASSERT_TRUE(covered.insert({x, y}).second) << "overlap";
            }
        }
        ASSERT_EQ(covered, expected) << "round " << round;
    }
}

}  // namespace
