#include "frmSetup.h"

#include "app.h"
#include "frmInstall1.h"
#include "frmInstall2.h"

namespace {

rt::FormDesign Design() {
    rt::FormDesign d;
    d.caption = L"Language / Sprache";
    d.bordered = true;  // a tool window's small title bar: no task-bar button, no minimise or maximise
    d.centered = true;
    d.clientWidth = 4680;
    d.clientHeight = 2550;
    return d;
}

rt::ControlDesign Control(float left, float top, float width, float height, const wchar_t* caption) {
    rt::ControlDesign d;
    d.left = left;
    d.top = top;
    d.width = width;
    d.height = height;
    d.caption = caption;
    return d;
}

rt::ControlDesign CancelButton() {
    rt::ControlDesign d = Control(150, 1980, 2040, 465, L"Ende");
    d.cancel = true;
    return d;
}

}  // namespace

frmSetup::frmSetup()
    : rt::Form(Design()),
      Command1(*this, Control(2490, 1995, 2025, 450, L"Install")),
      Command2(*this, CancelButton()),
      Label1(*this, Control(240, 240, 4035, 285, L"Choose a language, please.")),
      Label2(*this, Control(240, 495, 4035, 285, L"Wählen Sie bitte ihre Sprache.")),
      Opt([this](int, const rt::ControlDesign& d) { return std::make_unique<rt::OptionButton>(*this, d); },
          Control(330, 885, 3765, 315, L"English")) {
    Opt.Add(1, Control(330, 1245, 3765, 315, L"Deutsch"));
    Opt.Click = [this](int index) { Opt_Click(index); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
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
