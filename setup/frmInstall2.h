#pragma once
// The welcome window's display panel. Four timers of its own drive the
// follow step, each from the moment the panel is loaded.
#include "panel_form.h"
#include "timer.h"

class frmInstall2 : public toolkit::PanelForm {
public:
    rt::Timer Timer3{*this, 7, &frmInstall2::tmrStatic_Timer};
    rt::Timer Timer2{*this, 1, &frmInstall2::tmrStatic_Timer};
    rt::Timer Timer1{*this, 5, &frmInstall2::tmrStatic_Timer};
    rt::Timer tmrStatic{*this, 10, &frmInstall2::tmrStatic_Timer};
};
