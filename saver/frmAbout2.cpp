#include "frmAbout2.h"

#include "frmAbout1.h"

namespace {
rt::Form& Partner() { return rt::TheForm<frmAbout1>(); }
}  // namespace

frmAbout2::frmAbout2() : toolkit::PanelForm(&Partner) {}
