// The setup as a process, run from a folder of its own with the saver beside
// it and a Windows directory of the test's own: the language window under the
// real pointer, the welcome window with its panel, the install button, the
// files it leaves, the failure message, and every way the setup ends.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver.h"
#include "sequential_file.h"

namespace e2e {
namespace {

constexpr wchar_t kLanguageCaption[] = L"Language / Sprache";
constexpr wchar_t kWelcomeCaption[] = L"About";
constexpr wchar_t kPanelCaption[] = L"Form1";
constexpr RECT kOutlineBox{1, 1, 245, 385};
constexpr RECT kInstallButton{138, 339, 184, 367};  // 46 x 28, on the skin's right key
constexpr RECT kCloseButton{64, 340, 108, 366};     // 44 x 26, on the left key
constexpr BYTE kPanelAlpha = 180;
// The installation's end and the 1500 ms that the completion screen stays.
constexpr DWORD kInstallDeadlineMs = kEndDeadlineMs + 1500;
constexpr POINT kPointerAway{1010, 750};

// Whole files: the largest here is the saver, about a megabyte.
constexpr std::size_t kMostBytes = 64u << 20;
std::optional<std::string> ReadFileBytes(const std::wstring& path) { return rt::ReadWholeFile(path, kMostBytes); }

const std::string kEnglishSettings = "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n";
const std::string kGermanSettings = "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n";

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// Clicks with the real pointer at a screen point.
bool ClickAt(POINT p) {
    if (!MoveMouse(p.x, p.y)) return false;
    Click(Button::Left);
    return true;
}

// The region a window is cut to, as its bytes; empty when it has none.
std::string RegionBytes(HWND window) {
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    std::string bytes;
    if (::GetWindowRgn(window, region) != ERROR) {
        bytes.resize(::GetRegionData(region, 0, nullptr));
        ::GetRegionData(region, static_cast<DWORD>(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
    }
    ::DeleteObject(region);
    return bytes;
}

RECT RegionBox(HWND window) {
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (::GetWindowRgn(window, region) != ERROR) ::GetRgnBox(region, &box);
    ::DeleteObject(region);
    return box;
}

// One run of the setup; the pointer is moved out of the way first, so that
// no window appears under it.
class SetupRun {
public:
    explicit SetupRun(bool withSaver = true, std::optional<EnvironmentChanges> environment = std::nullopt)
        : copy(withSaver) {
        PlacePointer(kPointerAway.x, kPointerAway.y);
        if (copy.Ready()) process.emplace(copy.Program(), L"", environment.value_or(copy.Environment()));
    }
    ~SetupRun() {
        if (process) process->Terminate();
    }

    HWND Language() const { return process->WaitForVisibleWindow(kLanguageCaption); }
    HWND Welcome() const { return process->WaitForVisibleWindow(kWelcomeCaption); }
    // A push or option button of the language window by its caption.
    HWND Control(const wchar_t* caption) const { return ::FindWindowExW(Language(), nullptr, L"Button", caption); }
    bool ClickControl(const wchar_t* caption) const {
        const HWND control = Control(caption);
        return control && ClickAt(Centre(WindowRect(control)));
    }
    // A point of the welcome window's skin, on the screen.
    POINT OnWelcome(POINT p) const {
        const RECT r = WindowRect(Welcome());
        return {r.left + p.x, r.top + p.y};
    }
    std::optional<std::string> Installed(const wchar_t* name) const {
        return ReadFileBytes(copy.Windows() + L"\\" + name);
    }

    SetupCopy copy;
    std::optional<ProgramProcess> process;
};

TEST(Setup, InstallsInEnglishWhereWinDirPointsAndEndsAfterTheCompletionScreen) {
    SetupRun run;
    ASSERT_TRUE(run.copy.Ready());
    const HWND language = run.Language();
    ASSERT_NE(language, nullptr) << "no language window";
    ASSERT_NE(run.Control(L"&Next"), nullptr) << "English is chosen at the start";
    ASSERT_TRUE(run.ClickControl(L"&Next"));

    const HWND welcome = run.Welcome();
    ASSERT_NE(welcome, nullptr) << "no welcome window";
    EXPECT_TRUE(PollUntil([&] { return !::IsWindowVisible(language); }, kStartDeadlineMs)) << "the language window stays";
    EXPECT_TRUE(::IsWindow(language)) << "hidden, not unloaded";
    const RECT w = WindowRect(welcome);
    EXPECT_EQ(w.right - w.left, 449);
    EXPECT_EQ(w.bottom - w.top, 488);
    EXPECT_NEAR(w.left, (kScreenWidth - 247) / 2.0, 1) << "the skin is centred";
    const RECT box = RegionBox(welcome);
    EXPECT_TRUE(EqualRect(&box, &kOutlineBox)) << Describe(welcome);
    const HWND panel = run.process->FindWindowByCaption(kPanelCaption);
    ASSERT_NE(panel, nullptr);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(panel, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, kPanelAlpha);
    EXPECT_EQ(WindowRect(panel).left, w.left + 47);
    EXPECT_EQ(WindowRect(panel).top, w.top + 45);

    // The install button sits on the right key: normal, hover under the pointer.
    const Artwork normal("next_normal", 46, 28), hover("next_hover", 46, 28);
    ASSERT_TRUE(normal.Valid() && hover.Valid());
    const POINT face = run.OnWelcome({kInstallButton.left, kInstallButton.top});
    EXPECT_TRUE(PollUntil([&] { return Mismatches(Screenshot::Take(), face, normal) == 0; }, kStartDeadlineMs));
    const POINT install = run.OnWelcome(Centre(kInstallButton));
    ASSERT_TRUE(MoveMouse(install.x, install.y));
    EXPECT_TRUE(PollUntil([&] { return Mismatches(Screenshot::Take(), face, hover) == 0; }, kStartDeadlineMs))
        << "no hover face under the pointer";

    const std::string welcomeOutline = RegionBytes(welcome);
    Click(Button::Left);
    // The completion texts change the outline; the setup is still there to show them.
    EXPECT_TRUE(PollUntil([&] { return run.process->Running() && RegionBytes(welcome) != welcomeOutline; },
                          kEndDeadlineMs))
        << "no completion screen";
    EXPECT_TRUE(run.process->WaitForExit(kInstallDeadlineMs)) << "the setup did not end";
    EXPECT_EQ(run.process->ExitCode(), 0u);
    EXPECT_EQ(run.Installed(L"Veltrin.scr"), ReadFileBytes(SaverPath())) << "not a copy of Qor.drl";
    EXPECT_EQ(run.Installed(L"scrVeltrin.ini"), kEnglishSettings);
}

TEST(Setup, InstallsInGermanReplacingEarlierFiles) {
    SetupRun run;
    ASSERT_TRUE(run.copy.Ready());
    ASSERT_TRUE(rt::WriteWholeFile(run.copy.Windows() + L"\\Veltrin.scr", std::string(3 << 20, 'o')));
    ASSERT_TRUE(rt::WriteWholeFile(run.copy.Windows() + L"\\scrVeltrin.ini", std::string(500, 'o')));
    ASSERT_NE(run.Language(), nullptr);
    ASSERT_TRUE(run.ClickControl(L"Deutsch"));
    ASSERT_TRUE(PollUntil([&] { return run.Control(L"&Weiter") && run.Control(L"&Abbrechen"); }, kStartDeadlineMs))
        << "the buttons did not switch to German";
    ASSERT_TRUE(run.ClickControl(L"&Weiter"));
    ASSERT_NE(run.Welcome(), nullptr);
    ASSERT_TRUE(ClickAt(run.OnWelcome(Centre(kInstallButton))));
    EXPECT_TRUE(run.process->WaitForExit(kInstallDeadlineMs));
    EXPECT_EQ(run.Installed(L"Veltrin.scr"), ReadFileBytes(SaverPath()));
    EXPECT_EQ(run.Installed(L"scrVeltrin.ini"), kGermanSettings);
}

TEST(Setup, TheCloseButtonReturnsToTheLanguageWindowAndAFreshWelcomeFollows) {
    SetupRun run;
    ASSERT_TRUE(run.copy.Ready());
    ASSERT_NE(run.Language(), nullptr);
    ASSERT_TRUE(run.ClickControl(L"&Next"));
    const HWND first = run.Welcome();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(ClickAt(run.OnWelcome(Centre(kCloseButton))));
    ASSERT_NE(run.Language(), nullptr) << "the language window did not come back";
    EXPECT_TRUE(PollUntil([&] { return !::IsWindow(first); }, kEndDeadlineMs)) << "the welcome window stays";
    EXPECT_EQ(run.process->FindWindowByCaption(kPanelCaption), nullptr) << "the panel stays";
    EXPECT_TRUE(run.process->StillRunningAfter(kStaysRunningMs));

    ASSERT_TRUE(run.ClickControl(L"Deutsch"));
    ASSERT_TRUE(PollUntil([&] { return run.Control(L"&Weiter") != nullptr; }, kStartDeadlineMs));
    ASSERT_TRUE(run.ClickControl(L"&Weiter"));
    ASSERT_NE(run.Welcome(), nullptr);
    ASSERT_TRUE(ClickAt(run.OnWelcome(Centre(kInstallButton))));
    EXPECT_TRUE(run.process->WaitForExit(kInstallDeadlineMs));
    EXPECT_EQ(run.Installed(L"scrVeltrin.ini"), kGermanSettings) << "the new welcome window asked again";
}

// Each way out before installing ends the setup and leaves the Windows directory alone.
enum class Leave { CancelButton, EscapeKey, TitleBarClose };
void PrintTo(Leave how, std::ostream* os) {
    *os << (how == Leave::CancelButton ? "CancelButton" : how == Leave::EscapeKey ? "EscapeKey" : "TitleBarClose");
}

class Leaving : public ::testing::TestWithParam<Leave> {};

TEST_P(Leaving, EndsTheSetupAndTouchesNoFile) {
    SetupRun run;
    ASSERT_TRUE(run.copy.Ready());
    const HWND language = run.Language();
    ASSERT_NE(language, nullptr);
    switch (GetParam()) {
        case Leave::CancelButton: ASSERT_TRUE(run.ClickControl(L"&Cancel")); break;
        case Leave::EscapeKey:
            ASSERT_TRUE(BringToFront(language));
            PressKey(VK_ESCAPE);
            break;
        case Leave::TitleBarClose: ::PostMessageW(language, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    EXPECT_TRUE(run.process->WaitForExit(kEndDeadlineMs));
    EXPECT_EQ(run.process->ExitCode(), 0u);
    EXPECT_EQ(run.Installed(L"Veltrin.scr"), std::nullopt);
    EXPECT_EQ(run.Installed(L"scrVeltrin.ini"), std::nullopt);
}
INSTANTIATE_TEST_SUITE_P(Setup, Leaving, ::testing::Values(Leave::CancelButton, Leave::EscapeKey, Leave::TitleBarClose));

// The failure message: found, read, closed with Enter; then the setup ends.
std::string FailsWithMessage(const SetupRun& run, const wchar_t* title, const wchar_t* text) {
    HWND box = nullptr;
    if (!PollUntil([&] { return (box = run.process->FindWindowByCaption(title, L"#32770")) && ::IsWindowVisible(box); },
                   kStartDeadlineMs)) {
        return "no message box titled as expected";
    }
    if (!::FindWindowExW(box, nullptr, L"Static", text)) return "the message does not read as expected";
    if (!run.process->StillRunningAfter(kStaysRunningMs)) return "ended before the message was closed";
    if (!BringToFront(box)) return "the message box cannot be brought to the front";
    PressKey(VK_RETURN);
    if (!run.process->WaitForExit(kEndDeadlineMs)) return "still running after the message was closed";
    return {};
}

TEST(Setup, WithoutTheSaverBesideItTheMessageInTheChosenLanguageEndsItAndNothingIsWritten) {
    SetupRun run(false);
    ASSERT_TRUE(run.copy.Ready());
    ASSERT_NE(run.Language(), nullptr);
    ASSERT_TRUE(run.ClickControl(L"Deutsch"));
    ASSERT_TRUE(PollUntil([&] { return run.Control(L"&Weiter") != nullptr; }, kStartDeadlineMs));
    ASSERT_TRUE(run.ClickControl(L"&Weiter"));
    ASSERT_NE(run.Welcome(), nullptr);
    ASSERT_TRUE(ClickAt(run.OnWelcome(Centre(kInstallButton))));
    EXPECT_EQ(FailsWithMessage(run, L"Setup-Fehler",
                               L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet."),
              "");
    EXPECT_EQ(run.Installed(L"scrVeltrin.ini"), std::nullopt);
    EXPECT_EQ(run.Installed(L"Veltrin.scr"), std::nullopt);
}

TEST(Setup, WithoutWinDirTheMessageEndsItAndNothingIsWritten) {
    const std::wstring root = L"Z:\\Veltrin.scr";  // where "" + "\Veltrin.scr" would land
    ASSERT_EQ(ReadFileBytes(root), std::nullopt);
    SetupRun run(true, EnvironmentChanges{{L"WinDir", std::nullopt}, {L"windir", std::nullopt}});
    ASSERT_TRUE(run.copy.Ready());
    ASSERT_NE(run.Language(), nullptr);
    ASSERT_TRUE(run.ClickControl(L"&Next"));
    ASSERT_NE(run.Welcome(), nullptr);
    ASSERT_TRUE(ClickAt(run.OnWelcome(Centre(kInstallButton))));
    EXPECT_EQ(FailsWithMessage(run, L"Setup-Error", L"The screen saver could not be installed. Setup will end."), "");
    EXPECT_EQ(ReadFileBytes(root), std::nullopt);
}

}  // namespace
}  // namespace e2e
