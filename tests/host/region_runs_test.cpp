// The scan behind a window's outline: pixels to runs, and runs to rectangles.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

#include "region_runs.h"

using toolkit::PixelRect;
using toolkit::PixelRun;

namespace {

constexpr std::uint32_t K = 0x00FF00FF;  // magenta, the skin's key colour
constexpr std::uint32_t D = 0x00404040;  // a device colour

using Runs = std::vector<PixelRun>;

Runs Scan(const std::vector<std::uint32_t>& pixels, int width, int height, std::ptrdiff_t stride = 0) {
    Runs runs{{99, 99, 99}};  // left over from an earlier scan: must go
    toolkit::PixelsToRuns(pixels.data(), width, height, stride ? stride : width, pixels[0], runs);
    return runs;
}

TEST(PixelsToRuns, AllKeyColourGivesNoRuns) {
    EXPECT_EQ(Scan({K, K, K, K, K, K}, 3, 2), Runs{});
}

TEST(PixelsToRuns, NothingForAnEmptySize) {
    const std::vector<std::uint32_t> pixels{K, D};
    EXPECT_EQ(Scan(pixels, 0, 1), Runs{});
    EXPECT_EQ(Scan(pixels, 2, 0), Runs{});
    EXPECT_EQ(Scan(pixels, -2, 1, 2), Runs{});
}

TEST(PixelsToRuns, OnePixel) {
    EXPECT_EQ(Scan({K, K, K, K, D, K, K, K, K}, 3, 3), (Runs{{1, 1, 2}}));
}

TEST(PixelsToRuns, RunsReachingTheRightEdgeEndAtTheWidth) {
    EXPECT_EQ(Scan({K, K, D, D, K, D, K, K}, 4, 2), (Runs{{0, 2, 4}, {1, 1, 2}}));
    EXPECT_EQ(Scan({K, D, D, D}, 4, 1), (Runs{{0, 1, 4}}));
}

TEST(PixelsToRuns, AFullRowIsOneRun) {
    // The key is pixel (0, 0), so a full row can only be one below the first.
    EXPECT_EQ(Scan({K, K, K, D, D, D, K, K, K}, 3, 3), (Runs{{1, 0, 3}}));
}

TEST(PixelsToRuns, MatchesTheKeyExactly) {
    // One step from magenta on each channel is a colour of its own.
    EXPECT_EQ(Scan({K, 0x00FE00FF, 0x00FF01FF, 0x00FF00FE, K}, 5, 1), (Runs{{0, 1, 4}}));
}

TEST(PixelsToRuns, IgnoresTheFourthByte) {
    // An alpha byte is not part of the colour; GetPixel never sees it either.
    EXPECT_EQ(Scan({K, 0xFFFF00FF, 0x80FF00FF, 0xFF404040}, 4, 1), (Runs{{0, 3, 4}}));
}

TEST(PixelsToRuns, NoRunContinuesIntoTheNextRow) {
    EXPECT_EQ(Scan({K, D, D, D, D, K}, 3, 2), (Runs{{0, 1, 3}, {1, 0, 2}}));
}

TEST(PixelsToRuns, SeveralRunsInOneRow) {
    EXPECT_EQ(Scan({K, D, K, D, D, K, D}, 7, 1), (Runs{{0, 1, 2}, {0, 3, 5}, {0, 6, 7}}));
}

TEST(PixelsToRuns, StrideLargerThanWidthSkipsThePadding) {
    // Two rows of 2 pixels, each followed by 2 padding pixels that are not key.
    EXPECT_EQ(Scan({K, K, D, D, K, D, D, D}, 2, 2, 4), (Runs{{1, 1, 2}}));
}

TEST(PixelsToRuns, NegativeStrideReadsBottomUpStorage) {
    // Stored bottom row first: the top row is the second one in memory.
    const std::vector<std::uint32_t> stored{D, K, K, K};
    Runs runs;
    toolkit::PixelsToRuns(stored.data() + 2, 2, 2, -2, K, runs);
    EXPECT_EQ(runs, (Runs{{1, 0, 1}}));
}

using Rects = std::vector<PixelRect>;

Rects Merge(const Runs& runs) {
    Rects rects{{9, 9, 9, 9}};
    toolkit::MergeRows(runs, rects);
    return rects;
}

TEST(MergeRows, RowsWithTheSameRunsShareRectangles) {
    EXPECT_EQ(Merge({{2, 1, 3}, {2, 5, 6}, {3, 1, 3}, {3, 5, 6}, {4, 1, 3}, {4, 5, 6}}),
              (Rects{{1, 2, 3, 5}, {5, 2, 6, 5}}));
}

TEST(MergeRows, DifferentRowsStayApart) {
    EXPECT_EQ(Merge({{0, 1, 3}, {1, 1, 4}}), (Rects{{1, 0, 3, 1}, {1, 1, 4, 2}}));
    // Same first run, but the second row has one more.
    EXPECT_EQ(Merge({{0, 1, 3}, {1, 1, 3}, {1, 5, 6}}), (Rects{{1, 0, 3, 1}, {1, 1, 3, 2}, {5, 1, 6, 2}}));
    // And the other way round.
    EXPECT_EQ(Merge({{0, 1, 3}, {0, 5, 6}, {1, 1, 3}}), (Rects{{1, 0, 3, 1}, {5, 0, 6, 1}, {1, 1, 3, 2}}));
}

TEST(MergeRows, AnEmptyRowBreaksAStretch) {
    EXPECT_EQ(Merge({{0, 1, 3}, {2, 1, 3}, {3, 1, 3}}), (Rects{{1, 0, 3, 1}, {1, 2, 3, 4}}));
    EXPECT_EQ(Merge({}), Rects{});
}

// The pixels covered, as (x, y) pairs.
std::set<std::pair<int, int>> Covered(const Rects& rects) {
    std::set<std::pair<int, int>> pixels;
    for (const auto& r : rects) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) EXPECT_TRUE(pixels.insert({x, y}).second) << "overlap";
        }
    }
    return pixels;
}

TEST(MergeRows, CoversExactlyTheNonKeyPixelsOfAnyPicture) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + static_cast<int>(random() % 12), height = 1 + static_cast<int>(random() % 12);
        // Few row patterns, so that equal neighbouring rows are common.
        std::vector<std::vector<std::uint32_t>> patterns(1 + random() % 3, std::vector<std::uint32_t>(width));
        for (auto& p : patterns) {
            for (auto& px : p) px = random() % 3 ? D : K;
        }
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < height; ++y) {
            const auto& p = patterns[random() % patterns.size()];
            pixels.insert(pixels.end(), p.begin(), p.end());
        }
        std::set<std::pair<int, int>> expected;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (pixels[y * width + x] != pixels[0]) expected.insert({x, y});
            }
        }
        Runs runs;
        toolkit::PixelsToRuns(pixels.data(), width, height, width, pixels[0], runs);
        Rects rects;
        toolkit::MergeRows(runs, rects);
        ASSERT_EQ(Covered(rects), expected) << "round " << round;
        EXPECT_LE(rects.size(), runs.size());
    }
}

}  // namespace
