// Sequential fields as the runtime reads and writes them, and the settings
// record the setup writes and the about window reads, damaged files included.
#include <gtest/gtest.h>

#include "sequential_fields.h"
#include "settings_record.h"

using namespace std::string_literals;
using saver::Language;

namespace {

using Fields = std::vector<std::string>;

TEST(ReadFields, QuotesCommasBlanksAndLineEnds) {
    const struct {
        std::string_view content;
        Fields expected;
    } cases[] = {
        {"\"a\",\"b\"\r\n\"c\"\r\n", {"a", "b", "c"}},
        {"\"a\"\n\"b\"\n", {"a", "b"}},
        {"\"a\"\r\"b\"\r", {"a", "b"}},
        {"", {}},
        {"\"Hello, world\",\"x\"", {"Hello, world", "x"}},               // comma inside quotes
        {"  one two  ,\t\"three \" ,four", {"one two", "three ", "four"}},  // blanks around
        {"a,,b", {"a", "", "b"}},
        {"\"a\"\r\n   ", {"a"}},           // blanks at the end are no field
        {"\"a\"xyz,\"b\"", {"a", "b"}},    // after the closing quote: dropped
        {"\"a,b\r\n\"c\"", {"a,b", "c"}},  // unbalanced: to the end of the line
        {"\"", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::ReadFields(c.content, 5), c.expected) << c.content;
    EXPECT_EQ(rt::ReadFields("\"a\",\"b\",\"c\"", 2), (Fields{"a", "b"}));
}

TEST(FormatRecord, QuotedFieldsEndingInCrLfThatReadBack) {
    EXPECT_EQ(rt::FormatRecord({"a", "b c"}), "\"a\",\"b c\"\r\n");
    EXPECT_EQ(rt::ReadFields(rt::FormatRecord({"x, y", "", " z "}), 3), (Fields{"x, y", "", " z "}));
    EXPECT_THROW(rt::FormatRecord({"say \"hi\""}), std::invalid_argument);
    EXPECT_THROW(rt::FormatRecord({"ok", "two\r\nlines"}), std::invalid_argument);
}

void ExpectTexts(std::optional<std::string_view> content, std::string_view title, std::string_view note) {
    const saver::SettingsTexts texts = saver::ParseSettings(content);
    EXPECT_EQ(texts.TitleText, title) << (content ? *content : "(none)");
    EXPECT_EQ(texts.NoteText, note) << (content ? *content : "(none)");
}

TEST(SettingsRecord, ExactBytesThatReadBack) {
    const std::string english = saver::SettingsRecord(Language::English);
    const std::string german = saver::SettingsRecord(Language::German);
    EXPECT_EQ(english, "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n");
    EXPECT_EQ(english.size(), 40u);
    EXPECT_EQ(german, "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n");
    EXPECT_EQ(german.size(), 53u);
    ExpectTexts(english, "Veltrin-Screen-Saver", "Free Program!");
    ExpectTexts(german, "Veltrin-Bildschirmschoner", "Kostenloses Programm!");
}

TEST(ParseSettings, HandEditedFilesAndMissingFields) {
    ExpectTexts("\"My  Saver \",\"Tab\there, a comma\"\r\n", "My  Saver ", "Tab\there, a comma");
    ExpectTexts("\"\xC4rger\",\"Gr\xFC\xDF\"\r\n", "\xC4rger", "Gr\xFC\xDF");  // Latin-1 bytes stay
    ExpectTexts("\"One\"\n\"Two\"\n", "One", "Two");
    ExpectTexts("\"One\"\r\"Two\"\r", "One", "Two");
    ExpectTexts("\"One\",\"Two\",\"Three\"\r\n", "One", "Two");
    ExpectTexts(std::nullopt, "Veltrin-Screen-Saver", "Free Program!");
    ExpectTexts("", "Veltrin-Screen-Saver", "Free Program!");
    ExpectTexts("\"Only a title\"\r\n", "Only a title", "Free Program!");
    ExpectTexts("\"\",\"\"\r\n", "", "");  // present but empty stays empty
}

TEST(ParseSettings, GarbageGivesDrawableTexts) {
    ExpectTexts("hello world , again\r\n", "hello world", "again");              // no quotes
    ExpectTexts("\"Title, broken\r\n\"Note\"\r\n", "Title, broken", "Note");      // unbalanced
    ExpectTexts("\"a\0b\x01\x1F\x7F\",\"\tc\x1B\"\r\n"s, "a?b??\x7F", "\tc?");   // controls
    ExpectTexts("\0\0\0\0"s, "????", "Free Program!");
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
    const auto texts = saver::ParseSettings(noise);
    for (char c : texts.TitleText + texts.NoteText) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
    const std::string huge(1'000'000, 'x');
    ExpectTexts("\"" + huge + "\",\"" + huge + "\"", std::string(saver::kMostTextLength, 'x'),
                std::string(saver::kMostTextLength, 'x'));
    ExpectTexts(huge, std::string(saver::kMostTextLength, 'x'), "Free Program!");
}

}  // namespace
