#include "frmInstall2.h"

#include "frmInstall1.h"

namespace {
rt::Form& Partner() { return rt::TheForm<frmInstall1>(); }
}  // namespace

frmInstall2::frmInstall2() : toolkit::PanelForm(&Partner) {}
