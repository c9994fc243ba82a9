#pragma once
// The about window's display panel.
#include "panel_form.h"

class frmAbout2 : public toolkit::PanelForm {
public:
    frmAbout2();
};
