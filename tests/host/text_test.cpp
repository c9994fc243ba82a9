// The column text box's line breaking and the command line's tail. (The
// about window's lines and the buttons' faces are proved on the screen.)
#include <gtest/gtest.h>

#include "command_line.h"
#include "text_wrap.h"

namespace {

std::vector<std::wstring> Lines(std::wstring_view text, int width, std::vector<rt::LineSpan>* spans = nullptr) {
    rt::CharWidths widths{};
    widths.fill(8);
    widths[' '] = 4;
    std::vector<rt::LineSpan> own;
    rt::WrapText(text, widths, width, spans ? *spans : own);
    std::vector<std::wstring> lines;
    for (const rt::LineSpan& s : spans ? *spans : own) lines.emplace_back(text.substr(s.start, s.length));
    return lines;
}

using V = std::vector<std::wstring>;

TEST(WrapText, AsAMultiLineEditBox) {
    EXPECT_EQ(Lines(L"010", 11), (V{L"0", L"1", L"0"}));             // a column of 11 pixels: a digit a line
    EXPECT_EQ(Lines(L"0      1", 11), (V{L"0", L"  ", L"  ", L"  ", L"1"}));  // blanks take room
    EXPECT_EQ(Lines(L"00 11", 30), (V{L"00 ", L"11"}));             // words break at the width
    EXPECT_EQ(Lines(L"00 0101", 20), (V{L"00 ", L"01", L"01"}));     // a long word between characters
    EXPECT_EQ(Lines(L"0", 3), (V{L"0"}));                          // at least one character a line
    const std::wstring word(70'000, L'0');  // positions and lengths beyond 16 bits
    EXPECT_EQ(Lines(word + L" 1", 70'000 * 8), (V{word, L" 1"}));
    std::vector<rt::LineSpan> before, after;
    Lines(L"0101", 11, &before);
    Lines(L"010111", 11, &after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 4), 4u);  // an append: only the new lines
    Lines(L"01", 11, &after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 2), 2u);  // shorter: the tail must be cleared
    Lines(L"1111", 11, &after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 0), 0u);
}

TEST(CommandTail, DropsTheProgramNameAndOneBlank) {
    EXPECT_EQ(rt::CommandTail(L"\"C:\\Win\\Veltrin.scr\" /s"), L"/s");
    EXPECT_EQ(rt::CommandTail(L"C:\\Win\\Veltrin.scr /p 1234"), L"/p 1234");
    EXPECT_EQ(rt::CommandTail(L"\"C:\\Program Files\\x.scr\""), L"");
    EXPECT_EQ(rt::NarrowAscii(L"/p \u00e41"), "/p ?1");
}

}  // namespace
