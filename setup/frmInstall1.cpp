#include "frmInstall1.h"

#include <exception>

#include "app.h"
#include "artwork_ids.h"
#include "mdlAlpha.h"
#include "panel_form.h"
#include "paths.h"

namespace {

constexpr toolkit::SkinLayout kLayout{.pictureLeft = 570, .pictureTop = 795, .closeLeft = 63, .closeTop = 340,
                                      .skinLeft = 2055, .skinTop = 5610, .keyPreview = true};

// A light copy first, then the black text one pixel right and down: the
// letters get a light edge at their upper left.
constexpr toolkit::TextPass kPasses[] = {{RGB(236, 233, 216), 50, 57}, {RGB(0, 0, 0), 51, 58}};

constexpr UINT kFinishDelayMs = 1500;
// The install button on the skin's right key, in pixels inside the picture box.
constexpr float kInstallButtonLeft = 138, kInstallButtonTop = 339;

}  // namespace

frmInstall1::frmInstall1(setup::SetupSession& session, toolkit::PanelForm& panel, rt::Callback<void()> closed)
    : toolkit::SkinnedForm(kLayout, panel),
      imgNext(picHintergrund, kInstallButtonLeft, kInstallButtonTop, IDR_NEXT_NORMAL, IDR_NEXT_HOVER, IDR_NEXT_PRESSED,
              [this] { imgNext_Click(); }),
      Timer1(*this, kFinishDelayMs, &frmInstall1::Timer1_Timer, false),
      session_(session),
      closed_(std::move(closed)) {}

void frmInstall1::ShowIn(setup::Language language) {
    language_ = language;
    Show();
    Panel().Show();
    imgNext.SetVisible(true);
}

void frmInstall1::Form_Load() {
    // Loaded again after its close button: what the last showing changed goes.
    Timer1.SetEnabled(false);
    ResetButtons();
    DrawTexts(false);
    toolkit::ApplyAlpha(Panel(), toolkit::kPanelAlpha);
}

void frmInstall1::DrawTexts(bool Finished) {
    Compose(setup::ScreenItems(Finished, language_, rt::App::Version()), kPasses);
}

// Enter and Escape work as a dialog's default and cancel buttons: install,
// and back. During the pause after the install, keys do nothing.
void frmInstall1::Form_KeyDown(int KeyCode, int) {
    if (Timer1.Enabled()) return;
    if (KeyCode == VK_RETURN && imgNext.Visible()) {
        imgNext_Click();
    } else if (KeyCode == VK_ESCAPE) {
        imgEnde_Click();
    }
}

void frmInstall1::imgNext_Click() {
    imgNext.SetVisible(false);  // for the rest of this window's life
    if (!session_.Install(language_)) {
        session_.Tell(setup::Say::InstallFailed, language_, hWnd());
        session_.End(setup::kFailed);
    }
    // Installed: whatever the screen does now, the setup has succeeded.
    try {
        DrawTexts(true);
    } catch (const rt::Failure& failure) {
        session_.log.Failed(failure);
    } catch (const std::exception&) {  // out of memory: the log could say no more
    }
    Timer1.SetEnabled(true);
}

void frmInstall1::Timer1_Timer() {
    std::int32_t page = 1;
    (void)DispDialog(page);
    session_.End(setup::kDone);
}

bool frmInstall1::DispDialog(std::int32_t& Page) {
    // The tool is named by its full path: the folder the setup runs from
    // (a download folder, say) must not supply a "rundll32.exe" of its own.
    return rt::Shell(setup::DisplaySettingsCommand(Page), SW_SHOWMINIMIZED,
                     setup::JoinPath(rt::SystemDirectory(), L"rundll32.exe"));
}

void frmInstall1::imgEnde_Click() { Unload(); }

// However the window goes (its close button, Escape, or closed by the
// system), the panel goes with it and the language window comes back, so the
// setup is never left running with nothing on the screen.
void frmInstall1::Form_Unload(int&) {
    Panel().Unload();
    closed_();
}

void frmInstall1::ResetButtons() {
    SkinnedForm::ResetButtons();
    imgNext.ShowFace(toolkit::Face::Normal);
}
