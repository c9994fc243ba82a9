// The setup as a process, run from a folder of its own with what ships
// beside it and a Windows directory of the test's own: the language and
// welcome windows under real input, its messages, the files it leaves or
// keeps, its entry in the list of installed programs, its exit codes, its
// command line, its removal, a kill in the middle, a planted DLL.
#include <gtest/gtest.h>

#include <random>

#include <windows.h>
#include <sddl.h>

#include "driver.h"
#include "sequential_file.h"
#include "setup_rules.h"
#include "setup_texts.h"

namespace e2e {
namespace {

constexpr wchar_t kLanguage[] = L"Language / Sprache";
constexpr POINT kInstallButton{161, 353};  // on the welcome window
constexpr wchar_t kEntry[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrin";
constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
const std::string kEnglish = "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n";
const std::string kGerman = "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n";
const std::string kEarlierSaver(3 << 20, 'o'), kEarlierSettings(500, 's');
const std::string kShipped = ReadFileBytes(ShippedSaverPath()).value_or("");
const std::string kSetup = ReadFileBytes(SetupPath()).value_or("");

const Files kEarlier = {{L"Veltrin.scr", kEarlierSaver}, {L"scrVeltrin.ini", kEarlierSettings}};
Files Installed(const std::string& settings) {
    return {{L"Veltrin.scr", kShipped}, {L"scrVeltrin.ini", settings}, {L"Veltrin-Uninstall.exe", kSetup}};
}

// The shipped 32-bit setup writes the machine's registry as 32-bit programs see it.
const REGSAM kView = _wgetenv(L"VELTRIN_E2E_SETUP") ? KEY_WOW64_32KEY : 0;

std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* key, const wchar_t* name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE | kView, &opened) != ERROR_SUCCESS) return std::nullopt;
    const rt::UniqueRegKey owner(opened);
    wchar_t text[512];
    DWORD size = sizeof text;
    if (::RegGetValueW(opened, nullptr, name, RRF_RT_REG_SZ | RRF_RT_REG_MULTI_SZ, nullptr, text, &size)) return std::nullopt;
    return std::wstring(text);  // the first of several
}
bool HasEntry() { return RegistryText(HKEY_LOCAL_MACHINE, kEntry, L"DisplayName").has_value(); }
bool IsFile(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The machine as a test found it: no entry, no chosen saver, no removal pending.
struct CleanMachine {
    CleanMachine() { Clean(); }
    ~CleanMachine() { Clean(); }
    static void Clean() {
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kEntry, kView, 0);
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"SCRNSAVE.EXE");
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", L"PendingFileRenameOperations");
    }
};

// One run of the setup with `shipped` beside it as Qor.drl (none: no file),
// over the earlier files.
class SetupRun : public CleanMachine {
public:
    // WinDir names `windows`, or the folder given; empty: there is none.
    // "{folder}" in `tail` names the folder the setup runs from.
    explicit SetupRun(std::wstring tail = L"", const std::optional<std::string>& shipped = kShipped,
                      std::optional<std::wstring> winDir = {}) {
        if (const auto at = tail.find(L"{folder}"); at != std::wstring::npos) tail.replace(at, 8, folder.Path());
        ::CreateDirectoryW(windows.c_str(), nullptr);
        Copy(SetupPath(), folder / L"Veltrin-Setup.exe");
        if (shipped) WriteFileBytes(folder / L"Qor.drl", *shipped);
        for (const auto& [name, bytes] : kEarlier) WriteFileBytes(windows + L"\\" + name, bytes);
        // Where no window of it appears; a quiet run shows none, and may share the screen.
        if (tail.find(L"/quiet") == std::wstring::npos) PlacePointer(1010, 750);
        Start(folder / L"Veltrin-Setup.exe", tail, winDir.value_or(windows));
    }
    void Start(const std::wstring& program, const std::wstring& tail, const std::wstring& winDir) {
        setup.emplace(program, tail, Environment{{L"WinDir", winDir}});
    }
    std::string Holds() const { return Listing(FilesIn(windows)); }
    // Ends, unseen, with `code`.
    bool EndsQuietly(DWORD code) const { return setup->EndsUnseen() && setup->ExitCode() == code; }

    // A button of the language window clicked with the real pointer.
    bool Choose(const wchar_t* caption) const {
        HWND button = nullptr;
        if (!PollUntil([&] { return (button = ::FindWindowExW(setup->Window(kLanguage), nullptr, L"Button", caption)); })) return false;
        const RECT r = WindowRect(button);
        return MoveMouse((r.left + r.right) / 2, (r.top + r.bottom) / 2) && (Click(), true);
    }
    // A message box: read, and answered with `key` (Enter: its default button).
    std::string Answers(const wchar_t* title, const wchar_t* text, WORD key = VK_RETURN) const {
        HWND box = nullptr;
        if (!PollUntil([&] { return (box = setup->Find(title, L"#32770")) && ::IsWindowVisible(box); })) return "no message";
        if (!::FindWindowExW(box, nullptr, L"Static", text)) return "another text";
        if (!setup->Stays() || !Front(box)) return "ended before the message was answered";
        Key(key);
        return PollUntil([&] { return !::IsWindow(box); }) ? "" : "not answered";
    }
    bool EndsWith(DWORD code) const { return setup->Ends() && setup->ExitCode() == code; }

    Folder folder;
    const std::wstring windows = folder / L"windows";
    std::optional<Process> setup;
};

// Enter first, which presses the button that has the focus at the start and
// shows the English welcome over its panel, its close face on the key the
// skin paints; Escape goes back; then German,
// whose welcome is cut to other texts, installed over the earlier files by a
// click on its install button; a key during the completion screen does
// nothing, and the setup ends after it.
TEST(Setup, InstallsInTheLanguageChosenLastAndEndsAfterTheCompletionScreen) {
    SetupRun run;
    ASSERT_TRUE(Front(run.setup->Window(kLanguage)));
    Key(VK_RETURN);
    const HWND english = run.setup->Window(L"About");
    ASSERT_NE(english, nullptr);
    const rt::UniqueRegion englishOutline = Region(english);
    const POINT key{WindowRect(english).left + 63, WindowRect(english).top + 340};  // the close key painted on the skin
    EXPECT_TRUE(PollUntil([&] { return Shows(Shot::Take(), key, Artwork("close_normal", 44, 26), 44); })) << "its face is off the key";
    Key(VK_ESCAPE);
    EXPECT_TRUE(PollUntil([&] { return !run.setup->Find(L"About") && !run.setup->Find(L"Form1"); }));
    ASSERT_TRUE(run.Choose(L"Deutsch") && run.Choose(L"&Weiter"));
    const HWND welcome = run.setup->Window(L"About");
    ASSERT_NE(welcome, nullptr);
    const rt::UniqueRegion welcomeOutline = Region(welcome);
    EXPECT_TRUE(englishOutline && welcomeOutline && !::EqualRgn(englishOutline.get(), welcomeOutline.get()))
        << "the same texts in either language";
    const RECT w = WindowRect(welcome);
    ASSERT_TRUE(MoveMouse(w.left + kInstallButton.x, w.top + kInstallButton.y));
    Click();
    EXPECT_TRUE(PollUntil([&] {
        const rt::UniqueRegion now = Region(welcome);
        return run.setup->Running() && now && welcomeOutline && !::EqualRgn(now.get(), welcomeOutline.get());
    })) << "no completion screen";
    Key(VK_ESCAPE);
    ASSERT_TRUE(run.setup->Stays());
    EXPECT_TRUE(::IsWindowVisible(welcome)) << "Escape went back during the completion screen";
    EXPECT_TRUE(run.setup->Ends(Deadline() + 1500));
    EXPECT_EQ(run.setup->ExitCode(), 0u);
    EXPECT_EQ(run.Holds(), Listing(Installed(kGerman)));
}

// The message in the language chosen, exit code 1, no entry (that nothing
// else changes, the in-process tests show). Enter on the welcome window
// installs, as its right key does. The welcome window keeps the device's size
// in pixels on a display of 144 dpi as of 96 (scripts/test runs this on both).
TEST(Setup, FailsWithItsMessageAndChangesNothing) {
    SetupRun run(L"", std::nullopt);
    ASSERT_TRUE(run.Choose(L"Deutsch") && run.Choose(L"&Weiter"));
    const RECT w = WindowRect(run.setup->Window(L"About"));
    ASSERT_TRUE(w.right - w.left == 449 && w.bottom - w.top == 488 && Front(run.setup->Window(L"About")));
    Key(VK_RETURN);
    EXPECT_EQ(run.Answers(L"Setup-Fehler", L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet."), "");
    EXPECT_TRUE(run.EndsWith(1) && !HasEntry());
}

// Killed at any moment of a first install, of an install over it in another
// language, or of the removal by its uninstaller, the setup leaves each file
// whole, earlier or new, and either its entry, listed only while the
// uninstaller it names is in place, or no entry and none of its files; the
// next setup removes what it left under its scratch names. Half the kills
// come at a spread of moments, half the moment the entry or the uninstaller
// appears or goes.
TEST(Setup, KilledAtAnyMomentLeavesItsEntryWithItsUninstallerOrNothing) {
    std::minstd_rand random(26);
    for (int round = 0; round < 42; ++round) {
        const int kind = round % 3;
        const Files earlierAndNew[][2] = {{kEarlier, Installed(kEnglish)}, {Installed(kEnglish), Installed(kGerman)}, {Installed(kEnglish), {}}};
        SetupRun run(L" /quiet");
        ASSERT_TRUE(!kind || run.EndsQuietly(0));
        const std::wstring uninstaller = run.windows + L"\\Veltrin-Uninstall.exe";
        if (kind == 1) run.Start(run.folder / L"Veltrin-Setup.exe", L" /quiet /lang=de", run.windows);
        if (kind == 2) run.Start(uninstaller, L" /uninstall /quiet", run.windows);
        const auto absent = [&](int what) { return what ? !IsFile(uninstaller) : !HasEntry(); };  // 0: the entry, 1: the uninstaller
        if (round % 2) {
            ::Sleep(std::uniform_int_distribution(0, 240)(random));  // the moment of the kill, not a wait for a window
        } else {  // polled without a pause: the moment it changes
            while (run.setup->Running() && absent(round / 6 % 2) == (kind == 0)) {}
        }
        run.setup->Kill();
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << run.Holds());
        const auto command = RegistryText(HKEY_LOCAL_MACHINE, kEntry, L"UninstallString");
        EXPECT_TRUE(!command || (*command == L"\"" + uninstaller + L"\" /uninstall" && IsFile(uninstaller)))
            << "listed without its uninstaller";
        const auto in = [](const Files& files, const auto& file) { return files.count(file.first) && files.at(file.first) == file.second; };
        for (const auto& file : FilesIn(run.windows)) {
            const bool scratch = file.first.ends_with(L".tmp");
            EXPECT_TRUE(scratch || in(earlierAndNew[kind][0], file) || in(earlierAndNew[kind][1], file)) << "neither earlier nor new";
            EXPECT_TRUE(scratch || in(kEarlier, file) || HasEntry()) << "installed without an entry";
        }
        run.Start(run.folder / L"Veltrin-Setup.exe", L" /quiet", run.windows);
        EXPECT_TRUE(run.EndsQuietly(0));
        EXPECT_EQ(run.Holds(), Listing(Installed(kEnglish)));
    }
}

// On a volume too small for the new saver, the quiet install fails while
// writing it and leaves the earlier files and nothing else.
TEST(Setup, OnAFullVolumeFailsAndLeavesNothingOfItsOwn) {
    const std::wstring full = WinePath(VELTRIN_FULL_VOLUME);
    const Files earlier = {{L"Veltrin.scr", std::string(100000, 'o')}, {L"scrVeltrin.ini", kEarlierSettings}};
    for (const auto& [name, bytes] : FilesIn(full)) ::DeleteFileW((full + L"\\" + name).c_str());  // of a run stopped before
    for (const auto& [name, bytes] : earlier) ASSERT_TRUE(WriteFileBytes(full + L"\\" + name, bytes));
    SetupRun run(L" /quiet", kShipped, full);
    EXPECT_TRUE(run.EndsQuietly(1));
    EXPECT_EQ(Listing(FilesIn(full)), Listing(earlier));
}

// Switches with '/' or '-' in any case; a value quoted with blanks is one
// argument; anything unknown is refused before anything is touched, and so
// is a Windows directory that is not there. Each install registers itself,
// and each run appends its account to the log.
TEST(CommandLine, QuietInstallsInTheLanguageAskedRegistersItselfAndLogsEveryRun) {
    Folder logs;
    const std::wstring log = logs / L"a folder\\setup.log";
    ::CreateDirectoryW((logs / L"a folder").c_str(), nullptr);
    const struct {
        std::wstring tail;
        std::optional<std::wstring> winDir;  // empty: none
        DWORD code;
        Files after;
        const wchar_t* name;
    } cases[] = {
        {L" -QUIET /Lang=DE \"/log=" + log + L"\"", {}, 0, Installed(kGerman), L"Veltrin-Bildschirmschoner"},
        {L" /quiet \"/log=" + log + L"\"", {}, 0, Installed(kEnglish), L"Veltrin-Screen-Saver"},
        {L" /quiet /lang=fr \"/log=" + log + L"\"", {}, 1, kEarlier, nullptr},
        {L" /quiet \"/log=" + log + L"\"", logs / L"no such folder", 1, kEarlier, nullptr},
        {L" /quiet \"/log=" + log + L"\"", L"", 1, kEarlier, nullptr},
        // Nothing is written onto a file the run reads or writes, there or not yet, however spelled.
        {L" /quiet \"/log={folder}\\Veltrin-Setup.exe\"", {}, 0, Installed(kEnglish), L"Veltrin-Screen-Saver"},
        {L" /quiet \"/log={folder}\\windows\\Veltrin.scr\"", {}, 0, Installed(kEnglish), L"Veltrin-Screen-Saver"},
        {L" /quiet \"/log=\\\\?\\{folder}\\windows\\Veltrin-Uninstall.exe\"", {}, 0, Installed(kEnglish), L"Veltrin-Screen-Saver"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.tail));
        SetupRun run(c.tail, kShipped, c.winDir);
        EXPECT_TRUE(run.EndsQuietly(c.code));
        EXPECT_EQ(run.Holds(), Listing(c.after));
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kEntry, L"DisplayName"), c.name ? std::optional<std::wstring>(c.name) : std::nullopt);
        if (!c.name) continue;
        // Its version, publisher and quiet removal: the release's test, against the programs' own record;
        // its folder: every removal's.
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kEntry, L"DisplayIcon"), run.windows + L"\\Veltrin.scr");
    }
    const std::string account = ReadFileBytes(log).value_or("");
    for (const char* line : {"Veltrin-Setup -QUIET /Lang=DE /log=", "Veltrin-Setup /quiet /lang=fr /log=", "written ", "Veltrin.scr\r\n",
                             "registered HKLM\\Software", "failed: no Windows directory to install into", "exit code 1\r\n"}) {
        EXPECT_NE(account.find(line), std::string::npos) << line;
    }
    EXPECT_NE(account.find("exit code 0", account.find("exit code 0") + 1), std::string::npos) << account;
}

// Without /quiet, a refused or a help command line lists the switches and
// the exit codes, and an uninstall with nothing installed says so.
TEST(CommandLine, WithoutQuietItSaysWhatItDid) {
    const std::wstring usage = setup::MessageFor(setup::Say::Usage, setup::Language::English).text;
    const struct {
        const wchar_t *tail, *text;
        DWORD code;
    } runs[] = {{L" /?", usage.c_str(), 0}, {L" /bogus", usage.c_str(), 1}, {L" /uninstall", L"The screen saver is not installed.", 0}};
    for (const auto& r : runs) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(r.tail)));
        SetupRun run(r.tail);
        EXPECT_EQ(run.Answers(L"Veltrin-Setup", r.text), "");
        EXPECT_TRUE(run.EndsWith(r.code));
        EXPECT_EQ(run.Holds(), Listing(kEarlier));
    }
}

// While one setup runs, a second ends at once with exit code 3, with one
// message in both languages; quiet, without a word, while one that runs under
// another account (a deployment as SYSTEM) denies it access to its marker.
TEST(Setup, RunsOneAtATime) {
    SetupRun first;
    ASSERT_NE(first.setup->Window(kLanguage), nullptr);
    SetupRun second(L" /uninstall");
    ASSERT_TRUE(PollUntil([&] { return second.setup->Find(L"Veltrin-Setup", L"#32770"); }));
    first.setup->Kill();  // the first has gone while the second still says so: a third runs
    EXPECT_TRUE(SetupRun(L" /quiet").EndsQuietly(0));
    EXPECT_EQ(second.Answers(L"Veltrin-Setup", L"Veltrin-Setup is already running.\n\nVeltrin-Setup l\u00E4uft bereits."), "");
    EXPECT_TRUE(second.EndsWith(3));
    SECURITY_ATTRIBUTES denied{sizeof denied, nullptr, FALSE};  // naming no one who may open it
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &denied.lpSecurityDescriptor, nullptr);
    const rt::UniqueKernelHandle foreign(::CreateMutexW(&denied, FALSE, L"Global\\Veltrin.Setup"));
    ::LocalFree(denied.lpSecurityDescriptor);
    EXPECT_TRUE(SetupRun(L" /quiet").EndsQuietly(3));
}

// Over a real install: refused with its message while the saver is held
// open; then, everything still in place, the uninstaller of the entry,
// asking in the installed language, removes all of it, moving itself aside
// for the system to remove at its next start, and clears the user's choice
// of the removed saver, stored under its short name.
TEST(Uninstall, RemovesEverythingOrNothingAndClearsTheChoiceOfItsSaver) {
    SetupRun install(L" /quiet /lang=de");
    ASSERT_TRUE(install.EndsQuietly(0));
    const std::wstring uninstaller = install.windows + L"\\Veltrin-Uninstall.exe";
    std::wstring chosen(MAX_PATH, L'\0');
    chosen.resize(::GetShortPathNameW((install.windows + L"\\Veltrin.scr").c_str(), chosen.data(), MAX_PATH));
    const wchar_t* question = L"Soll der Bildschirmschoner Veltrin mit seinen Einstellungen von diesem Computer entfernt werden?";
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"SCRNSAVE.EXE", REG_SZ, chosen.c_str(), DWORD(chosen.size() + 1) * 2);
    {
        rt::UniqueFile held = HoldOpen(install.windows + L"\\Veltrin.scr");
        install.Start(uninstaller, L" /uninstall", install.windows);
        EXPECT_EQ(install.Answers(L"Veltrin-Setup", question), "");
        EXPECT_EQ(install.Answers(L"Setup-Fehler", L"Der Bildschirmschoner konnte nicht entfernt werden. Setup wird beendet."), "");
        EXPECT_TRUE(install.EndsWith(1));
    }

    install.Start(uninstaller, L" /uninstall", install.windows);
    EXPECT_EQ(install.Answers(L"Veltrin-Setup", question), "");
    EXPECT_EQ(install.Answers(L"Veltrin-Setup", L"Der Bildschirmschoner wurde entfernt."), "");
    EXPECT_TRUE(install.EndsWith(0));
    const Files left = FilesIn(install.windows);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.begin()->second, kSetup);
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", L"PendingFileRenameOperations"),
              L"\\??\\" + install.windows + L"\\" + left.begin()->first);
    EXPECT_FALSE(HasEntry() || RegistryText(HKEY_CURRENT_USER, kDesktop, L"SCRNSAVE.EXE"));
}

// A quiet install in German and, run from the download folder, the quiet
// removal of everything it put in place, the uninstaller included; the
// user's choice of another saver stays. scripts/test runs this with the
// shipped 32-bit setup too.
TEST(QuietSetup, InstallsInGermanAndUninstallsLeavingAnotherChosenSaver) {
    SetupRun install(L" /quiet /lang=de");
    ASSERT_TRUE(install.EndsQuietly(0));
    EXPECT_EQ(install.Holds(), Listing(Installed(kGerman)));
    const std::wstring other = L"C:\\windows\\system32\\other.scr";
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"SCRNSAVE.EXE", REG_SZ, other.c_str(), DWORD(other.size() + 1) * 2);
    install.Start(install.folder / L"Veltrin-Setup.exe", L" /uninstall /quiet", install.windows);
    EXPECT_TRUE(install.EndsQuietly(0));
    EXPECT_EQ(install.Holds(), Listing({}));
    EXPECT_FALSE(HasEntry());
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kDesktop, L"SCRNSAVE.EXE"), other);
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
