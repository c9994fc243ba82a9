#pragma once
// The setup's welcome window: the device-shaped window with the welcome texts
// on its screen, the translucent panel behind, an install button on the right
// key and a close button on the left one. After the installation it shows the
// completion texts and ends the setup 1500 ms later.
#include <cstdint>

#include "skinned_frame.h"
#include "setup_rules.h"
#include "timer.h"

class frmInstall1 : public toolkit::SkinnedForm {
public:
    frmInstall1();

    toolkit::PictureButton imgNext;
    rt::Timer Timer1;

    // Composes the window with the welcome texts, or the completion texts once finished.
    void DrawTexts(bool Finished);
    // Opens the display settings on `Page` (0..3; anything else opens 3 and
    // is set to 3) without waiting for them. False when they did not start.
    bool DispDialog(std::int32_t& Page);

protected:
    void Form_Load() override;
    void imgEnde_Click(int Index) override;
    void Form_Unload(int& Cancel) override;
    void ResetButtons() override;

private:
    void imgNext_Click(int Index);
    void Timer1_Timer();
    void imgNext_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void imgNext_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void imgNext_MouseUp(int Index, int Button, int Shift, float X, float Y);
    setup::Language ChosenLanguage() const;
    [[noreturn]] void InstallFailed();
};
