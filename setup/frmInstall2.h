#pragma once
// The welcome window's display panel. Four timers of its own drive the
// follow step, each from the moment the panel is loaded.
#include "panel_form.h"
#include "timer.h"

class frmInstall2 : public toolkit::PanelForm {
public:
    frmInstall2();

    rt::Timer Timer3;
    rt::Timer Timer2;
    rt::Timer Timer1;
    rt::Timer tmrStatic;
};
