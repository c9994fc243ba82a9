// The records the programs read and write: sequential fields, and the
// settings file as the setup writes it and the about window reads it
// (damaged files included).
#include <gtest/gtest.h>

#include "sequential_fields.h"
#include "settings_record.h"

using namespace std::string_literals;
using Fields = std::vector<std::string>;

TEST(Fields, QuotesCommasBlanksAndLineEndsAndNoQuoteWithinAField) {
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
    };
    for (const auto& c : cases) EXPECT_EQ(rt::ReadFields(c.content, 5), c.fields) << c.content;
}

// The bytes the setup writes are its end-to-end test's.
TEST(SettingsFile, WhatTheAboutWindowMakesOfAnyFile) {
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
