#pragma once
// How printed text breaks into lines: a carriage return inside the text ends
// a line, and so does the end of every print. Free of the platform so the
// layout of printed texts can be checked on its own.
#include <string_view>

namespace rt {

// Calls draw(segment) for each piece of `text` between carriage returns, in
// order; each call ends a line.
template <class Draw>
void PrintSegments(std::wstring_view text, Draw&& draw) {
    for (std::size_t start = 0;;) {
        const std::size_t cr = text.find(L'\r', start);
        draw(text.substr(start, cr == std::wstring_view::npos ? std::wstring_view::npos : cr - start));
        if (cr == std::wstring_view::npos) return;
        start = cr + 1;
    }
}

}  // namespace rt
