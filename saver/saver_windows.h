#pragma once
// The saver's windows, each given what it needs: the effect window shows the
// about window in configuration mode; the about window and its panel hold
// each other. Those two are made only then: their pictures would cost every
// other mode's start-up for windows it never shows.
#include <optional>

#include "command_line.h"
#include "frmAbout1.h"
#include "frmAbout2.h"
#include "frmmain.h"

class SaverWindows {
public:
    // `command`: the command line after the program's name.
    explicit SaverWindows(std::string command = rt::NarrowAscii(rt::App::Command()))
        : effectWindow(std::move(command), [this] { ShowAbout(); }) {}
    SaverWindows(const SaverWindows&) = delete;
    SaverWindows& operator=(const SaverWindows&) = delete;

    // Until the saver ends.
    int Run() { return rt::RunStartupForm(effectWindow); }

    frmmain effectWindow;

private:
    struct AboutWindows {
        frmAbout2 panelWindow;
        frmAbout1 aboutWindow{panelWindow};
    };

    void ShowAbout() {
        if (!about_) about_.emplace();
        about_->aboutWindow.Show();
    }

    std::optional<AboutWindows> about_;
};
