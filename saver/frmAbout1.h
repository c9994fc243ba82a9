#pragma once
// The configuration mode's about window: the device-shaped window with the
// title and note of the settings file, the author and the version on its
// screen, its translucent panel behind, and a close button that ends the saver.
#include <string>

#include "skinned_frame.h"
#include "timer.h"

class frmAbout2;

class frmAbout1 : public toolkit::SkinnedForm {
public:
    explicit frmAbout1(frmAbout2& panel);

    std::wstring TitleText;
    std::wstring NoteText;

    rt::Timer tmrStatic{*this, 1, &frmAbout1::tmrStatic_Timer};

    void DrawTexts();

protected:
    void Form_Load() override;
    void imgEnde_Click() override;
    void Form_Unload(int& Cancel) override;

private:
    void tmrStatic_Timer();
};
