#include "skinned_frame.h"

#include "app.h"
#include "artwork_ids.h"
#include "mdlTransparent.h"
#include "panel_form.h"

namespace toolkit {
namespace {

constexpr COLORREF kKeyColour = RGB(255, 0, 255);
constexpr float kWindowWidth = 6735;  // twips; the area beyond the skin is cut away
constexpr float kWindowHeight = 7320;

// The design of the device's picture box, on which the skin and the texts are drawn.
rt::PictureBoxDesign DevicePictureDesign(const SkinLayout& layout) {
    // Texts drawn over the key colour become part of the outline: no smoothing.
    return {.left = layout.pictureLeft, .top = layout.pictureTop, .width = 3705, .height = 5790, .backColor = kKeyColour,
            .scale = rt::ScaleMode::Pixels, .autoRedraw = true, .autoSize = true,
            .font = {L"MS Sans Serif", 8.25f, FW_BOLD, ANSI_CHARSET, false}};
}

}  // namespace

SkinnedForm::SkinnedForm(const SkinLayout& layout, PanelForm& panel)
    : rt::Form({.caption = L"About", .clientWidth = 4785, .clientHeight = 6660, .keyPreview = layout.keyPreview}),
      picHintergrund(*this, DevicePictureDesign(layout), {.MouseMove = &SkinnedForm::picHintergrund_MouseMove}),
      imgEnde(picHintergrund, layout.closeLeft, layout.closeTop, IDR_CLOSE_NORMAL, IDR_CLOSE_HOVER, IDR_CLOSE_PRESSED,
              [this] { imgEnde_Click(); }),
      imgHintergrund(*this, {layout.skinLeft, layout.skinTop, rt::Picture::FromResource(IDR_SKIN), true}),
      panel_(panel) {
    panel_.partner_ = this;
}

void SkinnedForm::ResetButtons() { imgEnde.ShowFace(Face::Normal); }

void SkinnedForm::picHintergrund_MouseMove(int, int, float, float) { ResetButtons(); }

void SkinnedForm::Compose(std::span<const std::wstring> items, std::span<const TextPass> passes) {
    picHintergrund.Cls();
    picHintergrund.Move(0, 0);
    picHintergrund.PaintPicture(imgHintergrund.GetPicture(), 0, 0);
    for (const TextPass& pass : passes) {
        picHintergrund.SetForeColor(pass.colour);
        picHintergrund.CurrentY = pass.y;
        for (const std::wstring& item : items) {
            picHintergrund.CurrentX = pass.x;
            picHintergrund.Print(item);
        }
    }
    // The skin, not the whole window, is centred; no correction on small screens.
    Move(rt::Screen::Width() / 2 - picHintergrund.Width() / 2, rt::Screen::Height() / 2 - picHintergrund.Height() / 2,
         kWindowWidth, kWindowHeight);
    rt::UniqueRegion outline = CreateRegionFromPicture(picHintergrund);
    // The system owns the region only once it has accepted it.
    if (::SetWindowRgn(hWnd(), outline.get(), TRUE)) (void)outline.release();
    panel_.Show();
}

}  // namespace toolkit
