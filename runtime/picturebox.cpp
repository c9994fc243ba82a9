#include "picturebox.h"

#include <cmath>

#include "app.h"
#include "print_text.h"

namespace rt {

PictureBox::PictureBox(Form& form, const PictureBoxDesign& design)
    : Container(design.scale, design.backColor),
      form_(form),
      foreColor_(design.foreColor),
      autoRedraw_(design.autoRedraw),
      autoSize_(design.autoSize),
      visible_(design.visible),
      font_(GetFont(design.font)) {
    const int x = form.ToPixelsX(design.left), y = form.ToPixelsY(design.top);
    bounds_ = {x, y, x + form.ToPixelsX(design.width), y + form.ToPixelsY(design.height)};
    form.AddChild(this);
    SetPicture(design.picture);
}

void PictureBox::CreateIn(HWND formWindow) {
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0);
    CreateNative(0, style, L"", bounds_, formWindow);
}

float PictureBox::Left() const { return form_.ToScaleX(bounds_.left); }
float PictureBox::Top() const { return form_.ToScaleY(bounds_.top); }
float PictureBox::Width() const { return form_.ToScaleX(bounds_.right - bounds_.left); }
float PictureBox::Height() const { return form_.ToScaleY(bounds_.bottom - bounds_.top); }
float PictureBox::ScaleWidth() const { return ToScaleX(bounds_.right - bounds_.left); }
float PictureBox::ScaleHeight() const { return ToScaleY(bounds_.bottom - bounds_.top); }

void PictureBox::Move(float left, float top) {
    const int x = form_.ToPixelsX(left), y = form_.ToPixelsY(top);
    ::OffsetRect(&bounds_, x - bounds_.left, y - bounds_.top);
    if (HasWindow()) ::SetWindowPos(hWnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBox::Resize(int width, int height) {
    bounds_.right = bounds_.left + width;
    bounds_.bottom = bounds_.top + height;
    if (HasWindow()) ::SetWindowPos(hWnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (autoRedraw_) {
        surface_ = MemorySurface(width, height);
        Cls();
    }
}

HDC PictureBox::hDC() const { return surface_.Dc(); }

void PictureBox::SetPicture(const Picture& picture) {
    picture_ = picture;
    const int w = bounds_.right - bounds_.left, h = bounds_.bottom - bounds_.top;
    if (autoSize_ && !picture.Empty()) Resize(picture.Width(), picture.Height());
    else if (autoRedraw_ && (surface_.Width() != w || surface_.Height() != h)) Resize(w, h);
    Refresh();
}

void PictureBox::Cls() {
    CurrentX = CurrentY = 0;
    if (autoRedraw_ && surface_.Dc()) {
        const RECT all{0, 0, surface_.Width(), surface_.Height()};
        ::SetBkColor(surface_.Dc(), BackColor());
        ::ExtTextOutW(surface_.Dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }
    Refresh();
}

void PictureBox::PaintPicture(const Picture& picture, float x, float y) {
    picture.Draw(hDC(), ToPixelsX(x), ToPixelsY(y));
    Refresh();
}

void PictureBox::Print(std::wstring_view text) {
    const HDC dc = hDC();
    if (!dc) return;
    SelectObjectScope select(dc, font_.get());
    ::SetTextColor(dc, foreColor_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextAlign(dc, TA_LEFT | TA_TOP);
    PrintSegments(text, [&](std::wstring_view segment) {
        if (!segment.empty()) {
            ::TextOutW(dc, ToPixelsX(CurrentX), ToPixelsY(CurrentY), segment.data(), static_cast<int>(segment.size()));
        }
        CurrentX = 0;
        CurrentY += ToScaleY(font_.LineHeight());
    });
    Refresh();
}

void PictureBox::Refresh() {
    if (HasWindow()) ::InvalidateRect(hWnd(), nullptr, FALSE);
}

void PictureBox::PaintSurface(HDC dc, const RECT& dirty) {
    if (autoRedraw_ && surface_.Dc()) {
        ::BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, surface_.Dc(),
                 dirty.left, dirty.top, SRCCOPY);
        // Windowless controls above the persistent drawing.
        PaintLightControls(dc, dirty);
        return;
    }
    PaintBackground(dc, dirty);
    picture_.Draw(dc, 0, 0);
    PaintLightControls(dc, dirty);
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS) {
        if (GotFocus) GotFocus();
        return 0;
    }
    return Container::HandleMessage(msg, wParam, lParam);
}

}  // namespace rt
