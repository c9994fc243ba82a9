#include "fonts.h"

#include <cmath>
#include <memory>
#include <vector>

namespace rt {

Font::Font(const FontSpec& wanted, int dpi) : design_(wanted), dpi_(dpi) {
    WindowDc screen(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
    lf.lfWeight = wanted.weight;
    lf.lfCharSet = wanted.charset;
    lf.lfQuality = wanted.smoothed ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, wanted.face, LF_FACESIZE);
    font_.reset(::CreateFontIndirectW(&lf));

    SelectObjectScope select(screen.get(), font_.get());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen.get(), &tm);
    lineHeight_ = tm.tmHeight;
    ::GetCharWidth32W(screen.get(), 0, 255, widths_.data());
}

const Font& GetFont(const FontSpec& wanted, int dpi) {
    static std::vector<std::unique_ptr<Font>> fonts;
    for (const auto& f : fonts) {
        if (f->Design() == wanted && f->Dpi() == dpi) return *f;
    }
    fonts.push_back(std::make_unique<Font>(wanted, dpi));
    return *fonts.back();
}

}  // namespace rt
