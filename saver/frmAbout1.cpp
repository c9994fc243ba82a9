#include "frmAbout1.h"

#include "app.h"

namespace {
rt::FormDesign Design() {
    rt::FormDesign d;
    d.caption = L"About";
    d.bordered = true;
    d.showInTaskbar = true;
    d.clientWidth = 4785;
    d.clientHeight = 6660;
    return d;
}
}  // namespace

frmAbout1::frmAbout1() : rt::Form(Design()) {}

void frmAbout1::Form_Unload(int&) { rt::End(); }
