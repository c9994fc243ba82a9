// The records the programs read and write: sequential fields, the settings
// file as the setup writes it and the about window reads it (damaged files
// included), and a program's header.
#include <gtest/gtest.h>

#include "failure.h"
#include "sequential_fields.h"
#include "settings_record.h"
#include "version_record.h"

#include <span>

using namespace std::string_literals;
using Fields = std::vector<std::string>;

TEST(Fields, QuotesCommasBlanksAndLineEndsReadBackWhatWasWritten) {
    const struct {
        std::string_view content;
        Fields fields;
    } cases[] = {
        {"\"a\",\"b\"\r\n\"c\"\r\n", {"a", "b", "c"}},
        {"\"a\"\n\"b\"\r\"c\"", {"a", "b", "c"}},
        {"\"Hello, world\",\"x\"", {"Hello, world", "x"}},
        {"  one two  ,\t\"three \" ,four", {"one two", "three ", "four"}},
        {"a,,b", {"a", "", "b"}},
        {"\"a\"\r\n   ", {"a"}},           // blanks at the end are no field
        {"\"a\"xyz,\"b\"", {"a", "b"}},    // after the closing quote: dropped
        {"\"a,b\r\n\"c\"", {"a,b", "c"}},  // unbalanced: to the end of the line
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::ReadFields(c.content, 5), c.fields) << c.content;
    EXPECT_EQ(rt::ReadFields(rt::FormatRecord({"x, y", "", " z "}), 3), (Fields{"x, y", "", " z "}));
    EXPECT_THROW(rt::FormatRecord({"say \"hi\""}), rt::Failure);
}

TEST(SettingsFile, TheSetupsExactBytesAndWhatTheAboutWindowMakesOfAnyFile) {
    EXPECT_EQ(toolkit::SettingsRecord(toolkit::Language::English), "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n");
    EXPECT_EQ(toolkit::SettingsRecord(toolkit::Language::German),
              "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n");
    const std::string huge(1'000'000, 'x');
    const std::wstring most(toolkit::kMostTextLength, L'x');
    const struct {
        std::optional<std::string> content;
        std::wstring title, note;
    } cases[] = {
        {"\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n", L"Veltrin-Bildschirmschoner", L"Kostenloses Programm!"},
        {"\"My  Saver \",\"Tab\there, a comma\",\"more\"\r\n", L"My  Saver ", L"Tab\there, a comma"},
        {"\"\xC4rger\",\"Gr\xFC\xDF \x80\"", L"\u00C4rger", L"Gr\u00FC\u00DF \u20AC"},  // Windows-1252 on every machine
        {std::nullopt, L"Veltrin-Screen-Saver", L"Free Program!"},  // no file: English
        {"", L"Veltrin-Screen-Saver", L"Free Program!"},
        {"\"Only a title\"\r\n", L"Only a title", L"Free Program!"},
        {"\"\",\"\"\r\n", L"", L""},  // present but empty stays empty
        {"\"a\0b\x01\x1F\x7F\",\"\tc\x1B\"\r\n"s, L"a?b??\x7F", L"\tc?"},  // controls become '?'
        {"\"" + huge + "\",\"" + huge + "\"", most, most},
    };
    for (const auto& c : cases) {
        const toolkit::SettingsTexts texts = toolkit::ParseSettings(c.content);
        EXPECT_EQ(texts.TitleText, c.title) << c.content.value_or("(none)").substr(0, 40);
        EXPECT_EQ(texts.NoteText, c.note) << c.content.value_or("(none)").substr(0, 40);
    }
}

// The records of the real programs are read in-process (tests/win); here,
// the header the setup checks before it installs anything.
TEST(ProgramHeader, OnlyA32BitX86ProgramPasses) {
    const auto bytes = [](const std::string& s) { return std::span(reinterpret_cast<const std::byte*>(s.data()), s.size()); };
    std::string program(0x200, '\0');
    program[0] = 'M', program[1] = 'Z', program[0x3C] = char(0x80);
    program.replace(0x80, 6, "PE\0\0\x4C\x01"s);
    EXPECT_TRUE(rt::IsI386Program(bytes(program)));
    program[0x84] = char(0x64), program[0x85] = char(0x86);  // x86-64
    EXPECT_FALSE(rt::IsI386Program(bytes(program)));
    EXPECT_FALSE(rt::IsI386Program(bytes(program.substr(0, 0x84))));
    EXPECT_FALSE(rt::IsI386Program(bytes("")));
}
