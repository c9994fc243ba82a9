#include "panel_form.h"

#include "artwork_ids.h"
#include "skinned_frame.h"

namespace toolkit {
namespace {

// The design of the panel's picture box, which carries the panel picture.
rt::PictureBoxDesign PanelPictureDesign() {
    return {.left = 765, .top = 345, .width = 2325, .height = 4050, .autoSize = true,
            .font = {L"Arial", 8.25f, FW_NORMAL, ANSI_CHARSET}, .picture = rt::Picture::FromResource(IDR_PANEL)};
}

}  // namespace

// Not activated when shown: its skinned window, shown right after it, is the active one.
PanelForm::PanelForm()
    : rt::Form({.caption = L"Form1", .activates = false}),
      picHintergrund(*this, PanelPictureDesign(), {.Click = &PanelForm::picHintergrund_Click, .GotFocus = &PanelForm::picHintergrund_GotFocus}) {}

void PanelForm::Form_Load() {
    picHintergrund.Move(0, 0);
    rt::Form& partner = *partner_;
    Move(partner.Left() + kOffsetX, partner.Top() + kOffsetY, picHintergrund.Width(), picHintergrund.Height());
    partner.ZOrder();
}

void PanelForm::tmrStatic_Timer() {
    if (!IsLoaded()) return;
    const float left = partner_->Left() + kOffsetX, top = partner_->Top() + kOffsetY;
    // This runs on every tick of up to four timers: a window in place is left alone.
    if (rt::TwipsToPixelsX(left) == rt::TwipsToPixelsX(Left()) && rt::TwipsToPixelsY(top) == rt::TwipsToPixelsY(Top())) return;
    Move(left, top);
}

// Closed by the system (Alt+F4 once a click on the screen has made it the
// active window): the skinned window closes instead and takes the panel with
// it, so the device never stays on the screen with a hole where its panel was.
LRESULT PanelForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_CLOSE) return Form::HandleMessage(msg, wParam, lParam);
    partner_->Unload();
    return 0;
}

void PanelForm::picHintergrund_Click() { partner_->ZOrder(); }

void PanelForm::picHintergrund_GotFocus() { partner_->ZOrder(); }

}  // namespace toolkit
