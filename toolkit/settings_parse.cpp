#include "settings_record.h"

#include <vector>

#include "sequential_fields.h"
#include "text_encoding.h"

namespace toolkit {
namespace {

std::wstring Drawable(std::string text) {
    if (text.size() > kMostTextLength) text.resize(kMostTextLength);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t') c = '?';
    }
    return rt::FromWindows1252(text);
}

}  // namespace

SettingsTexts ParseSettings(std::optional<std::string_view> content) {
    SettingsTexts texts{rt::FromWindows1252(kEnglishTexts.title), rt::FromWindows1252(kEnglishTexts.note)};
    if (!content) return texts;
    std::vector<std::string> fields = rt::ReadFields(*content, 2);
    if (fields.size() > 0) texts.TitleText = Drawable(std::move(fields[0]));
    if (fields.size() > 1) texts.NoteText = Drawable(std::move(fields[1]));
    return texts;
}

}  // namespace toolkit
