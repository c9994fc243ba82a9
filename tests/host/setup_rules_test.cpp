// What the setup says in each language and where it installs.
#include <gtest/gtest.h>

#include <climits>

#include "print_text.h"
#include "setup_rules.h"

using setup::Language;

// The line each item starts on and what it shows, as printed one below the other.
std::vector<std::pair<int, std::wstring>> Screen(const std::vector<std::wstring>& items) {
    std::vector<std::pair<int, std::wstring>> lines;
    int line = 0;
    for (std::wstring item : items) {
        const int breaks = rt::LineBreaksOfPrint(item);
        std::erase(item, L'\r');
        lines.emplace_back(line, item);
        line += breaks;
    }
    return lines;
}

TEST(ScreenTexts, EachSetInEachLanguageLineByLine) {
    const auto set = [](const wchar_t* title, const wchar_t* note, std::vector<std::wstring> rest) {
        std::vector<std::pair<int, std::wstring>> lines = {{0, title}, {2, note}, {4, L"Autor: Brandor"}, {6, L"Version: 2.1.5"}};
        for (std::size_t i = 0; i < rest.size(); ++i) lines.emplace_back(10 + 2 * int(i), rest[i]);
        return lines;
    };
    const wchar_t *de = L"Veltrin-Bildschirmschoner", *deNote = L"Kostenloses Programm!";
    const wchar_t *en = L"Veltrin-Screen-Saver", *enNote = L"Free Program!";
    const rt::VersionRecord version{2, 1, 0, 5, L"Brandor", L""};
    EXPECT_EQ(Screen(setup::ScreenItems(false, Language::German, version)),
              set(de, deNote, {L"Bitte klicken Sie auf die", L"rechte untere Schalt-", L"fl\u00E4che, um das Programm", L"zu installieren."}));
    EXPECT_EQ(Screen(setup::ScreenItems(false, Language::English, version)),
              set(en, enNote, {L"Please click on the button", L"at the right buttom corner", L"to install the program."}));
    EXPECT_EQ(Screen(setup::ScreenItems(true, Language::German, version)),
              set(de, deNote, {L"Die Installation wurde", L"erfolgreich abgeschlossen.", L"Setup wird jetzt beendet."}));
    EXPECT_EQ(Screen(setup::ScreenItems(true, Language::English, version)),
              set(en, enNote, {L"Screen Saver has been", L"successfully installed.", L"Setup will end now."}));
    EXPECT_EQ(Screen(setup::ScreenItems(true, Language::English, {12, 0, 7, 305, L"", L""}))[3].second, L"Version: 12.0.305");
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
    EXPECT_EQ(setup::JoinPath(L"C:\\", setup::kInstalledSaverName), L"C:\\\\Veltrin.scr");  // the system reads "\\" as "\"
}
