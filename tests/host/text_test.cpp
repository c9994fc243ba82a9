// Texts: the column text box's line breaking, the command line's tail, the
// about window's lines, the programs' narrow texts, and the picture buttons' faces.
#include <gtest/gtest.h>

#include "about_texts.h"
#include "button_faces.h"
#include "command_line.h"
#include "print_text.h"
#include "text_encoding.h"
#include "text_wrap.h"

namespace {

std::vector<std::string> Lines(std::string_view text, int width, std::vector<rt::LineSpan>* spans = nullptr) {
    rt::CharWidths widths{};
    widths.fill(8);
    widths[' '] = 4;
    std::vector<rt::LineSpan> own;
    rt::WrapText(text, widths, width, spans ? *spans : own);
    std::vector<std::string> lines;
    for (const rt::LineSpan& s : spans ? *spans : own) lines.emplace_back(text.substr(s.start, s.length));
    return lines;
}

using V = std::vector<std::string>;

TEST(WrapText, AsAMultiLineEditBox) {
    EXPECT_EQ(Lines("010", 11), (V{"0", "1", "0"}));             // a column of 11 pixels: a digit a line
    EXPECT_EQ(Lines("0      1", 11), (V{"0", "  ", "  ", "  ", "1"}));  // blanks take room
    EXPECT_EQ(Lines("00 11", 30), (V{"00 ", "11"}));             // words break at the width
    EXPECT_EQ(Lines("00 0101", 20), (V{"00 ", "01", "01"}));     // a long word between characters
    EXPECT_EQ(Lines("0", 3), (V{"0"}));                          // at least one character a line
    EXPECT_EQ(Lines("", 11), V{});
    std::vector<rt::LineSpan> before, after;
    Lines("0101", 11, &before);
    Lines("010111", 11, &after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 4), 4u);  // an append: only the new lines
    Lines("01", 11, &after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 2), 2u);  // shorter: the tail must be cleared
    Lines("1111", 11, &after);
    EXPECT_EQ(rt::FirstChangedLine(before, after, 0), 0u);
}

TEST(CommandTail, DropsTheProgramNameAndOneBlank) {
    EXPECT_EQ(rt::CommandTail(L"\"C:\\Win\\Veltrin.scr\" /s"), L"/s");
    EXPECT_EQ(rt::CommandTail(L"C:\\Win\\Veltrin.scr /p 1234"), L"/p 1234");
    EXPECT_EQ(rt::CommandTail(L"Veltrin.scr  /s"), L" /s");
    EXPECT_EQ(rt::CommandTail(L"\"C:\\Program Files\\x.scr\""), L"");
    EXPECT_EQ(rt::NarrowAscii(L"/p \u00e41"), "/p ?1");
}

TEST(AboutTexts, TitleNoteAuthorAndVersionOnLines0_2_9_12WhateverTheNote) {
    for (const char* note : {"Free Program!", ""}) {
        std::vector<int> starts;
        int line = 0;
        for (const std::string& item : saver::AboutItems("Veltrin-Screen-Saver", note, "Brandor", {2, 1, 5})) {
            starts.push_back(line);
            line += rt::LineBreaksOfPrint(item);
        }
        EXPECT_EQ(starts, (std::vector<int>{0, 2, 9, 12}));
    }
    EXPECT_EQ(saver::AboutItems("", "", "Brandor", {2, 1, 5})[3], "Version: 2.1.5");
}

TEST(Windows1252, TheUpperHalfMapsByTheTableNotByTheMachine) {
    EXPECT_EQ(rt::FromWindows1252("fl\xE4" "che \xD6\xFC\xDF \x80\x85\x9F \x81"), L"fläche Öüß \u20AC\u2026\u0178 \u0081");
}

TEST(ButtonFaces, FollowTheMouseButtons) {
    using toolkit::Face;
    EXPECT_EQ(toolkit::FaceOnMouseDown(), Face::Pressed);  // any button
    EXPECT_EQ(toolkit::FaceOnMouseMove(0), Face::Hover);
    EXPECT_EQ(toolkit::FaceOnMouseMove(1), Face::Pressed);  // the left button alone held
    EXPECT_EQ(toolkit::FaceOnMouseMove(2), Face::Hover);
    EXPECT_EQ(toolkit::FaceOnMouseMove(3), Face::Hover);
    EXPECT_EQ(toolkit::FaceOnMouseUp(), Face::Normal);
}

}  // namespace
