// Line breaking of the lightweight text box, and splitting the command line.
#include <gtest/gtest.h>

#include "command_line.h"
#include "text_wrap.h"

namespace {

rt::CharWidths Widths() {
    rt::CharWidths w{};
    w.fill(8);
    w[' '] = 4;
    return w;
}

std::vector<std::string> Lines(std::string_view text, int width) {
    std::vector<rt::LineSpan> spans;
    rt::WrapText(text, Widths(), width, spans);
    std::vector<std::string> out;
    for (const auto& s : spans) out.emplace_back(text.substr(s.start, s.length));
    return out;
}

using V = std::vector<std::string>;

TEST(WrapText, NarrowColumnHoldsOneDigitPerLine) {
    EXPECT_EQ(Lines("010", 11), (V{"0", "1", "0"}));
    EXPECT_EQ(Lines("", 11), V{});
}

TEST(WrapText, BlanksTakeRoomAndLeaveGaps) {
    EXPECT_EQ(Lines("0      1", 11), (V{"0", "  ", "  ", "  ", "1"}));
    EXPECT_EQ(Lines("    ", 11), (V{"  ", "  "}));
}

TEST(WrapText, WordsBreakAtTheWidthAndLongWordsBetweenCharacters) {
    EXPECT_EQ(Lines("00 11", 30), (V{"00 ", "11"}));
    EXPECT_EQ(Lines("00 11", 36), (V{"00 11"}));
    EXPECT_EQ(Lines("00 0101", 20), (V{"00 ", "01", "01"}));
    EXPECT_EQ(Lines("0", 3), (V{"0"}));  // a line keeps at least one character
}

TEST(WrapText, FirstChangedLineSeesAppendsAndReplacements) {
    std::vector<rt::LineSpan> before, after;
    rt::WrapText("0101", Widths(), 11, before);
    rt::WrapText("010111", Widths(), 11, after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 4), 4u);  // only the new lines
    rt::WrapText("1111", Widths(), 11, after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 0), 0u);  // a different text from the start
    rt::WrapText("01", Widths(), 11, after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 2), 2u);  // shorter: the tail must be cleared
}

TEST(CommandTail, RemovesTheProgramNameAndOneBlank) {
    EXPECT_EQ(rt::CommandTail(L"\"C:\\Win\\Veltrin.scr\" /s"), L"/s");
    EXPECT_EQ(rt::CommandTail(L"C:\\Win\\Veltrin.scr /p 1234"), L"/p 1234");
    EXPECT_EQ(rt::CommandTail(L"Veltrin.scr  /s"), L" /s");
    EXPECT_EQ(rt::CommandTail(L"\"C:\\Program Files\\x.scr\""), L"");
    EXPECT_EQ(rt::CommandTail(L""), L"");
    EXPECT_EQ(rt::NarrowAscii(L"/p \u00e41"), "/p ?1");
}

}  // namespace
