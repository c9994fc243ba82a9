#include "frmSetup.h"

#include "setup_texts.h"

frmSetup::frmSetup(setup::SetupSession& session, setup::Language first, rt::Callback<void(setup::Language)> carryOn)
    // A tool window's small title bar: no task-bar button, no minimise or maximise.
    : rt::Form({.caption = L"Language / Sprache", .bordered = true, .centered = true, .clientHeight = 2550}),
      session_(session), first_(first), carryOn_(std::move(carryOn)) {
    Opt.Add(1, {.left = 330, .top = 1245, .width = 3765, .height = 315, .caption = L"Deutsch"});
}

setup::Language frmSetup::ChosenLanguage() const { return setup::LanguageOfOption(Opt(0).Value()); }

void frmSetup::Form_Load() { Opt(first_ == setup::Language::English ? 0 : 1).SetValue(true); }

void frmSetup::Opt_Click(int Index) {
    const setup::ButtonCaptions captions = setup::CaptionsFor(setup::LanguageOfOption(Index == 0));
    Command1.SetCaption(captions.next);
    Command2.SetCaption(captions.cancel);
}

void frmSetup::Command1_Click() {
    carryOn_(ChosenLanguage());
    Hide();
}

void frmSetup::Command2_Click() { session_.End(session_.LeaveCode()); }

// Closed by its title bar: no other window is loaded while it shows, so the
// setup ends.
void frmSetup::Form_Unload(int&) { session_.End(session_.LeaveCode()); }
