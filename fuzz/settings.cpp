// The settings file may be damaged or written by anyone.
#include <fuzzer/FuzzedDataProvider.h>

#include <cassert>
#include <string>
#include <vector>

#include "sequential_fields.h"
#include "settings_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const toolkit::SettingsTexts texts = toolkit::ParseSettings(content);
    for (const std::wstring* text : {&texts.TitleText, &texts.NoteText}) {
        assert(text->size() <= toolkit::kMostTextLength);
        for (const wchar_t c : *text) assert(c >= 0x20 || c == L'\t');
    }

    // Any two fields a record can hold read back as they were written.
    const std::size_t cut = FuzzedDataProvider(data, size).ConsumeIntegralInRange<std::size_t>(0, size);
    std::string a = content.substr(0, cut), b = content.substr(cut);
    for (std::string* field : {&a, &b}) {
        std::erase_if(*field, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
    }
    assert(rt::ReadFields(rt::FormatRecord({a, b}), 2) == (std::vector<std::string>{a, b}));
    return 0;
}
