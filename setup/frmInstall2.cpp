#include "frmInstall2.h"

#include "frmInstall1.h"

namespace {
rt::Form& Partner() { return rt::TheForm<frmInstall1>(); }
}  // namespace

frmInstall2::frmInstall2()
    : toolkit::PanelForm(&Partner), Timer3(*this, 7), Timer2(*this, 1), Timer1(*this, 5), tmrStatic(*this, 10) {
    for (rt::Timer* timer : {&Timer3, &Timer2, &Timer1, &tmrStatic}) timer->Tick = [this] { tmrStatic_Timer(); };
}
