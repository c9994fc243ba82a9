#pragma once
// The setup's welcome window: the device-shaped window with the welcome texts
// on its screen, the translucent panel behind, an install button on the right
// key and a close button on the left one; Enter and Escape press them. After
// the installation it shows the completion texts and ends the setup 1500 ms
// later.
#include <cstdint>

#include "callback.h"
#include "setup_session.h"
#include "skinned_frame.h"
#include "timer.h"

class frmInstall1 : public toolkit::SkinnedForm {
public:
    // `closed` runs when the window goes, whatever closes it.
    frmInstall1(setup::SetupSession& session, toolkit::PanelForm& panel, rt::Callback<void()> closed);

    toolkit::PictureButton imgNext;
    rt::Timer Timer1;

    // Shows the welcome window, its panel and its install button, in `language`.
    void ShowIn(setup::Language language);
    // Composes the window with the welcome texts, or the completion texts once finished.
    void DrawTexts(bool Finished);
    // Opens the display settings on `Page` (0..3; anything else opens 3 and
    // is set to 3) without waiting for them. False when they did not start.
    bool DispDialog(std::int32_t& Page);

protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void imgEnde_Click() override;
    void Form_Unload(int& Cancel) override;
    void ResetButtons() override;

private:
    void imgNext_Click();
    void Timer1_Timer();

    setup::SetupSession& session_;
    rt::Callback<void()> closed_;
    setup::Language language_ = setup::Language::English;
};
