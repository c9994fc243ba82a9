#include "frmInstall1.h"

#include <exception>

#include "app.h"
#include "artwork_ids.h"
#include "frmInstall2.h"
#include "frmSetup.h"
#include "install.h"
#include "mdlAlpha.h"

namespace {

constexpr toolkit::SkinLayout kLayout{.pictureLeft = 570, .pictureTop = 795, .closeLeft = 64, .closeTop = 340,
                                      .skinLeft = 2055, .skinTop = 5610};

// A light copy first, then the black text one pixel right and down: the
// letters get a light edge at their upper left.
constexpr toolkit::TextPass kPasses[] = {{RGB(236, 233, 216), 50, 57}, {RGB(0, 0, 0), 51, 58}};

constexpr UINT kFinishDelayMs = 1500;
// The install button on the skin's right key, in pixels inside the picture box.
constexpr float kInstallButtonLeft = 138, kInstallButtonTop = 339;

}  // namespace

frmInstall1::frmInstall1()
    : toolkit::SkinnedForm(kLayout),
      imgNext(*this, ButtonFactory(), {kInstallButtonLeft, kInstallButtonTop, rt::Picture::FromResource(IDR_NEXT_NORMAL), true},
              {.MouseDown = &frmInstall1::imgNext_MouseDown, .MouseMove = &frmInstall1::imgNext_MouseMove,
               .MouseUp = &frmInstall1::imgNext_MouseUp, .Click = &frmInstall1::imgNext_Click}),
      Timer1(*this, kFinishDelayMs, &frmInstall1::Timer1_Timer, false) {
    AddFaces(imgNext, IDR_NEXT_HOVER, IDR_NEXT_PRESSED);
}

void frmInstall1::imgNext_MouseDown(int, int, int, float, float) { toolkit::ShowFace(imgNext, toolkit::FaceOnMouseDown()); }
void frmInstall1::imgNext_MouseMove(int, int Button, int, float, float) {
    toolkit::ShowFace(imgNext, toolkit::FaceOnMouseMove(Button));
}
void frmInstall1::imgNext_MouseUp(int, int, int, float, float) { toolkit::ShowFace(imgNext, toolkit::FaceOnMouseUp()); }

setup::Language frmInstall1::ChosenLanguage() const { return rt::TheForm<frmSetup>().ChosenLanguage(); }

void frmInstall1::Form_Load() {
    // Loaded again after its close button: what the last showing changed goes.
    Timer1.SetEnabled(false);
    ResetButtons();
    DrawTexts(false);
    toolkit::ApplyAlpha(rt::TheForm<frmInstall2>(), toolkit::kPanelAlpha);
}

void frmInstall1::DrawTexts(bool Finished) {
    const auto items = setup::ScreenItems(Finished, ChosenLanguage(), rt::App::Version());
    Compose([&] { PrintTexts(items, kPasses); }, rt::TheForm<frmInstall2>());
}

void frmInstall1::imgNext_Click(int) {
    imgNext(0).SetVisible(false);  // for the rest of this window's life
    // Without the variable there is no Windows directory; InstallInto refuses
    // the empty name, so nothing lands in the drive's root folder.
    const std::wstring windows = rt::Environ(L"WinDir").value_or(L"");
    try {
        setup::InstallInto(windows, setup::JoinPath(rt::App::Path(), setup::kShippedSaverName), ChosenLanguage());
        DrawTexts(true);
        Timer1.SetEnabled(true);
    } catch (const std::exception&) {
        InstallFailed();  // nothing done so far is undone
    }
}

void frmInstall1::InstallFailed() {
    const setup::Message message = setup::InstallFailureMessage(ChosenLanguage());
    rt::MsgBox(hWnd(), message.text, MB_OK | MB_ICONSTOP, message.title);
    rt::End(setup::kFailed);
}

void frmInstall1::Timer1_Timer() {
    std::int32_t page = 1;
    (void)DispDialog(page);
    rt::End(setup::kInstalled);
}

bool frmInstall1::DispDialog(std::int32_t& Page) {
    // The tool is named by its full path: the folder the setup runs from
    // (a download folder, say) must not supply a "rundll32.exe" of its own.
    return rt::Shell(setup::DisplaySettingsCommand(Page), SW_SHOWMINIMIZED,
                     setup::JoinPath(rt::SystemDirectory(), L"rundll32.exe"));
}

void frmInstall1::imgEnde_Click(int) { Unload(); }

// However the window goes (its close button, or closed by the system), the
// panel goes with it and the language window comes back, so the setup is
// never left running with nothing on the screen.
void frmInstall1::Form_Unload(int&) {
    rt::TheForm<frmInstall2>().Unload();
    rt::TheForm<frmSetup>().Show();
}

void frmInstall1::ResetButtons() {
    SkinnedForm::ResetButtons();
    toolkit::ShowFace(imgNext, toolkit::Face::Normal);
}
