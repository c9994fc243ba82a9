// The about window's text lines and the picture buttons' faces.
#include <gtest/gtest.h>

#include "about_texts.h"
#include "button_faces.h"
#include "line_starts.h"
#include "print_text.h"

namespace {

TEST(AboutTexts, TitleNoteAuthorAndVersionStartOnLines0_2_9_12) {
    const auto items = saver::AboutItems("Veltrin-Screen-Saver", "Free Program!", "Brandor", {2, 1, 5});
    EXPECT_EQ(StartLines(items), (std::vector<int>{0, 2, 9, 12}));
    EXPECT_EQ(items[2], "Autor: Brandor\r\r");
    EXPECT_EQ(items[3], "Version: 2.1.5");
}

TEST(AboutTexts, AnEmptyNoteKeepsTheLinesBelowInPlace) {
    const auto items = saver::AboutItems("Veltrin-Bildschirmschoner", "", "Brandor", {2, 1, 5});
    EXPECT_EQ(StartLines(items), (std::vector<int>{0, 2, 9, 12}));
    EXPECT_EQ(items[1], "\r\r\r\r\r\r");
}

TEST(PrintSegments, CarriageReturnsBreakLinesAndOnlyTheFirstPieceKeepsThePen) {
    std::vector<std::pair<std::string, bool>> pieces;
    const int breaks = rt::PrintSegments("ab\r\rc", [&](std::string_view s, bool first) {
        pieces.emplace_back(std::string(s), first);
    });
    EXPECT_EQ(breaks, 3);
    EXPECT_EQ(pieces, (std::vector<std::pair<std::string, bool>>{{"ab", true}, {"", false}, {"c", false}}));
    EXPECT_EQ(rt::LineBreaksOfPrint(""), 1);
}

TEST(ButtonFaces, FollowTheMouseButtons) {
    using toolkit::Face;
    EXPECT_EQ(toolkit::FaceOnMouseDown(), Face::Pressed);  // any button, the right one too
    EXPECT_EQ(toolkit::FaceOnMouseMove(0), Face::Hover);
    EXPECT_EQ(toolkit::FaceOnMouseMove(1), Face::Pressed);  // dragging with the left button held
    EXPECT_EQ(toolkit::FaceOnMouseMove(2), Face::Hover);    // right button alone
    EXPECT_EQ(toolkit::FaceOnMouseMove(3), Face::Hover);    // left and another
    EXPECT_EQ(toolkit::FaceOnMouseUp(), Face::Normal);      // released, even over the button
}

}  // namespace
