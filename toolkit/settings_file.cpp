#include "settings_file.h"

#include "sequential_file.h"

namespace toolkit {

std::wstring SettingsFilePath(const std::wstring& folder) { return folder + L"\\" + kSettingsFileName; }

SettingsTexts ReadSettingsFile(const std::wstring& path) {
    const std::optional<std::string> content = rt::ReadWholeFile(path);
    if (!content) return ParseSettings(std::nullopt);
    return ParseSettings(std::string_view(*content));
}

}  // namespace toolkit
