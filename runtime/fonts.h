#pragma once
// Fonts as the designs name them (face, size in points, weight), made once
// per program for each dots per inch they are drawn at, and kept with the
// widths that text layout needs.
#include <windows.h>

#include <string>

#include "app.h"
#include "handles.h"
#include "text_wrap.h"

namespace rt {

struct FontSpec {
    const wchar_t* face = L"MS Sans Serif";
    float points = 8.25f;
    int weight = FW_NORMAL;
    BYTE charset = ANSI_CHARSET;
    // Edge smoothing mixes the letters with what lies behind them; text drawn
    // over a key colour must not have it, or the outline keeps tinted edges.
    bool smoothed = true;
    friend bool operator==(const FontSpec& a, const FontSpec& b) {
        return std::wstring(a.face) == b.face && a.points == b.points && a.weight == b.weight &&
               a.charset == b.charset && a.smoothed == b.smoothed;
    }
};

class Font {
public:
    Font(const FontSpec& wanted, int dpi);
    HFONT get() const noexcept { return font_.get(); }
    const FontSpec& Design() const noexcept { return design_; }
    int Dpi() const noexcept { return dpi_; }
    const CharWidths& Widths() const noexcept { return widths_; }
    int LineHeight() const noexcept { return lineHeight_; }

private:
    FontSpec design_;
    int dpi_;
    UniqueFont font_;
    CharWidths widths_{};
    int lineHeight_ = 0;
};

// The shared font of a design at `dpi`; lives until the program ends.
const Font& GetFont(const FontSpec& wanted, int dpi = kDesignDpi);

}  // namespace rt
