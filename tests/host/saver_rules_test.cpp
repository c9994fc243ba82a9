// The saver's platform-free rules: switches, the preview host number, the
// movement rule, the column layout and the digit pieces.
#include <gtest/gtest.h>

#include <map>

#include "mdlSaver.h"
#include "random.h"

using namespace saver;

TEST(Switch, MatchesTheFirstTwoCharactersInAnyCase) {
    EXPECT_EQ(ModeOf("/s"), SaverMode::FullScreen);
    EXPECT_EQ(ModeOf("/S"), SaverMode::FullScreen);
    EXPECT_EQ(ModeOf("/s:123"), SaverMode::FullScreen);
    EXPECT_EQ(ModeOf("/S 123"), SaverMode::FullScreen);
    EXPECT_EQ(ModeOf("/c:4567"), SaverMode::Configure);
    EXPECT_EQ(ModeOf("/p 1234"), SaverMode::Preview);
    EXPECT_EQ(ModeOf("/a 5678"), SaverMode::Password);
    EXPECT_EQ(ModeOf(" /s"), SaverMode::None);  // a leading blank matches nothing
    EXPECT_EQ(ModeOf(""), SaverMode::None);
    EXPECT_EQ(ModeOf("/"), SaverMode::None);
    EXPECT_EQ(ModeOf("-s"), SaverMode::None);
}

TEST(PreviewParent, TakesTheLongestTrailingNumber) {
    EXPECT_EQ(GetPreviewParent("/p 1234"), 1234);
    EXPECT_EQ(GetPreviewParent("/P:1234"), 1234);
    EXPECT_EQ(GetPreviewParent("/p1234"), 1234);
    EXPECT_EQ(GetPreviewParent("  /p   1234  "), 1234);
    EXPECT_EQ(GetPreviewParent("/p 12.5"), 12);    // halves go to the even neighbour
    EXPECT_EQ(GetPreviewParent("/p 13.5"), 14);
    EXPECT_EQ(GetPreviewParent("/p 2147483647"), 2147483647);
    EXPECT_EQ(GetPreviewParent("/p -7"), -7);
}

TEST(PreviewParent, GivesZeroWithoutAUsableNumber) {
    EXPECT_EQ(GetPreviewParent("/p"), 0);
    EXPECT_EQ(GetPreviewParent(""), 0);
    EXPECT_EQ(GetPreviewParent("/p abc"), 0);
    EXPECT_EQ(GetPreviewParent("/p 12x"), 0);
    // Beyond 32 bits: the longest trailing number is out of range, and no
    // shorter part of it is taken instead.
    EXPECT_EQ(GetPreviewParent("/p 2147483648"), 0);
    EXPECT_EQ(GetPreviewParent("/p 4294967296"), 0);
    EXPECT_EQ(GetPreviewParent("/p " + std::string(400, '9')), 0);
    EXPECT_EQ(GetPreviewParent("/p 1e400"), 0);
    EXPECT_EQ(GetPreviewParent("/p " + std::string(32000, '1') + "x"), 0);  // the longest command line Windows passes
    EXPECT_EQ(GetPreviewParent("/p 5."), 5);
}

TEST(PreviewParent, NumberShapes) {
    EXPECT_TRUE(IsNumber(" 12 "));
    EXPECT_TRUE(IsNumber("+1.5e3"));
    EXPECT_TRUE(IsNumber(".5"));
    EXPECT_FALSE(IsNumber("."));
    EXPECT_FALSE(IsNumber("1e"));
    EXPECT_FALSE(IsNumber("1 2"));
    EXPECT_FALSE(IsNumber(":12"));
}

TEST(MovementRule, FirstEventOnlyRecords) {
    MovementRule rule;
    EXPECT_FALSE(rule.Fires(9000, 6000));
    EXPECT_EQ(rule.LastX, 9000);
    EXPECT_EQ(rule.LastY, 6000);
}

TEST(MovementRule, FiresAtFortyFiveTwipsNotFortyFour) {
    MovementRule rule;
    rule.Fires(1000, 1000);
    EXPECT_FALSE(rule.Fires(1044, 1000));
    EXPECT_FALSE(rule.Fires(1044, 1044));  // compared with the previous event
    EXPECT_TRUE(rule.Fires(1044, 1089));
    MovementRule left;
    left.Fires(1000, 1000);
    EXPECT_TRUE(left.Fires(955, 1000));
}

TEST(MovementRule, SlowTravelNeverFires) {
    MovementRule rule;
    for (float x = 15; x < 30000; x += 30) ASSERT_FALSE(rule.Fires(x, x / 2));
}

TEST(MovementRule, ReturnToOriginCountsAsAFirstEventAgain) {
    MovementRule rule;
    rule.Fires(30, 30);
    EXPECT_FALSE(rule.Fires(0.4f, -0.4f));  // rounds to (0, 0)
    EXPECT_FALSE(rule.Fires(5000, 5000));   // would be a jump, but nothing was seen
    EXPECT_TRUE(rule.Fires(5100, 5000));
}

TEST(MovementRule, PositionBeyondSixteenBitsFires) {
    MovementRule rule;
    EXPECT_TRUE(rule.Fires(32768, 10));
    MovementRule other;
    EXPECT_FALSE(other.Fires(32767, -32768));
}

TEST(ColumnLayout, ScreenOf1024Pixels) {
    const ColumnPlan plan = PlanColumns(15360, 165);
    EXPECT_EQ(plan.lastCreated, 94);  // column 94 starts at 15510, outside
    EXPECT_EQ(plan.columnCount, 94);  // column 93 shows 15 twips of itself
}

TEST(ColumnLayout, ColumnStartingExactlyAtTheRightEdgeStillReceivesPieces) {
    const ColumnPlan plan = PlanColumns(16500, 165);
    EXPECT_EQ(plan.lastCreated, 101);
    EXPECT_EQ(plan.columnCount, 101);
}

TEST(ColumnLayout, WideWindowsStopAtTwoHundredColumns) {
    for (float width : {33000.0f, 33001.0f, 50000.0f}) {
        const ColumnPlan plan = PlanColumns(width, 165);
        EXPECT_EQ(plan.lastCreated, 200) << width;
        EXPECT_EQ(plan.columnCount, 199) << width;
    }
}

TEST(Step, ClearsOnlyAboveTheThreshold) {
    std::string at(125, '0');
    AppendPiece(at, 7);  // eleven blanks
    EXPECT_EQ(at.size(), 136u);
    std::string over(126, '1');
    AppendPiece(over, 11);
    EXPECT_EQ(over, "00 0101");
    std::string empty;
    AppendPiece(empty, 14);
    EXPECT_EQ(empty, "    ");
}

TEST(Step, PassHasOneStepMoreThanColumnsAndRereadsTheCount) {
    std::vector<int> columns;
    RunPass([] { return 0; }, [] { return 0.99; }, [&](int c, int) { columns.push_back(c); });
    EXPECT_EQ(columns, std::vector<int>{0});  // no columns laid out yet: one step, into column 0

    int count = 3;
    columns.clear();
    RunPass([&] { return count; }, [] { return 0.99; }, [&](int c, int) {
        columns.push_back(c);
        count = 10;  // the layout ran inside this step
    });
    EXPECT_EQ(columns.size(), 4u);  // the pass keeps the number it started with
    EXPECT_EQ(columns[0], 2);
    EXPECT_EQ(columns[1], 9);  // but chooses among the new columns at once
}

TEST(Step, ColumnIsDrawnBeforeThePiece) {
    std::vector<double> draws{0.5, 0.0};
    std::size_t next = 0;
    int column = -1, piece = -1;
    RunPass([] { return 0; }, [&] { return draws[next++]; }, [&](int c, int k) { column = c, piece = k; });
    EXPECT_EQ(column, 0);
    EXPECT_EQ(piece, 1);
    EXPECT_EQ(ChooseColumn(0.5, 10), 5);
    EXPECT_EQ(ChoosePiece(0.5), 8);
}

TEST(Pieces, EachEntryComesUpOneTimeInFourteen) {
    rt::RandomSource random;
    std::map<int, int> counts;
    std::map<std::string_view, int> pieces;
    constexpr int kDraws = 140000;
    for (int i = 0; i < kDraws; ++i) {
        const int k = ChoosePiece(random.Next());
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 14);
        ++counts[k];
        ++pieces[kPieces[k - 1]];
    }
    for (const auto& [k, n] : counts) EXPECT_NEAR(n, kDraws / 14, 400) << "piece " << k;
    EXPECT_NEAR(pieces["   "], 2 * kDraws / 14, 600);  // three blanks sit in the table twice
}

TEST(Random, SameSequenceOnEveryStartAndWithinRange) {
    rt::RandomSource a, b;
    double lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const double r = a.Next();
        ASSERT_EQ(r, b.Next());
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GE(lowest, 0.0);
    EXPECT_LT(highest, 1.0);
    EXPECT_LT(lowest, 0.001);
    EXPECT_GT(highest, 0.999);
}
