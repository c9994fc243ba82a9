#pragma once
// The settings file "scrVeltrin.ini": one record of two quoted fields, the
// title and the note the about window shows, written by the setup in the
// language the user chose. Free of the platform; settings_file.h reads and
// writes the file itself.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

enum class Language { English, German };

// The product's title and note in a language: what the setup writes into the
// file, shows on its welcome screen and lists the product by. The English
// ones stand in for a text the file does not give.
struct ProductTexts {
    const char* title;
    const char* note;
};
inline constexpr ProductTexts kEnglishTexts{"Veltrin-Screen-Saver", "Free Program!"};
inline constexpr ProductTexts kGermanTexts{"Veltrin-Bildschirmschoner", "Kostenloses Programm!"};
inline constexpr ProductTexts TextsIn(Language language) { return language == Language::German ? kGermanTexts : kEnglishTexts; }

// A text from the file is cut to this many characters: the about window shows
// one line of each, and a damaged file must not make it lay out megabytes.
inline constexpr std::size_t kMostTextLength = 1024;

// The file's exact bytes: "TITLE","NOTE" CR LF, nothing before or after.
std::string SettingsRecord(Language language);

struct SettingsTexts {
    std::wstring TitleText;
    std::wstring NoteText;
};

// The texts of a settings file's content; nothing when it could not be read.
// - The first two fields; any further ones are ignored.
// - A field the content does not reach takes its English value; a field that
//   is there but empty stays empty.
// - Control characters other than TAB (NUL included) become '?', so what
//   reaches the screen is always drawable text.
// - Each text is cut to kMostTextLength characters, and read as Windows-1252.
SettingsTexts ParseSettings(std::optional<std::string_view> content);

}  // namespace toolkit
