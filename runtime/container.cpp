#include "container.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "app.h"

namespace rt {

// ---- LightControl ----------------------------------------------------------

LightControl::LightControl(Container& container) : container_(container) { container_.Register(this); }

LightControl::~LightControl() { container_.Unregister(this); }

// Each edge rounded on its own: controls side by side that are no whole
// number of pixels wide (165 twips at 144 dpi: 16.5) neither overlap nor
// leave gaps.
RECT LightControl::PixelsOfPlace() const {
    const auto& [left, top, width, height] = place_;
    const int x = container_.ToPixelsX(left), y = container_.ToPixelsY(top);
    return {x, y, std::max(x, container_.ToPixelsX(left + width)), std::max(y, container_.ToPixelsY(top + height))};
}

void LightControl::Move(float left, float top, float width, float height) {
    place_ = {left, top, width, height};
    const RECT next = PixelsOfPlace();
    if (EqualRect(&next, &bounds_)) return;
    Invalidate();
    bounds_ = next;
    OnResized();
    Invalidate();
}

void LightControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Invalidate();
}

void LightControl::Invalidate() const {
    if (container_.HasWindow() && !IsRectEmpty(&bounds_)) ::InvalidateRect(container_.hWnd(), &bounds_, TRUE);
}

// ---- Container -------------------------------------------------------------

float Container::ToScaleX(int pixels) const {
    return scale_ == ScaleMode::Pixels ? static_cast<float>(pixels) : pixels * TwipsPerPixelX(dpi_);
}
float Container::ToScaleY(int pixels) const {
    return scale_ == ScaleMode::Pixels ? static_cast<float>(pixels) : pixels * TwipsPerPixelY(dpi_);
}
int Container::ToPixelsX(float value) const {
    return scale_ == ScaleMode::Pixels ? static_cast<int>(std::lround(value)) : TwipsToPixelsX(value, dpi_);
}
int Container::ToPixelsY(float value) const {
    return scale_ == ScaleMode::Pixels ? static_cast<int>(std::lround(value)) : TwipsToPixelsY(value, dpi_);
}

void Container::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    for (LightControl* c : controls_) {
        c->bounds_ = c->PixelsOfPlace();
        c->OnResized();
    }
    if (HasWindow()) ::InvalidateRect(hWnd(), nullptr, TRUE);
}

void Container::Unregister(LightControl* control) {
    std::erase(controls_, control);
    if (captureTarget_ == control) captureTarget_ = nullptr;
}

void Container::PaintSurface(HDC dc, const RECT& dirty) {
    PaintBackground(dc, dirty);
    PaintLightControls(dc, dirty);
}

void Container::PaintBackground(HDC dc, const RECT& dirty) const {
    const COLORREF oldBk = ::SetBkColor(dc, backColor_);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &dirty, nullptr, 0, nullptr);
    ::SetBkColor(dc, oldBk);
}

void Container::PaintLightControls(HDC dc, const RECT& dirty) const {
    RECT overlap;
    for (const LightControl* c : controls_) {
        if (c->Visible() && ::IntersectRect(&overlap, &c->PixelBounds(), &dirty)) c->Paint(dc);
    }
}

LightControl* Container::HitTest(POINT p) const {
    // Later controls lie above earlier ones.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->Visible() && ::PtInRect(&(*it)->PixelBounds(), p)) return *it;
    }
    return nullptr;
}

int CurrentShiftState() {
    return (::GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (::GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (::GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

namespace {

int HeldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) | ((wParam & MK_MBUTTON) ? 4 : 0);
}

int ButtonOf(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: return 4;
        default: return 0;
    }
}

bool IsButtonDown(UINT msg) { return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN; }
bool IsButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

}  // namespace

void Container::SendMouse(LightControl* target, UINT msg, int button, int shift, POINT p) {
    POINT origin{0, 0};
    if (target) origin = {target->PixelBounds().left, target->PixelBounds().top};
    const float x = ToScaleX(p.x - origin.x);
    const float y = ToScaleY(p.y - origin.y);
    if (target) {
        const MouseHandler& h = IsButtonDown(msg) ? target->MouseDown : IsButtonUp(msg) ? target->MouseUp : target->MouseMove;
        if (h) h(button, shift, x, y);
    } else if (IsButtonDown(msg)) {
        SurfaceMouseDown(button, shift, x, y);
    } else if (!IsButtonUp(msg)) {
        SurfaceMouseMove(button, shift, x, y);
    }
}

void Container::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const int shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) | (::GetKeyState(VK_MENU) < 0 ? 4 : 0);
    if (IsButtonDown(msg) && !captured_) {
        captured_ = true;
        captureTarget_ = HitTest(p);
        ::SetCapture(hWnd());
    }
    LightControl* target = captured_ ? captureTarget_ : HitTest(p);
    const int button = msg == WM_MOUSEMOVE ? HeldButtons(wParam) : ButtonOf(msg);
    SendMouse(target, msg, button, shift, p);

    if (IsButtonUp(msg) && captured_ && HeldButtons(wParam) == 0) {
        captured_ = false;
        ::ReleaseCapture();
        RECT area{};
        if (target) area = target->PixelBounds();
        else ::GetClientRect(hWnd(), &area);
        if (::PtInRect(&area, p)) {
            if (!target) SurfaceClick();
            else if (target->Click) target->Click();
        }
    }
}

LRESULT Container::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // PaintSurface fills the background with the rest, without flicker
        case WM_PAINT: {
            PaintDc paint(hWnd());
            PaintSurface(paint.get(), paint.dirty());
            return 0;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN: case WM_LBUTTONUP:
        case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        case WM_MBUTTONDOWN: case WM_MBUTTONUP:
            RouteMouse(msg, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd()) captured_ = false;
            return 0;
        default:
            return Window::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace rt
