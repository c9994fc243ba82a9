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

// Title, note, author and version on lines 0, 2, 4 and 6, the instructions
// (four lines in German, three in English) or the completion from line 10 on,
// every other line; each text but the author's and the version in its language.
TEST(ScreenTexts, EachSetInEachLanguageLineByLine) {
    const rt::VersionRecord version{2, 1, 0, 5, L"Brandor", L""};
    for (bool finished : {false, true}) {
        const auto german = Screen(setup::ScreenItems(finished, Language::German, version));
        const auto english = Screen(setup::ScreenItems(finished, Language::English, version));
        ASSERT_EQ(german.size(), finished ? 7u : 8u);
        ASSERT_EQ(english.size(), 7u);
        for (std::size_t i = 0; i < english.size(); ++i) {
            EXPECT_EQ(english[i].first, i < 4 ? 2 * int(i) : 2 * int(i) + 2) << i;
            EXPECT_EQ(german[i].first, english[i].first) << i;
            EXPECT_EQ(german[i].second == english[i].second, i == 2 || i == 3) << i;
        }
        EXPECT_EQ(german.back().first, finished ? 14 : 16);
        EXPECT_EQ(german[2].second + german[3].second, L"Autor: BrandorVersion: 2.1.5");
    }
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
}
