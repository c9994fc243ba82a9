#include "frmAbout1.h"

#include "app.h"
#include "frmAbout2.h"
#include "mdlAlpha.h"
#include "screen_texts.h"
#include "settings_file.h"

namespace {

constexpr toolkit::SkinLayout kLayout{.pictureLeft = 435, .pictureTop = 945, .closeLeft = 63, .closeTop = 340,
                                      .skinLeft = 4455, .skinTop = 1605};

// Blue first, then black one pixel right and down: letters with a blue edge.
constexpr toolkit::TextPass kPasses[] = {{RGB(35, 103, 194), 55, 57}, {RGB(0, 0, 0), 56, 58}};

}  // namespace

frmAbout1::frmAbout1(frmAbout2& panel) : toolkit::SkinnedForm(kLayout, panel) {}

// The panel's follow step: this window carries the panel's timer.
void frmAbout1::tmrStatic_Timer() { Panel().tmrStatic_Timer(); }

void frmAbout1::Form_Load() {
    const toolkit::SettingsTexts texts = toolkit::ReadSettingsFile(toolkit::SettingsFilePath(rt::App::Path()));
    TitleText = texts.TitleText;
    NoteText = texts.NoteText;
    DrawTexts();
    toolkit::ApplyAlpha(Panel(), toolkit::kPanelAlpha);
}

void frmAbout1::DrawTexts() {
    Compose(toolkit::AboutItems(TitleText, NoteText, rt::App::Version()), kPasses);
}

void frmAbout1::imgEnde_Click() { rt::End(); }

// Closed by the system (Alt+F4, the task list): end the saver too, or its
// hidden effect window would keep running with nothing left to end it.
void frmAbout1::Form_Unload(int&) { rt::End(); }
