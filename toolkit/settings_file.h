#pragma once
// The settings file on disk: the setup writes it, the saver's about window
// reads it from the saver's own folder. What is in it: settings_record.h.
#include <string>

#include "settings_record.h"

namespace toolkit {

inline constexpr wchar_t kSettingsFileName[] = L"scrVeltrin.ini";

// `folder` (without a trailing backslash) joined with the file's name.
std::wstring SettingsFilePath(const std::wstring& folder);

// The texts of the file; the English ones stand in for what it does not give,
// all of them when it is missing or cannot be opened.
SettingsTexts ReadSettingsFile(const std::wstring& path);

}  // namespace toolkit
