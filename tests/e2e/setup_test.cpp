// The setup as a process, run from a folder of its own with what ships
// beside it and a Windows directory of the test's own: the language window
// under the real pointer, the welcome window, the files it leaves or keeps,
// its failure message, its exit codes, a kill in the middle, a planted DLL.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver.h"
#include "sequential_file.h"

namespace e2e {
namespace {

constexpr wchar_t kLanguage[] = L"Language / Sprache";
constexpr POINT kInstallButton{161, 353}, kCloseButton{86, 353};  // on the welcome window
const std::string kEnglish = "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n";
const std::string kGerman = "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n";
const std::string kEarlierSaver(3 << 20, 'o'), kEarlierSettings(500, 's');
const std::string kShipped = ReadFileBytes(ShippedSaverPath()).value_or("");

// One run of the setup with `shipped` beside it as Qor.drl (none: no file).
class SetupRun {
public:
    // WinDir names `windows`, or the folder given; empty: there is none.
    explicit SetupRun(const std::optional<std::string>& shipped = kShipped, std::optional<std::wstring> winDir = {}) {
        ::CreateDirectoryW(windows.c_str(), nullptr);
        Copy(SetupPath(), folder / L"Veltrin-Setup.exe");
        if (shipped) rt::WriteWholeFile(folder / L"Qor.drl", *shipped);
        rt::WriteWholeFile(windows + L"\\Veltrin.scr", kEarlierSaver);
        rt::WriteWholeFile(windows + L"\\scrVeltrin.ini", kEarlierSettings);
        PlacePointer(1010, 750);  // where no window of it appears
        setup.emplace(folder / L"Veltrin-Setup.exe", L"", Environment{{L"WinDir", winDir.value_or(windows)}});
    }
    // These bytes, and no other file: none that a run writes on its way is left behind.
    bool Holds(const std::string& saver, const std::string& settings) const {
        return std::distance(std::filesystem::directory_iterator(windows), {}) == 2 &&
               ReadFileBytes(windows + L"\\Veltrin.scr") == saver && ReadFileBytes(windows + L"\\scrVeltrin.ini") == settings;
    }

    // A button of the language window clicked with the real pointer.
    bool Choose(const wchar_t* caption) const {
        HWND button = nullptr;
        if (!PollUntil([&] { return (button = ::FindWindowExW(setup->Window(kLanguage), nullptr, L"Button", caption)); })) return false;
        const RECT r = WindowRect(button);
        return MoveMouse((r.left + r.right) / 2, (r.top + r.bottom) / 2) && (Click(), true);
    }
    // A point of the welcome window clicked, once it shows.
    bool ClickOnWelcome(POINT p) const {
        const HWND welcome = setup->Window(L"About");
        return welcome && MoveMouse(WindowRect(welcome).left + p.x, WindowRect(welcome).top + p.y) && (Click(), true);
    }
    // The failure message: read, closed with Enter; then the setup ends, failed.
    std::string Fails(const wchar_t* title, const wchar_t* text) const {
        HWND box = nullptr;
        if (!PollUntil([&] { return (box = setup->Find(title, L"#32770")) && ::IsWindowVisible(box); })) return "no message";
        if (!::FindWindowExW(box, nullptr, L"Static", text)) return "another text";
        if (!setup->Stays() || !Front(box)) return "ended before the message was closed";
        Key(VK_RETURN);
        return setup->Ends() && setup->ExitCode() == 1 ? "" : "no end with exit code 1";
    }

    Folder folder;
    const std::wstring windows = folder / L"windows";
    std::optional<Process> setup;
};

// Enter first, which presses the button that has the focus at the start and
// shows the English welcome over its panel; the close button goes back; then
// German, whose welcome is cut to other texts, which is installed over the
// earlier files, and the setup ends after its completion screen.
TEST(Setup, InstallsInTheLanguageChosenLastAndEndsAfterTheCompletionScreen) {
    SetupRun run;
    ASSERT_TRUE(Front(run.setup->Window(kLanguage)));
    Key(VK_RETURN);
    const HWND english = run.setup->Window(L"About");
    ASSERT_NE(english, nullptr);
    EXPECT_NE(run.setup->Window(L"Form1"), nullptr) << "no panel";
    const rt::UniqueRegion englishOutline = Region(english);
    ASSERT_TRUE(run.ClickOnWelcome(kCloseButton));
    EXPECT_TRUE(PollUntil([&] { return !run.setup->Find(L"About") && !run.setup->Find(L"Form1"); }));
    ASSERT_TRUE(run.Choose(L"Deutsch") && run.Choose(L"&Weiter"));
    const HWND welcome = run.setup->Window(L"About");
    ASSERT_NE(welcome, nullptr);
    const rt::UniqueRegion welcomeOutline = Region(welcome);
    EXPECT_TRUE(englishOutline && welcomeOutline && !::EqualRgn(englishOutline.get(), welcomeOutline.get()))
        << "the same texts in either language";
    EXPECT_TRUE(PollUntil([&] { const HWND l = run.setup->Find(kLanguage);
        return l && !::IsWindowVisible(l);
    })) << "hidden, not unloaded";
    const RECT w = WindowRect(welcome);
    ASSERT_TRUE(MoveMouse(w.left + kInstallButton.x, w.top + kInstallButton.y));
    EXPECT_TRUE(PollUntil([&] { return Shows(Shot::Take(), {w.left + 138, w.top + 339}, Artwork("next_hover", 46, 28), 46); }));
    Click();
    EXPECT_TRUE(PollUntil([&] {
        const rt::UniqueRegion now = Region(welcome);
        return run.setup->Running() && now && welcomeOutline && !::EqualRgn(now.get(), welcomeOutline.get());
    })) << "no completion screen";
    // Its texts, read while it stays, stand in front of the pale panel: black, not washed out.
    ASSERT_TRUE(run.setup->Stays());
    const Shot done = Shot::Take();
    EXPECT_GT(std::count(done.pixels.begin(), done.pixels.end(), 0u), 1000) << "the panel lies over the completion texts";
    EXPECT_TRUE(run.setup->Ends(Deadline() + 1500));
    EXPECT_EQ(run.setup->ExitCode(), 0u);
    EXPECT_TRUE(run.Holds(kShipped, kGerman));
}

TEST(Setup, EveryWayOutOfTheLanguageWindowEndsItCancelledWithNothingWritten) {
    const std::pair<const char*, void (*)(const SetupRun&, HWND)> ways[] = {
        {"CancelButton", [](const SetupRun& run, HWND) { EXPECT_TRUE(run.Choose(L"&Cancel")); }},
        {"Escape", [](const SetupRun&, HWND language) { Front(language), Key(VK_ESCAPE); }},
        {"ClosedBySystem", [](const SetupRun&, HWND language) { ::PostMessageW(language, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        SetupRun run;
        const HWND language = run.setup->Window(kLanguage);
        ASSERT_NE(language, nullptr);
        leave(run, language);
        EXPECT_TRUE(run.setup->Ends());
        EXPECT_EQ(run.setup->ExitCode(), 2u);
        EXPECT_TRUE(run.Holds(kEarlierSaver, kEarlierSettings));
    }
}

// Each failure shows the message in the chosen language, ends with exit code
// 1, and leaves both earlier files exactly as they were.
TEST(Setup, FailsWithItsMessageAndChangesNothing) {
    const std::string otherProgram = ReadFileBytes(SaverPath()).value_or("");  // a program, but not for i386
    const std::wstring relative = L"veltrin-relative-windir";
    const struct {
        const char* name;
        std::optional<std::string> shipped;
        std::optional<std::wstring> winDir;
        bool settingsInTheWay;
    } cases[] = {
        {"NoSaverBeside", std::nullopt, {}, false},
        {"EmptyDownload", "", {}, false},
        {"NotAProgram", "MZ, then nothing a program has", {}, false},
        {"NotA32BitProgram", otherProgram, {}, false},
        {"SettingsFileCannotBeReplaced", kShipped, {}, true},
        {"RelativeWinDir", kShipped, relative, false},
        {"NoWinDir", kShipped, L"", false},
    };
    ::CreateDirectoryW(relative.c_str(), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetupRun run(c.shipped, c.winDir);
        // Held open with no sharing, as a program that has it open would: it
        // cannot be replaced (under Wine, run as root, a read-only file could).
        rt::UniqueFile lock(c.settingsInTheWay ? ::CreateFileW((run.windows + L"\\scrVeltrin.ini").c_str(), GENERIC_READ, 0,
                                                               nullptr, OPEN_EXISTING, 0, nullptr)
                                               : INVALID_HANDLE_VALUE);
        const bool german = c.shipped == std::nullopt;
        ASSERT_TRUE(german ? run.Choose(L"Deutsch") && run.Choose(L"&Weiter") : run.Choose(L"&Next"));
        ASSERT_TRUE(run.ClickOnWelcome(kInstallButton));
        EXPECT_EQ(german ? run.Fails(L"Setup-Fehler", L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet.")
                         : run.Fails(L"Setup-Error", L"The screen saver could not be installed. Setup will end."),
                  "");
        lock.reset();
        EXPECT_TRUE(run.Holds(kEarlierSaver, kEarlierSettings));
    }
    EXPECT_TRUE(::RemoveDirectoryW(relative.c_str())) << "something was installed below the current folder";
}

// Killed at any moment of the installation, each file holds its earlier or
// its new bytes, and what a killed run leaves is never taken for the real thing.
TEST(Setup, KilledWhileInstallingLeavesEachFileWholeOldOrNew) {
    Folder windows;
    rt::WriteWholeFile(windows / L"Veltrin.scr", kEarlierSaver);
    rt::WriteWholeFile(windows / L"scrVeltrin.ini", kEarlierSettings);
    for (int moment = 0; moment < 20; ++moment) {
        SCOPED_TRACE(moment);
        SetupRun run(kShipped, windows.Path());
        ASSERT_TRUE(run.Choose(L"&Next"));
        ASSERT_TRUE(run.ClickOnWelcome(kInstallButton));
        ::Sleep(moment * 2);  // the moment of the kill, not a wait for a window
        run.setup->Kill();
        const auto saver = ReadFileBytes(windows / L"Veltrin.scr"), settings = ReadFileBytes(windows / L"scrVeltrin.ini");
        EXPECT_TRUE(saver == kEarlierSaver || saver == kShipped);
        EXPECT_TRUE(settings == kEarlierSettings || settings == kEnglish);
    }
    SetupRun last(kShipped, windows.Path());
    ASSERT_TRUE(last.Choose(L"&Next"));
    ASSERT_TRUE(last.ClickOnWelcome(kInstallButton));
    EXPECT_TRUE(last.setup->Ends(Deadline() + 1500));
    EXPECT_EQ(ReadFileBytes(windows / L"Veltrin.scr"), kShipped);
    EXPECT_EQ(ReadFileBytes(windows / L"scrVeltrin.ini"), kEnglish);
}

// Started from a download folder that holds a planted DLL, with Wine told to
// prefer a DLL beside the program as Windows does, it never loads it. The DLL
// is one the system loads by name once a window is made, after the setup has
// started; Wine's own user32 loads version.dll before any program code runs,
// so that one the imports test covers instead.
TEST(Setup, LoadsNoDllPlantedBesideIt) {
    const std::wstring key = L"Software\\Wine\\AppDefaults\\Veltrin-Setup.exe", overrides = key + L"\\DllOverrides";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, overrides.c_str(), L"uxtheme", REG_SZ, L"native,builtin", 30), ERROR_SUCCESS);
    Folder folder;
    ASSERT_TRUE(Copy(SetupPath(), folder / L"Veltrin-Setup.exe") && Copy(WinePath(VELTRIN_PLANTED_DLL), folder / L"uxtheme.dll"));
    Process setup(folder / L"Veltrin-Setup.exe", L"", {{L"WinDir", folder.Path()}});
    EXPECT_NE(setup.Window(kLanguage), nullptr);
    EXPECT_FALSE(ReadFileBytes(folder / L"planted.marker")) << "the planted DLL was loaded";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace
}  // namespace e2e
