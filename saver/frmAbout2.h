#pragma once
// The about window's display panel; the about window carries its follow timer.
#include "panel_form.h"

class frmAbout2 : public toolkit::PanelForm {};
