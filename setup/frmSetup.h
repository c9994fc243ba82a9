#pragma once
// The setup's start-up window: the user picks English or German. It is only
// hidden while the welcome window shows, never unloaded: its option buttons
// are the one record of the chosen language.
#include "control_array.h"
#include "controls.h"
#include "form.h"
#include "setup_rules.h"

class frmSetup : public rt::Form {
public:
    frmSetup();

    // Declared in tab order: the windows are made, and visited, in this order.
    rt::CommandButton Command1;  // continue
    rt::CommandButton Command2;  // cancel
    rt::Label Label1;
    rt::Label Label2;
    rt::ControlArray<rt::OptionButton> Opt;

    // English while option 0 is selected, German otherwise.
    setup::Language ChosenLanguage() const;

    void Form_Load() override;
    void Opt_Click(int Index);
    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Unload(int& Cancel) override;
};
