// What the setup says in each language and where it installs.
#include <gtest/gtest.h>

#include <climits>

#include "print_text.h"
#include "setup_rules.h"

using setup::Language;

// The line each item starts on and what it shows, as printed one below the other.
std::vector<std::pair<int, std::string>> Screen(const std::vector<std::string>& items) {
    std::vector<std::pair<int, std::string>> lines;
    int line = 0;
    for (std::string item : items) {
        const int breaks = rt::LineBreaksOfPrint(item);
        std::erase(item, '\r');
        lines.emplace_back(line, item);
        line += breaks;
    }
    return lines;
}

TEST(ScreenTexts, EachSetInEachLanguageLineByLine) {
    const auto set = [](const char* title, const char* note, std::vector<std::string> rest) {
        std::vector<std::pair<int, std::string>> lines = {{0, title}, {2, note}, {4, "Autor: Brandor"}, {6, "Version: 2.1.5"}};
        for (std::size_t i = 0; i < rest.size(); ++i) lines.emplace_back(10 + 2 * int(i), rest[i]);
        return lines;
    };
    const char *de = "Veltrin-Bildschirmschoner", *deNote = "Kostenloses Programm!";
    const char *en = "Veltrin-Screen-Saver", *enNote = "Free Program!";
    EXPECT_EQ(Screen(setup::ScreenItems(false, Language::German, "Brandor", {2, 1, 5})),
              set(de, deNote, {"Bitte klicken Sie auf die", "rechte untere Schalt-", "fl\xE4" "che, um das Programm", "zu installieren."}));
    EXPECT_EQ(Screen(setup::ScreenItems(false, Language::English, "Brandor", {2, 1, 5})),
              set(en, enNote, {"Please click on the button", "at the right buttom corner", "to install the program."}));
    EXPECT_EQ(Screen(setup::ScreenItems(true, Language::German, "Brandor", {2, 1, 5})),
              set(de, deNote, {"Die Installation wurde", "erfolgreich abgeschlossen.", "Setup wird jetzt beendet."}));
    EXPECT_EQ(Screen(setup::ScreenItems(true, Language::English, "Brandor", {2, 1, 5})),
              set(en, enNote, {"Screen Saver has been", "successfully installed.", "Setup will end now."}));
    EXPECT_EQ(Screen(setup::ScreenItems(true, Language::English, "", {12, 0, 305}))[3].second, "Version: 12.0.305");
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
