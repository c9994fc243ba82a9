#pragma once
// How printed text breaks into lines: a carriage return inside the text ends
// a line, and so does the end of every print. Free of the platform so the
// layout of printed texts can be checked on its own.
#include <string_view>

namespace rt {

// Calls draw(segment, first) for each piece of `text` between carriage
// returns, in order; `first` is true for the piece that starts where the pen
// stood. Returns the number of line breaks the print makes.
template <class Draw>
int PrintSegments(std::string_view text, Draw&& draw) {
    int breaks = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t cr = text.find('\r', start);
        draw(text.substr(start, cr == std::string_view::npos ? std::string_view::npos : cr - start), breaks == 0);
        ++breaks;
        if (cr == std::string_view::npos) return breaks;
        start = cr + 1;
    }
}

inline int LineBreaksOfPrint(std::string_view text) {
    return PrintSegments(text, [](std::string_view, bool) {});
}

}  // namespace rt
