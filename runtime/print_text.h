#pragma once
// How printed text breaks into lines: a carriage return inside the text ends
// a line, and so does the end of every print. Free of the platform so the
// layout of printed texts can be checked on its own.
#include <string_view>

namespace rt {

// Calls draw(segment) for each piece of `text` between carriage returns, in
// order. Returns the number of line breaks the print makes.
template <class Draw>
int PrintSegments(std::wstring_view text, Draw&& draw) {
    int breaks = 0;
    for (std::size_t start = 0;; ++breaks) {
        const std::size_t cr = text.find(L'\r', start);
        draw(text.substr(start, cr == std::wstring_view::npos ? std::wstring_view::npos : cr - start));
        if (cr == std::wstring_view::npos) return breaks + 1;
        start = cr + 1;
    }
}

inline int LineBreaksOfPrint(std::wstring_view text) {
    return PrintSegments(text, [](std::wstring_view) {});
}

}  // namespace rt
