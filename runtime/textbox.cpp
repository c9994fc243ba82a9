#include "textbox.h"

#include <algorithm>

namespace rt {

TextBox::TextBox(Container& container, const TextBoxDesign& design)
    : LightControl(container),
      backColor_(design.backColor),
      foreColor_(design.foreColor),
      font_(&GetFont(design.font, container.Dpi())) {
    Move(design.left, design.top, design.width, design.height);
    SetVisible(design.visible);
}

void TextBox::OnResized() {
    font_ = &GetFont(font_->Design(), Parent().Dpi());
    WrapText(text_, font_->Widths(), PixelBounds().right - PixelBounds().left, lines_);
}

void TextBox::SetText(std::wstring_view text) {
    const auto common = std::mismatch(text_.begin(), text_.end(), text.begin(), text.end());
    const std::size_t prefix = static_cast<std::size_t>(common.first - text_.begin());
    if (prefix == text_.size() && prefix == text.size()) return;
    text_.assign(text);
    WrapText(text_, font_->Widths(), PixelBounds().right - PixelBounds().left, scratch_);
    const std::size_t first = FirstChangedLine(lines_, scratch_, prefix);
    const std::size_t end = std::max(lines_.size(), scratch_.size());
    lines_.swap(scratch_);
    if (Visible() && first < end) {
        WindowDc dc(Parent().hWnd());  // a form whose controls draw at every step has a DC of its own: no cost to borrow
        if (dc.get()) PaintLines(dc.get(), first, end);
    }
}

void TextBox::Paint(HDC dc) const {
    const int lineHeight = font_->LineHeight();
    const int rows = lineHeight > 0 ? (PixelBounds().bottom - PixelBounds().top + lineHeight - 1) / lineHeight : 0;
    PaintLines(dc, 0, std::max<std::size_t>(lines_.size(), static_cast<std::size_t>(rows)));
}

// Lines [first, end) in one pass: each text line is one opaque, clipped
// ExtTextOut; rows past the last line are filled with the background in one go.
void TextBox::PaintLines(HDC dc, std::size_t first, std::size_t end) const {
    const RECT& box = PixelBounds();
    const int lineHeight = font_->LineHeight();
    if (lineHeight <= 0) return;
    SelectObjectScope select(dc, font_->get());
    ::SetTextColor(dc, foreColor_);
    ::SetBkColor(dc, backColor_);
    ::SetTextAlign(dc, TA_LEFT | TA_TOP);
    std::size_t i = first;
    for (; i < end && i < lines_.size(); ++i) {
        const int top = box.top + static_cast<int>(i) * lineHeight;
        if (top >= box.bottom) return;
        const RECT row{box.left, top, box.right, std::min<LONG>(top + lineHeight, box.bottom)};
        ::ExtTextOutW(dc, box.left, top, ETO_OPAQUE | ETO_CLIPPED, &row, text_.data() + lines_[i].start,
                      static_cast<UINT>(lines_[i].length), nullptr);  // a line of 4 G characters would take 8 GB
    }
    const int top = box.top + static_cast<int>(i) * lineHeight;
    if (i < end && top < box.bottom) {
        const long bottom = std::min<long long>(box.top + static_cast<long long>(end) * lineHeight, box.bottom);
        const RECT rest{box.left, top, box.right, static_cast<LONG>(bottom)};
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rest, nullptr, 0, nullptr);
    }
}

}  // namespace rt
