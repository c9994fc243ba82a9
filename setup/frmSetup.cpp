#include "frmSetup.h"

#include "app.h"
#include "frmInstall1.h"
#include "frmInstall2.h"

frmSetup::frmSetup()
    // A tool window's small title bar: no task-bar button, no minimise or maximise.
    : rt::Form({.caption = L"Language / Sprache", .bordered = true, .centered = true, .clientHeight = 2550}) {
    Opt.Add(1, {.left = 330, .top = 1245, .width = 3765, .height = 315, .caption = L"Deutsch"});
}

setup::Language frmSetup::ChosenLanguage() const { return setup::LanguageOfOption(Opt(0).Value()); }

void frmSetup::Form_Load() { Opt(0).SetValue(true); }

void frmSetup::Opt_Click(int Index) {
    const setup::ButtonCaptions captions = setup::CaptionsFor(setup::LanguageOfOption(Index == 0));
    Command1.SetCaption(captions.next);
    Command2.SetCaption(captions.cancel);
}

void frmSetup::Command1_Click() {
    frmInstall1& welcome = rt::TheForm<frmInstall1>();
    welcome.Show();
    rt::TheForm<frmInstall2>().Show();
    Hide();
    welcome.imgNext(0).SetVisible(true);
}

void frmSetup::Command2_Click() { rt::End(setup::kCancelled); }

// Closed by its title bar: no other window is loaded while it shows, so the
// setup ends, cancelled.
void frmSetup::Form_Unload(int&) { rt::End(setup::kCancelled); }
