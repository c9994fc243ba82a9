#pragma once
// A picture box: a child window that shows a picture and what is drawn on it.
// With persistent drawing on, everything drawn goes into an off-screen bitmap
// that paints the window and can be read back through hDC(), even while the
// window is hidden. Image controls inside it are drawn above that bitmap.
#include <windows.h>

#include <string_view>
#include <type_traits>

#include "callback.h"
#include "container.h"
#include "fonts.h"
#include "form.h"
#include "memory_surface.h"
#include "picture.h"

namespace rt {

struct PictureBoxDesign {
    float left = 0, top = 0, width = 1215, height = 1215;  // in the form's scale
    COLORREF backColor = ::GetSysColor(COLOR_BTNFACE);
    COLORREF foreColor = ::GetSysColor(COLOR_BTNTEXT);
    ScaleMode scale = ScaleMode::Twips;
    bool autoRedraw = false;
    bool autoSize = false;
    bool visible = true;
    FontSpec font{};
    Picture picture{};
};

// The handlers of a picture box's events: members of the form that declares it.
template <class F>
struct PictureBoxHandlers {
    void (F::*MouseMove)(int Button, int Shift, float X, float Y) = nullptr;
    void (F::*Click)() = nullptr;
    void (F::*GotFocus)() = nullptr;
};

class PictureBox : public Container, private FormChild {
public:
    PictureBox(Form& form, const PictureBoxDesign& design);
    template <class F>
    PictureBox(F& form, const PictureBoxDesign& design, PictureBoxHandlers<std::type_identity_t<F>> on)
        : PictureBox(form, design) {
        if (on.MouseMove) MouseMove = [&form, h = on.MouseMove](int b, int s, float x, float y) { (form.*h)(b, s, x, y); };
        if (on.Click) Click = [&form, h = on.Click] { (form.*h)(); };
        if (on.GotFocus) GotFocus = [&form, h = on.GotFocus] { (form.*h)(); };
    }

    // Geometry in the form's scale.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void Move(float left, float top);
    // Inner size in the box's own scale.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // The persistent drawing surface; null without persistent drawing.
    HDC hDC() const;
    const MemorySurface& Surface() const noexcept { return surface_; }

    void SetPicture(const Picture& picture);

    void Cls();  // clears to the background colour; the pen goes to (0, 0)
    void PaintPicture(const Picture& picture, float x, float y);
    // Text at the pen in the pen colour, background left as it is; a carriage
    // return and the end of the print each move the pen to the next line.
    void Print(std::wstring_view text);
    float CurrentX = 0;
    float CurrentY = 0;
    void SetForeColor(COLORREF color) noexcept { foreColor_ = color; }

    MouseHandler MouseMove;
    Callback<void()> Click, GotFocus;

protected:
    void PaintSurface(HDC dc, const RECT& dirty) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateIn(HWND form) override;
    HWND ChildWindow() const override { return hWnd(); }
    void Resize(int width, int height);
    void Refresh();

    // A press takes the focus, as a picture box does.
    void SurfaceMouseDown(int, int, float, float) override { ::SetFocus(hWnd()); }
    void SurfaceMouseMove(int b, int s, float x, float y) override { if (MouseMove) MouseMove(b, s, x, y); }
    void SurfaceClick() override { if (Click) Click(); }

    Form& form_;
    RECT bounds_{};  // pixels in the form's client area
    COLORREF foreColor_;
    bool autoRedraw_;
    bool autoSize_;
    bool visible_;
    const Font& font_;
    Picture picture_;
    MemorySurface surface_;  // persistent drawing
};

}  // namespace rt
