// The saver's rules that need no window: the switch and the preview host of
// the command line, the pointer movement rule, the column layout, the pieces.
#include <gtest/gtest.h>

#include <map>

#include "mdlSaver.h"
#include "random.h"

using namespace saver;

TEST(CommandLine, SwitchAndPreviewHost) {
    const struct {
        std::string line;
        SaverMode mode;
        std::int32_t host;
    } cases[] = {
        {"/s", SaverMode::FullScreen, 0},         {"/S 123", SaverMode::FullScreen, 123},
        {"/c:4567", SaverMode::Configure, 4567},  {"/a 5678", SaverMode::Password, 5678},
        {" /s", SaverMode::FullScreen, 0},        {" \t /c", SaverMode::Configure, 0},
        {"-s", SaverMode::None, 0},               {"\t", SaverMode::None, 0},
        {"", SaverMode::None, 0},                 {"/p 1234", SaverMode::Preview, 1234},
        {"  /p \t 1234 \t", SaverMode::Preview, 1234}, {"/p 12.5", SaverMode::Preview, 12},  // halves to even
        {"/p 13.5", SaverMode::Preview, 14},      {"/p 2147483647", SaverMode::Preview, 2147483647},
        {"/p 5.", SaverMode::Preview, 5},         {"/p -7", SaverMode::Preview, -7},
        {"/p", SaverMode::Preview, 0},            {"/p 12x", SaverMode::Preview, 0},
        // Beyond 32 bits no handle, and no shorter part of the number instead.
        {"/p 2147483648", SaverMode::Preview, 0}, {"/p 1e400", SaverMode::Preview, 0},
        {"/p " + std::string(32000, '1') + "x", SaverMode::Preview, 0},  // the longest line Windows passes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModeOf(c.line), c.mode) << c.line.substr(0, 20);
        EXPECT_EQ(GetPreviewParent(c.line), c.host) << c.line.substr(0, 20);
    }
}

// Each case: pointer events in twips, and whether the last one fires the rule.
TEST(MovementRule, FiresOnAJumpOf45TwipsFromThePreviousEventOnly) {
    const struct {
        const char* name;
        std::vector<std::pair<float, float>> events;
        bool fires;
    } cases[] = {
        {"first event anywhere", {{9000, 6000}}, false},
        {"44 twips", {{1000, 1000}, {1044, 1000}}, false},
        {"creeping 44 twips at a time", {{1000, 1000}, {1044, 1000}, {1088, 1000}}, false},
        {"45 twips down", {{1000, 1000}, {1044, 1000}, {1044, 1045}}, true},
        {"45 twips left", {{1000, 1000}, {955, 1000}}, true},
        {"back at (0, 0) counts as nothing seen", {{30, 30}, {0.4f, -0.4f}, {5000, 5000}}, false},
        {"and then a jump", {{30, 30}, {0.4f, -0.4f}, {5000, 5000}, {5100, 5000}}, true},
        // A screen 4,000 pixels wide, or a portrait one as tall: one pixel does not fire.
        {"1 pixel at 60,000 twips", {{60000, 60000}, {60015, 60015}}, false},
    };
    for (const auto& c : cases) {
        MovementRule rule;
        bool fired = false;
        for (const auto& [x, y] : c.events) fired = rule.Fires(x, y);
        EXPECT_EQ(fired, c.fires) << c.name;
    }
}

TEST(ColumnLayout, ColumnsUpToTheFirstBeyondTheRightEdgeAt200Most) {
    const struct {
        float width;
        int created, count;
    } cases[] = {
        {15360, 94, 94},    // 1024 pixels: column 94 starts at 15510, outside
        {16500, 101, 101},  // column 100 starts exactly at the edge: it still gets pieces
        {33000, 200, 199}, {38400, 200, 199}, {1, 1, 1}, {0, 1, 1},
    };
    for (const auto& c : cases) {
        const ColumnPlan plan = PlanColumns(c.width, 165);
        EXPECT_EQ(plan.lastCreated, c.created) << c.width;
        EXPECT_EQ(plan.columnCount, c.count) << c.width;
    }
}

TEST(Step, AColumnOver125CharactersIsEmptiedBeforeItsNextPiece) {
    std::wstring at(125, L'0'), over(126, L'1');
    AppendPiece(at, 7);  // eleven blanks
    AppendPiece(over, 11);
    EXPECT_EQ(at.size(), 136u);
    EXPECT_EQ(over, L"00 0101");
}

TEST(Pieces, EachEntryComesUpOneTimeInFourteen) {
    rt::RandomSource random;
    std::map<std::wstring_view, int> pieces;
    constexpr int kDraws = 140000;
    for (int i = 0; i < kDraws; ++i) ++pieces[kPieces.at(ChoosePiece(random.Next()) - 1)];
    for (const auto& [piece, n] : pieces) {
        EXPECT_NEAR(n, (piece == L"   " ? 2 : 1) * kDraws / 14, 600) << piece.size();  // three blanks twice
    }
}
