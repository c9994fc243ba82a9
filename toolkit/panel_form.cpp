#include "panel_form.h"

#include "artwork_ids.h"

namespace toolkit {
namespace {

rt::FormDesign Design() {
    rt::FormDesign d;
    d.caption = L"Form1";
    d.clientWidth = 4680;
    d.clientHeight = 3090;
    return d;
}

rt::PictureBoxDesign Panel() {
    rt::PictureBoxDesign d;
    d.left = 765;
    d.top = 345;
    d.width = 2325;
    d.height = 4050;
    d.autoSize = true;
    d.font = {L"Arial", 8.25f, FW_NORMAL, ANSI_CHARSET};
    d.picture = rt::Picture::FromResource(IDR_PANEL);
    return d;
}

}  // namespace

PanelForm::PanelForm(PartnerFn partner) : rt::Form(Design()), picHintergrund(*this, Panel()), partner_(partner) {
    picHintergrund.Click = [this] { picHintergrund_Click(); };
    picHintergrund.GotFocus = [this] { picHintergrund_GotFocus(); };
}

void PanelForm::Form_Load() {
    picHintergrund.Move(0, 0);
    rt::Form& partner = partner_();
    Move(partner.Left() + kOffsetX, partner.Top() + kOffsetY, picHintergrund.Width(), picHintergrund.Height());
    partner.ZOrder();
}

void PanelForm::tmrStatic_Timer() {
    if (!IsLoaded()) return;
    const rt::Form& partner = partner_();
    Move(partner.Left() + kOffsetX, partner.Top() + kOffsetY);
}

void PanelForm::picHintergrund_Click() { partner_().ZOrder(); }

void PanelForm::picHintergrund_GotFocus() { partner_().ZOrder(); }

}  // namespace toolkit
