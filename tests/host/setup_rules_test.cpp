// What the setup says in each language, where it installs, and its command line.
#include <gtest/gtest.h>

#include <climits>

#include "paths.h"
#include "setup_args.h"
#include "setup_rules.h"
#include "setup_texts.h"

using setup::Language;
using Items = std::vector<std::wstring>;

// Every text of both screens in both languages, letter for letter as the
// design has them, typos included; each item ends with the carriage return
// that leaves an empty line below it, the version line with three.
TEST(ScreenTexts, EachSetInEachLanguageExactly) {
    const rt::VersionRecord version{2, 1, 0, 5, L"Brandor"};
    const Items english = {L"Veltrin-Screen-Saver\r", L"Free Program!\r", L"Autor: Brandor\r", L"Version: 2.1.5\r\r\r"};
    const Items german = {L"Veltrin-Bildschirmschoner\r", L"Kostenloses Programm!\r", L"Autor: Brandor\r", L"Version: 2.1.5\r\r\r"};
    const struct {
        bool finished;
        Language language;
        Items head, tail;
    } cases[] = {
        {false, Language::English, english, {L"Please click on the button\r", L"at the right buttom corner\r", L"to install the program.\r"}},
        {false, Language::German, german, {L"Bitte klicken Sie auf die\r", L"rechte untere Schalt-\r", L"fl\u00E4che, um das Programm\r", L"zu installieren.\r"}},
        {true, Language::English, english, {L"Screen Saver has been\r", L"successfully installed.\r", L"Setup will end now.\r"}},
        {true, Language::German, german, {L"Die Installation wurde\r", L"erfolgreich abgeschlossen.\r", L"Setup wird jetzt beendet.\r"}},
    };
    for (const auto& c : cases) {
        Items all = c.head;
        all.insert(all.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(setup::ScreenItems(c.finished, c.language, version), all) << c.finished;
    }
    EXPECT_EQ(setup::ScreenItems(true, Language::English, {12, 0, 7, 305, L""})[3], L"Version: 12.0.305\r\r\r");
}

// Switches with '/' or '-' in any case, values after '='; anything else, a
// value missing or one where none belongs is refused.
TEST(CommandLine, SwitchesInAnyCaseWithTheirValuesAndNothingElse) {
    using Args = std::vector<std::wstring>;
    const auto parsed = [](const Args& args) {
        const setup::SetupOptions o = setup::ParseArguments(args);
        return std::to_string(o.valid) + std::to_string(o.quiet) + std::to_string(o.uninstall) + std::to_string(o.help) +
               (o.language ? (*o.language == Language::German ? "de" : "en") : "--") + (o.log ? "log" : "");
    };
    EXPECT_EQ(parsed({}), "1000--");
    EXPECT_EQ(parsed({L"-QUIET ", L"\t/Lang=DE", L"/log=C:\\a b\\x=1.log"}), "1100delog");
    EXPECT_EQ(setup::ParseArguments(Args{L"/log=C:\\a b\\x=1.log"}).log, L"C:\\a b\\x=1.log");
    EXPECT_EQ(parsed({L"/Uninstall", L"-lang=en"}), "1010en");
    EXPECT_EQ(parsed({L"/?"}), "1001--");
    EXPECT_EQ(parsed({L"-help", L"/quiet"}), "1101--");
    for (const Args& refused : {Args{L"/lang"}, Args{L"/lang=fr"}, Args{L"/log="}, Args{L"/log"}, Args{L"/quiet=1"}, Args{L"quiet"},
                                Args{L"/"}, Args{L""}, Args{L"/install"}, Args{L"/uninstal", L"/quiet"}}) {
        EXPECT_EQ(parsed(refused)[0], '0') << testing::PrintToString(refused);
    }
}

TEST(DisplaySettings, PagesOutside0To3OpenPage3AndSayIt) {
    for (std::int32_t page : {-1, 0, 1, 2, 3, 4, 7, INT_MIN, INT_MAX}) {
        const std::int32_t expected = page >= 0 && page <= 3 ? page : 3;
        std::int32_t asked = page;
        EXPECT_EQ(setup::DisplaySettingsCommand(asked),
                  L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,," + std::to_wstring(expected));
        EXPECT_EQ(asked, expected) << "the caller's variable";
    }
}

TEST(InstallPaths, TheWindowsDirectoryIsNamedInFull) {
    for (const wchar_t* path : {L"C:\\WINDOWS", L"c:/windows", L"\\\\server\\share\\win", L"Z:\\"}) {
        EXPECT_TRUE(setup::IsAbsolutePath(path)) << path;
    }
    for (const wchar_t* path : {L"", L"sub", L"sub\\win", L"C:", L"C:windows", L"\\windows", L"\\\\\\x", L"1:\\"}) {
        EXPECT_FALSE(setup::IsAbsolutePath(path)) << path;
    }
}

// What a later setup sweeps away is exactly what one writes as its scratch,
// and nothing an administrator keeps beside it.
TEST(InstallPaths, ScratchNamesAndNothingElse) {
    EXPECT_EQ(setup::ScratchName(L"C:\\W\\Veltrin.scr", 4294967295, 12), L"C:\\W\\Veltrin.scr.4294967295.12.tmp");
    for (const wchar_t* name : {L"Veltrin.scr.4294967295.12.tmp", L"VELTRIN.SCR.1.2.TMP"}) {
        EXPECT_TRUE(setup::IsScratchName(name, L"Veltrin.scr")) << name;
    }
    for (const wchar_t* name : {L"Veltrin.scr", L"Veltrin.scr.old", L"Veltrin.scr.1.tmp", L"Veltrin.scr.1..tmp", L"Veltrin.scr.1.2.tmp.x",
                                L"Veltrin.scr.1.2.tmpx", L"Veltrin.scr.a.2.tmp", L"Veltrin.scrx1.2.tmp", L"XVeltrin.scr.1.2.tmp",
                                L"Veltrin.scr.1.2.kept", L"scrVeltrin.ini.1.2.tmp"}) {
        EXPECT_FALSE(setup::IsScratchName(name, L"Veltrin.scr")) << name;
    }
}
