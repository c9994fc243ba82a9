// The settings file may be damaged or written by anyone.
#include <cassert>
#include <string>

#include "settings_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const toolkit::SettingsTexts texts = toolkit::ParseSettings(content);
    for (const std::wstring* text : {&texts.TitleText, &texts.NoteText}) {
        assert(text->size() <= toolkit::kMostTextLength);
        for (const wchar_t c : *text) assert(c >= 0x20 || c == L'\t');
    }
    return 0;
}
