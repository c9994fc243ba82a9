#pragma once
// The about window of the configuration mode. For now a plain window; closing
// it ends the saver.
#include "form.h"

class frmAbout1 : public rt::Form {
public:
    frmAbout1();

protected:
    void Form_Unload(int& Cancel) override;
};
