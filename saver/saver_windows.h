#pragma once
// The saver's three windows, made once and each given what it needs: the
// effect window shows the about window in configuration mode; the about
// window and its panel hold each other.
#include "frmAbout1.h"
#include "frmAbout2.h"
#include "frmmain.h"

class SaverWindows {
public:
    SaverWindows() = default;
    SaverWindows(const SaverWindows&) = delete;
    SaverWindows& operator=(const SaverWindows&) = delete;

    // Until the saver ends.
    int Run() { return rt::RunStartupForm(effectWindow); }

    frmAbout2 panelWindow;
    frmAbout1 aboutWindow{panelWindow};
    frmmain effectWindow{aboutWindow};
};
