#include "text_wrap.h"

#include <algorithm>
#include <cstdint>

namespace rt {
namespace {

bool IsBlank(wchar_t c) { return c == L' '; }

class LineBuilder {
public:
    LineBuilder(const CharWidths& widths, int width, std::vector<LineSpan>& lines)
        : widths_(widths), width_(width), lines_(lines) {}

    int Width(wchar_t c) const { return widths_[c < 256 ? c : L'?']; }
    // Widths add up in 64 bits: a long word of a large font passes 2^31 pixels.
    bool Fits(std::int64_t extra) const { return used_ + extra <= width_; }
    bool Empty() const { return length_ == 0; }

    void Add(std::size_t pos, int w) {
        if (length_ == 0) start_ = pos;
        ++length_;
        used_ += w;
    }
    void Break() {
        if (length_ == 0) return;
        lines_.push_back({start_, length_});
        length_ = 0;
        used_ = 0;
    }

private:
    const CharWidths& widths_;
    int width_;
    std::vector<LineSpan>& lines_;
    std::size_t start_ = 0;
    std::size_t length_ = 0;
    std::int64_t used_ = 0;
};

}  // namespace

void WrapText(std::wstring_view text, const CharWidths& widths, int width, std::vector<LineSpan>& lines) {
    lines.clear();
    LineBuilder line(widths, width, lines);
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsBlank(text[pos])) {
            const int w = line.Width(text[pos]);
            if (!line.Fits(w)) line.Break();
            line.Add(pos++, w);
            continue;
        }
        std::size_t end = pos;
        std::int64_t wordWidth = 0;
        while (end < text.size() && !IsBlank(text[end])) wordWidth += line.Width(text[end++]);
        if (!line.Fits(wordWidth) && !line.Empty()) line.Break();
        for (; pos < end; ++pos) {  // a word wider than the box breaks between characters
            const int w = line.Width(text[pos]);
            if (!line.Fits(w) && !line.Empty()) line.Break();
            line.Add(pos, w);
        }
    }
    line.Break();
}

std::size_t FirstChangedLine(const std::vector<LineSpan>& before, const std::vector<LineSpan>& after,
                             std::size_t commonPrefix) {
    const std::size_t n = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!(before[i] == after[i]) || before[i].start + before[i].length > commonPrefix) return i;
    }
    return n;
}

}  // namespace rt
