#pragma once
// The interactive setup's three windows, made once and each given what it
// needs: the language window continues to the welcome window in the chosen
// language; the welcome window, whatever closes it, shows the language window
// again; the welcome window and its panel hold each other.
#include "frmInstall1.h"
#include "frmInstall2.h"
#include "frmSetup.h"

namespace setup {

class SetupWindows {
public:
    SetupWindows(SetupSession& session, Language first)
        : welcomeWindow(session, panelWindow, [this] { languageWindow.Show(); }),
          languageWindow(session, first, [this](Language language) { welcomeWindow.ShowIn(language); }) {}
    SetupWindows(const SetupWindows&) = delete;
    SetupWindows& operator=(const SetupWindows&) = delete;

    // Until the setup ends.
    int Run() { return rt::RunStartupForm(languageWindow); }

    frmInstall2 panelWindow;
    frmInstall1 welcomeWindow;
    frmSetup languageWindow;
};

}  // namespace setup
