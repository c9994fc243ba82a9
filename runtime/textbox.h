#pragma once
// The runtime's lightweight text box: windowless, always multi-line and
// read-only (the only kind the programs use), wrapping its text at its
// width. Changing the text repaints only the lines that changed, at once, so
// text that grows by a few characters costs a few small draws however long
// it already is.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "container.h"
#include "fonts.h"

namespace rt {

struct TextBoxDesign {
    float left = 0, top = 0, width = 1215, height = 495;
    COLORREF backColor = ::GetSysColor(COLOR_WINDOW);
    COLORREF foreColor = ::GetSysColor(COLOR_WINDOWTEXT);
    FontSpec font{};
    bool visible = true;
};

class TextBox : public LightControl {
public:
    using Design = TextBoxDesign;

    TextBox(Container& container, const TextBoxDesign& design);

    const std::wstring& Text() const noexcept { return text_; }
    void SetText(std::wstring_view text);

    void Paint(HDC dc) const override;

private:
    void OnResized() override;
    void PaintLines(HDC dc, std::size_t first, std::size_t end) const;

    COLORREF backColor_;
    COLORREF foreColor_;
    const Font* font_;  // the design's, at the container's dots per inch
    std::wstring text_;
    std::vector<LineSpan> lines_;
    std::vector<LineSpan> scratch_;
};

}  // namespace rt
