#pragma once
// The display panel: a borderless window showing the pale screen picture,
// kept 700 twips right of and 680 twips below its skinned window, behind it,
// so that it shows only through the device's screen opening. Clicking it or
// giving it the focus brings the skinned window back to the front.
#include "form.h"
#include "picturebox.h"

namespace toolkit {

class SkinnedForm;

class PanelForm : public rt::Form {
public:
    static constexpr float kOffsetX = 700;  // twips
    static constexpr float kOffsetY = 680;

    // The follow step: back to the offset from the skinned window.
    void tmrStatic_Timer();

    rt::PictureBox picHintergrund;

protected:
    // Its skinned window names itself when it is made.
    PanelForm();

    void Form_Load() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class SkinnedForm;
    void picHintergrund_Click();
    void picHintergrund_GotFocus();

    SkinnedForm* partner_ = nullptr;
};

}  // namespace toolkit
