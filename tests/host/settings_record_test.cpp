// Sequential fields as the runtime reads and writes them, and the settings
// record the setup writes and the about window reads, damaged files included.
#include <gtest/gtest.h>

#include "sequential_fields.h"
#include "settings_record.h"

using namespace std::string_literals;
using saver::Language;
using saver::ParseSettings;

namespace {

using Fields = std::vector<std::string>;

TEST(ReadFields, QuotedFieldsSeparatedByCommasAndLineEnds) {
    EXPECT_EQ(rt::ReadFields("\"a\",\"b\"\r\n\"c\"\r\n", 5), (Fields{"a", "b", "c"}));
    EXPECT_EQ(rt::ReadFields("\"a\"\n\"b\"\n", 5), (Fields{"a", "b"}));
    EXPECT_EQ(rt::ReadFields("\"a\"\r\"b\"\r", 5), (Fields{"a", "b"}));
    EXPECT_EQ(rt::ReadFields("\"a\",\"b\",\"c\"", 2), (Fields{"a", "b"}));
    EXPECT_EQ(rt::ReadFields("", 2), Fields{});
}

TEST(ReadFields, CommaInsideQuotesBelongsToTheField) {
    EXPECT_EQ(rt::ReadFields("\"Hello, world\",\"x\"", 2), (Fields{"Hello, world", "x"}));
}

TEST(ReadFields, BlanksAroundUnquotedFields) {
    EXPECT_EQ(rt::ReadFields("  one two  ,\t\"three \" ,four\r\n", 5), (Fields{"one two", "three ", "four"}));
    EXPECT_EQ(rt::ReadFields("a,,b", 5), (Fields{"a", "", "b"}));
    EXPECT_EQ(rt::ReadFields("\"a\"\r\n   ", 5), Fields{"a"});  // trailing blanks are no field
}

TEST(ReadFields, TextAfterAClosingQuoteIsDropped) {
    EXPECT_EQ(rt::ReadFields("\"a\"xyz,\"b\"", 2), (Fields{"a", "b"}));
}

TEST(ReadFields, UnbalancedQuoteRunsToTheEndOfTheLine) {
    EXPECT_EQ(rt::ReadFields("\"a,b\r\n\"c\"", 5), (Fields{"a,b", "c"}));
    EXPECT_EQ(rt::ReadFields("\"abc", 5), Fields{"abc"});
    EXPECT_EQ(rt::ReadFields("\"", 5), Fields{""});
}

TEST(FormatRecord, QuotesEachFieldAndEndsInCrLf) {
    EXPECT_EQ(rt::FormatRecord({"a", "b c"}), "\"a\",\"b c\"\r\n");
    EXPECT_EQ(rt::FormatRecord({""}), "\"\"\r\n");
    EXPECT_EQ(rt::ReadFields(rt::FormatRecord({"x, y", "", " z "}), 3), (Fields{"x, y", "", " z "}));
}

TEST(FormatRecord, RefusesFieldsThatCannotBeReadBack) {
    EXPECT_THROW(rt::FormatRecord({"say \"hi\""}), std::invalid_argument);
    EXPECT_THROW(rt::FormatRecord({"two\r\nlines"}), std::invalid_argument);
    EXPECT_THROW(rt::FormatRecord({"ok", "line\n"}), std::invalid_argument);
}

TEST(SettingsRecord, ExactBytesOfEachLanguage) {
    const std::string english = saver::SettingsRecord(Language::English);
    EXPECT_EQ(english, "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n");
    EXPECT_EQ(english.size(), 40u);
    const std::string german = saver::SettingsRecord(Language::German);
    EXPECT_EQ(german, "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n");
    EXPECT_EQ(german.size(), 53u);
}

void ExpectTexts(const saver::SettingsTexts& texts, std::string_view title, std::string_view note) {
    EXPECT_EQ(texts.TitleText, title);
    EXPECT_EQ(texts.NoteText, note);
}

TEST(ParseSettings, ReadsBackWhatIsWritten) {
    ExpectTexts(ParseSettings(saver::SettingsRecord(Language::English)), "Veltrin-Screen-Saver", "Free Program!");
    ExpectTexts(ParseSettings(saver::SettingsRecord(Language::German)), "Veltrin-Bildschirmschoner",
                "Kostenloses Programm!");
}

TEST(ParseSettings, HandEditedTextsAreReadUnchanged) {
    ExpectTexts(ParseSettings("\"My  Saver \",\"Tab\there, and a comma\"\r\n"), "My  Saver ", "Tab\there, and a comma");
    ExpectTexts(ParseSettings("\"\xC4rger\",\"Gr\xFC\xDF" "e\"\r\n"), "\xC4rger", "Gr\xFC\xDF" "e");  // Latin-1 bytes stay
    ExpectTexts(ParseSettings("\"One\"\n\"Two\"\n"), "One", "Two");
    ExpectTexts(ParseSettings("\"One\"\r\"Two\"\r"), "One", "Two");
    ExpectTexts(ParseSettings("\"One\",\"Two\",\"Three\"\r\n\"Four\"\r\n"), "One", "Two");
}

TEST(ParseSettings, EnglishStandsInForWhatIsMissing) {
    ExpectTexts(ParseSettings(std::nullopt), "Veltrin-Screen-Saver", "Free Program!");
    ExpectTexts(ParseSettings(""), "Veltrin-Screen-Saver", "Free Program!");
    ExpectTexts(ParseSettings("\"Only a title\"\r\n"), "Only a title", "Free Program!");
    ExpectTexts(ParseSettings("\"\",\"\"\r\n"), "", "");  // present but empty stays empty
}

TEST(ParseSettings, GarbageGivesDefinedTexts) {
    // No quotes at all: plain fields.
    ExpectTexts(ParseSettings("hello world , again\r\n"), "hello world", "again");
    // An unbalanced quote takes the rest of its line, commas included.
    ExpectTexts(ParseSettings("\"Title, broken\r\n\"Note\"\r\n"), "Title, broken", "Note");
    // Control characters, NUL included, become '?'; TAB stays.
    ExpectTexts(ParseSettings("\"a\0b\x01\x1F\x7F\",\"\tc\x1B\"\r\n"s), "a?b??\x7F", "\tc?");
    ExpectTexts(ParseSettings("\0\0\0\0"s), "????", "Free Program!");
    // Binary noise: no crash, and only drawable bytes come out.
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
    for (const std::string& text : {ParseSettings(noise).TitleText, ParseSettings(noise).NoteText}) {
        for (char c : text) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
    }
}

TEST(ParseSettings, HugeLinesAreCut) {
    const std::string huge(1'000'000, 'x');
    const auto texts = ParseSettings("\"" + huge + "\",\"" + huge + "\"\r\n");
    EXPECT_EQ(texts.TitleText, std::string(saver::kMostTextLength, 'x'));
    EXPECT_EQ(texts.NoteText, std::string(saver::kMostTextLength, 'x'));
    EXPECT_EQ(ParseSettings(huge).TitleText.size(), saver::kMostTextLength);
    EXPECT_EQ(ParseSettings(huge).NoteText, "Free Program!");
}

}  // namespace
