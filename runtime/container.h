#pragma once
// A window that hosts windowless controls. The controls paint on the
// container's surface; the container finds the control under the pointer and
// gives it its mouse events in its own coordinates, capturing the mouse from a
// button press to the release as a windowed control would.
#include <windows.h>

#include <vector>

#include "app.h"
#include "callback.h"
#include "window.h"

namespace rt {

enum class ScaleMode { Twips, Pixels };

// Mouse event arguments: the buttons (1 left, 2 right, 4 middle), the shift
// state (1 Shift, 2 Ctrl, 4 Alt) and the position in the receiver's scale.
using MouseHandler = Callback<void(int Button, int Shift, float X, float Y)>;

class Container;

class LightControl {
public:
    explicit LightControl(Container& container);
    virtual ~LightControl();
    LightControl(const LightControl&) = delete;
    LightControl& operator=(const LightControl&) = delete;

    // Geometry in the container's scale, kept as given: the pixels it covers
    // follow the container's dots per inch.
    float Left() const noexcept { return place_.left; }
    float Top() const noexcept { return place_.top; }
    float Width() const noexcept { return place_.width; }
    float Height() const noexcept { return place_.height; }
    void Move(float left, float top, float width, float height);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);

    const RECT& PixelBounds() const noexcept { return bounds_; }
    Container& Parent() const noexcept { return container_; }

    virtual void Paint(HDC dc) const = 0;

    MouseHandler MouseDown, MouseMove, MouseUp;
    Callback<void()> Click;

protected:
    // The pixels it covers changed: it was moved, or its container's dots per inch.
    virtual void OnResized() {}
    void Invalidate() const;

private:
    friend class Container;
    RECT PixelsOfPlace() const;

    Container& container_;
    struct {
        float left = 0, top = 0, width = 0, height = 0;
    } place_;
    RECT bounds_{};
    bool visible_ = false;
};

class Container : public Window {
public:
    float ToScaleX(int pixels) const;
    float ToScaleY(int pixels) const;
    int ToPixelsX(float value) const;
    int ToPixelsY(float value) const;

    COLORREF BackColor() const noexcept { return backColor_; }
    // The dots per inch it converts at and its controls draw at.
    int Dpi() const noexcept { return dpi_; }

protected:
    Container(ScaleMode scale, COLORREF backColor) : scale_(scale), backColor_(backColor) {}

    // From now on at `dpi`: the windowless controls take their places and
    // their fonts anew, and the whole surface is painted again.
    void SetDpi(int dpi);

    // Input that reaches the container's own surface, in its scale.
    virtual void SurfaceMouseDown(int, int, float, float) {}
    virtual void SurfaceMouseMove(int, int, float, float) {}
    virtual void SurfaceClick() {}

    // Background, then every visible windowless control that meets `dirty`.
    virtual void PaintSurface(HDC dc, const RECT& dirty);
    void PaintBackground(HDC dc, const RECT& dirty) const;
    void PaintLightControls(HDC dc, const RECT& dirty) const;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class LightControl;
    void Register(LightControl* control) { controls_.push_back(control); }
    void Unregister(LightControl* control);
    LightControl* HitTest(POINT p) const;
    void RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    void SendMouse(LightControl* target, UINT msg, int button, int shift, POINT p);

    ScaleMode scale_;
    COLORREF backColor_;
    int dpi_ = kDesignDpi;
    std::vector<LightControl*> controls_;
    // From a button press to the release, every mouse event goes where the press went.
    bool captured_ = false;
    LightControl* captureTarget_ = nullptr;  // null: the surface itself
};

// Shift state of the keyboard right now, as handlers receive it.
int CurrentShiftState();

}  // namespace rt
