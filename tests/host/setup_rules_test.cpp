// What the setup says in each language, where it installs, the display
// settings command, and the conversion of the programs' narrow texts.
#include <gtest/gtest.h>

#include <climits>

#include "line_starts.h"
#include "print_text.h"
#include "setup_rules.h"
#include "text_encoding.h"

namespace {

using setup::Language;

// The items as the screen shows them: without their line breaks.
std::vector<std::string> Shown(const std::vector<std::string>& items) {
    std::vector<std::string> shown;
    for (std::string item : items) {
        std::erase(item, '\r');
        shown.push_back(item);
    }
    return shown;
}

TEST(ScreenTexts, EachSetReadsAsTheScreenShowsItInEachLanguage) {
    const saver::VersionNumbers version{2, 1, 5};
    struct Case {
        bool finished;
        Language language;
        std::vector<std::string> lines;
    };
    const std::vector<std::string> german = {"Veltrin-Bildschirmschoner", "Kostenloses Programm!", "Autor: Brandor",
                                             "Version: 2.1.5"};
    const std::vector<std::string> english = {"Veltrin-Screen-Saver", "Free Program!", "Autor: Brandor",
                                              "Version: 2.1.5"};
    auto with = [](std::vector<std::string> head, std::vector<std::string> tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const Case cases[] = {
        {false, Language::German,
         with(german, {"Bitte klicken Sie auf die", "rechte untere Schalt-", "fl\xE4" "che, um das Programm",
                       "zu installieren."})},
        {false, Language::English,
         with(english, {"Please click on the button", "at the right buttom corner", "to install the program."})},
        {true, Language::German,
         with(german, {"Die Installation wurde", "erfolgreich abgeschlossen.", "Setup wird jetzt beendet."})},
        {true, Language::English,
         with(english, {"Screen Saver has been", "successfully installed.", "Setup will end now."})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.finished ? "completion " : "welcome ") +
                     (c.language == Language::English ? "English" : "German"));
        EXPECT_EQ(Shown(setup::ScreenItems(c.finished, c.language, "Brandor", version)), c.lines);
    }
}

TEST(ScreenTexts, ItemsStartOnEveryOtherLineWithThreeEmptyLinesAfterTheVersion) {
    const auto welcome = setup::ScreenItems(false, Language::German, "Brandor", {2, 1, 5});
    EXPECT_EQ(StartLines(welcome), (std::vector<int>{0, 2, 4, 6, 10, 12, 14, 16}));
    const auto done = setup::ScreenItems(true, Language::English, "Brandor", {2, 1, 5});
    EXPECT_EQ(StartLines(done), (std::vector<int>{0, 2, 4, 6, 10, 12, 14}));
}

TEST(ScreenTexts, TheVersionLineHasNoLeadingZerosAndSkipsTheBuildNumber) {
    const auto items = Shown(setup::ScreenItems(false, Language::English, "", {12, 0, 305}));
    EXPECT_EQ(items[2], "Autor: ");
    EXPECT_EQ(items[3], "Version: 12.0.305");
}

TEST(LanguageWindow, CaptionsAndFailureMessageFollowTheLanguage) {
    EXPECT_EQ(setup::LanguageOfOption(true), Language::English);
    EXPECT_EQ(setup::LanguageOfOption(false), Language::German);
    EXPECT_STREQ(setup::CaptionsFor(Language::English).next, L"&Next");
    EXPECT_STREQ(setup::CaptionsFor(Language::English).cancel, L"&Cancel");
    EXPECT_STREQ(setup::CaptionsFor(Language::German).next, L"&Weiter");
    EXPECT_STREQ(setup::CaptionsFor(Language::German).cancel, L"&Abbrechen");
    EXPECT_STREQ(setup::InstallFailureMessage(Language::German).text,
                 L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet.");
    EXPECT_STREQ(setup::InstallFailureMessage(Language::German).title, L"Setup-Fehler");
    EXPECT_STREQ(setup::InstallFailureMessage(Language::English).title, L"Setup-Error");
}

TEST(DisplaySettings, PagesOutside0To3OpenPage3AndSayIt) {
    const std::wstring base = L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,";
    for (std::int32_t page : {0, 1, 2, 3}) {
        std::int32_t asked = page;
        EXPECT_EQ(setup::DisplaySettingsCommand(asked), base + std::to_wstring(page));
        EXPECT_EQ(asked, page);
    }
    for (std::int32_t page : {-1, 4, 7, INT_MIN, INT_MAX}) {
        std::int32_t asked = page;
        EXPECT_EQ(setup::DisplaySettingsCommand(asked), base + L"3") << page;
        EXPECT_EQ(asked, 3) << "the caller's variable";
    }
}

TEST(InstallPaths, AFolderIsJoinedWithOneBackslashWithoutLookingAtItsEnd) {
    EXPECT_EQ(setup::JoinPath(L"C:\\WINDOWS", setup::kInstalledSaverName), L"C:\\WINDOWS\\Veltrin.scr");
    EXPECT_EQ(setup::JoinPath(L"C:\\", setup::kShippedSaverName), L"C:\\\\Qor.drl");
}

TEST(Windows1252, AsciiStaysAndTheUpperHalfMapsByTheTableNotByTheMachine) {
    EXPECT_EQ(rt::FromWindows1252("Version: 2.1.5"), L"Version: 2.1.5");
    EXPECT_EQ(rt::FromWindows1252("fl\xE4" "che \xD6\xFC\xDF"), L"fläche Öüß");
    EXPECT_EQ(rt::FromWindows1252("\x80\x85\x9F"), L"\u20AC\u2026\u0178");
    EXPECT_EQ(rt::FromWindows1252("\x81\x8D"), L"\u0081\u008D");  // undefined bytes stay themselves
    EXPECT_EQ(rt::FromWindows1252(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
}

}  // namespace
