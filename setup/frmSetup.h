#pragma once
// The setup's start-up window: the user picks English or German, and
// continues to the welcome window in that language or cancels. It is only
// hidden while the welcome window shows, and shown again when that closes.
#include "callback.h"
#include "control_array.h"
#include "controls.h"
#include "form.h"
#include "setup_session.h"

class frmSetup : public rt::Form {
public:
    // `first` is selected when the window loads; `carryOn` shows the welcome
    // window in the chosen language.
    frmSetup(setup::SetupSession& session, setup::Language first, rt::Callback<void(setup::Language)> carryOn);

    // Declared in tab order: the windows are made, and visited, in this order.
    rt::CommandButton Command1{*this, {.left = 2490, .top = 1995, .width = 2025, .height = 450, .caption = L"Install"},
                               &frmSetup::Command1_Click};  // continue
    // Escape presses it, as a dialog's cancel button.
    rt::CommandButton Command2{*this, {.left = 150, .top = 1980, .width = 2040, .height = 465, .caption = L"Ende", .cancel = true},
                               &frmSetup::Command2_Click};
    rt::Label Label1{*this, {.left = 240, .top = 240, .width = 4035, .height = 285, .caption = L"Choose a language, please."}};
    rt::Label Label2{*this, {.left = 240, .top = 495, .width = 4035, .height = 285, .caption = L"Wählen Sie bitte ihre Sprache."}};
    rt::ControlArray<rt::OptionButton> Opt{*this, {.left = 330, .top = 885, .width = 3765, .height = 315, .caption = L"English"},
                                           {.Click = &frmSetup::Opt_Click}};

    // English while option 0 is selected, German otherwise.
    setup::Language ChosenLanguage() const;

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void Opt_Click(int Index);
    void Command1_Click();
    void Command2_Click();

    setup::SetupSession& session_;
    setup::Language first_;
    rt::Callback<void(setup::Language)> carryOn_;
};
