#pragma once
// Line breaking of the multi-line text box, kept free of the platform so it
// can be tested on its own. It follows a multi-line edit box: words break at
// the box's width, a word wider than the box breaks between characters (each
// line keeps at least one character), and blanks take room like any other
// character, so runs of blanks leave gaps.
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace rt {

struct LineSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

// Advance widths of the characters 0..255 of one font, in pixels, however
// large the font; any other character takes the width of '?'.
using CharWidths = std::array<int, 256>;

// Replaces `lines` by the lines of `text` wrapped at `width` pixels. Keeping
// the caller's vector lets a step reuse its memory.
void WrapText(std::wstring_view text, const CharWidths& widths, int width, std::vector<LineSpan>& lines);

// The first line whose span or characters differ between two wrappings, given
// that the texts agree in their first `commonPrefix` characters.
std::size_t FirstChangedLine(const std::vector<LineSpan>& before, const std::vector<LineSpan>& after,
                             std::size_t commonPrefix);

}  // namespace rt
