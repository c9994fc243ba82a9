#include "skinned_frame.h"

#include "app.h"
#include "artwork_ids.h"
#include "mdlTransparent.h"
#include "platform.h"

namespace toolkit {
namespace {

constexpr COLORREF kKeyColour = RGB(255, 0, 255);
constexpr float kWindowWidth = 6735;  // twips; the area beyond the skin is cut away
constexpr float kWindowHeight = 7320;

rt::PictureBoxDesign Surface(const SkinLayout& layout) {
    // Texts drawn over the key colour become part of the outline: no smoothing.
    return {.left = layout.pictureLeft, .top = layout.pictureTop, .width = 3705, .height = 5790, .backColor = kKeyColour,
            .scale = rt::ScaleMode::Pixels, .autoRedraw = true, .autoSize = true,
            .font = {L"MS Sans Serif", 8.25f, FW_BOLD, ANSI_CHARSET, false}};
}

}  // namespace

SkinnedForm::SkinnedForm(const SkinLayout& layout)
    : rt::Form({.caption = L"About", .clientWidth = 4785, .clientHeight = 6660}),
      picHintergrund(*this, Surface(layout), {.MouseMove = &SkinnedForm::picHintergrund_MouseMove}),
      imgEnde(*this, ButtonFactory(), {layout.closeLeft, layout.closeTop, rt::Picture::FromResource(IDR_CLOSE_NORMAL), true},
              {.MouseDown = &SkinnedForm::imgEnde_MouseDown, .MouseMove = &SkinnedForm::imgEnde_MouseMove,
               .MouseUp = &SkinnedForm::imgEnde_MouseUp, .Click = &SkinnedForm::imgEnde_Click}),
      imgHintergrund(*this, {layout.skinLeft, layout.skinTop, rt::Picture::FromResource(IDR_SKIN), true}) {
    AddFaces(imgEnde, IDR_CLOSE_HOVER, IDR_CLOSE_PRESSED);
}

PictureButton::Factory SkinnedForm::ButtonFactory() {
    return [this](int index, const rt::ImageDesign& d) {
        rt::Container& home = index == 0 ? static_cast<rt::Container&>(picHintergrund) : *this;
        return std::make_unique<rt::Image>(home, d);
    };
}

void SkinnedForm::AddFaces(PictureButton& button, int hover, int pressed) {
    // The holders lie on the form, hidden, where nobody sees them. Index 1 shares
    // index 0's picture, so restoring the normal face restores the design exactly.
    button.Add(1, {0, 0, button(0).GetPicture(), false});
    button.Add(2, {0, 0, rt::Picture::FromResource(hover), false});
    button.Add(3, {0, 0, rt::Picture::FromResource(pressed), false});
}

void ShowFace(PictureButton& button, Face face) {
    button(0).SetPicture(button(static_cast<int>(face)).GetPicture());
}

void SkinnedForm::imgEnde_MouseDown(int, int, int, float, float) { ShowFace(imgEnde, FaceOnMouseDown()); }
void SkinnedForm::imgEnde_MouseMove(int, int Button, int, float, float) { ShowFace(imgEnde, FaceOnMouseMove(Button)); }
void SkinnedForm::imgEnde_MouseUp(int, int, int, float, float) { ShowFace(imgEnde, FaceOnMouseUp()); }

void SkinnedForm::ResetButtons() { ShowFace(imgEnde, Face::Normal); }

void SkinnedForm::picHintergrund_MouseMove(int, int, float, float) { ResetButtons(); }

void SkinnedForm::PrintTexts(std::span<const std::wstring> items, std::span<const TextPass> passes) {
    for (const TextPass& pass : passes) {
        picHintergrund.SetForeColor(pass.colour);
        picHintergrund.CurrentY = pass.y;
        for (const std::wstring& item : items) {
            picHintergrund.CurrentX = pass.x;
            picHintergrund.Print(item);
        }
    }
}

void SkinnedForm::Compose(const std::function<void()>& drawTexts, rt::Form& panel) {
    picHintergrund.Cls();
    picHintergrund.Move(0, 0);
    picHintergrund.PaintPicture(imgHintergrund.GetPicture(), 0, 0);
    drawTexts();
    // The skin, not the whole window, is centred; no correction on small screens.
    Move(rt::Screen::Width() / 2 - picHintergrund.Width() / 2, rt::Screen::Height() / 2 - picHintergrund.Height() / 2,
         kWindowWidth, kWindowHeight);
    rt::UniqueRegion outline = CreateRegionFromPicture(picHintergrund);
    // The system owns the region only once it has accepted it.
    if (rt::Platform().SetWindowRgn(hWnd(), outline.get(), TRUE)) (void)outline.release();
    panel.Show();
}

}  // namespace toolkit
