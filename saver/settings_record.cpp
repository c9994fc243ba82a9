#include "settings_record.h"

#include <vector>

#include "sequential_fields.h"

namespace saver {
namespace {

std::string Drawable(std::string text) {
    if (text.size() > kMostTextLength) text.resize(kMostTextLength);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t') c = '?';
    }
    return text;
}

}  // namespace

std::string SettingsRecord(Language language) {
    switch (language) {
    case Language::German:
        return rt::FormatRecord({"Veltrin-Bildschirmschoner", "Kostenloses Programm!"});
    case Language::English:
        break;
    }
    return rt::FormatRecord({kDefaultTitle, kDefaultNote});
}

SettingsTexts ParseSettings(std::optional<std::string_view> content) {
    SettingsTexts texts{std::string(kDefaultTitle), std::string(kDefaultNote)};
    if (!content) return texts;
    std::vector<std::string> fields = rt::ReadFields(*content, 2);
    if (fields.size() > 0) texts.TitleText = Drawable(std::move(fields[0]));
    if (fields.size() > 1) texts.NoteText = Drawable(std::move(fields[1]));
    return texts;
}

}  // namespace saver
