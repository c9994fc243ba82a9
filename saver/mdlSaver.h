#pragma once
// The saver's rules that need no window: reading the switch and the preview
// host from the command line, the pointer movement rule, the column layout
// and the choice and growth of the digit pieces.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace saver {

enum class SaverMode { None, Preview, Configure, Password, FullScreen };

// The mode of the first two characters of the command line, upper-cased;
// blanks and tabs before them are skipped.
SaverMode ModeOf(std::string_view command);

// The window number at the end of the command line: the longest trailing part
// that forms a number, rounded to the nearest whole number (halves to even).
// 0 when there is none, or when it lies outside the 32-bit range, since such a
// number cannot name a window.
std::int32_t GetPreviewParent(std::string_view command);

// The pointer movement rule. Each event is compared with the previous event
// of the same rule; a jump of 45 twips or more on either axis fires it, except
// while the recorded position is (0, 0), which counts as "nothing seen yet".
class MovementRule {
public:
    static constexpr float kThreshold = 45.0f;  // twips: 3 pixels at 96 dpi, 4.5 at 144

    // True when the rule fires; otherwise the position is recorded, rounded
    // to the nearest whole twip. Any position a window reports fits, so a
    // screen of 3840 pixels behaves as one of 1024.
    bool Fires(float x, float y);

    std::int32_t LastX = 0;
    std::int32_t LastY = 0;
};

// Where the columns go: columns stand side by side from the left edge; the
// layout creates columns up to the first one whose left edge lies beyond the
// window's width, 200 at most; the columns before that one receive pieces.
struct ColumnPlan {
    int lastCreated = 0;           // columns 1 .. lastCreated are created
    std::int16_t columnCount = 0;  // columns 0 .. columnCount-1 receive pieces
};
inline constexpr int kMostColumns = 200;
ColumnPlan PlanColumns(float windowWidth, float columnWidth);

// The pieces a step appends, chosen by k from 1 to 14. Three blanks appear
// twice, so they come up twice as often as any other piece.
inline constexpr std::array<std::wstring_view, 14> kPieces = {
    L"0", L"01", L"000", L"010101", L"   ", L"      ", L"           ",
    L"00", L"11", L"010", L"00 0101", L"   ", L" ", L"    ",
};
inline constexpr std::size_t kClearThreshold = 125;

int ChooseColumn(double r, int columnCount);  // whole part of r * columnCount
int ChoosePiece(double r);                    // whole part of r * 14 + 1

// One step on a column's text: a text longer than the threshold is emptied,
// then piece k is appended.
void AppendPiece(std::wstring& text, int k);

// One pass of the step loop: one step more than there are columns. The
// number of steps is fixed when the pass starts; each step reads the column
// count anew, and takes a random number for the column, then one for the piece.
template <class CountFn, class RandomFn, class StepFn>
void RunPass(CountFn&& columnCount, RandomFn&& random, StepFn&& step) {
    const int n = columnCount();
    for (int j = 0; j <= n; ++j) {
        const int column = ChooseColumn(random(), columnCount());
        const int piece = ChoosePiece(random());
        step(column, piece);
    }
}

}  // namespace saver
