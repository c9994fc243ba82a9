#pragma once
// The setup's fixed facts, free of the platform: which option button is
// which language, the files it ships and installs, how it ends, and the
// command that opens the display settings. What it says: setup_texts.h.
#include <cstdint>
#include <string>

#include "settings_record.h"

namespace setup {

using toolkit::Language;

// The language window's option buttons: index 0 English, 1 German.
inline Language LanguageOfOption(bool englishSelected) {
    return englishSelected ? Language::English : Language::German;
}

inline constexpr wchar_t kShippedSaverName[] = L"Qor.drl";
inline constexpr wchar_t kInstalledSaverName[] = L"Veltrin.scr";
// The setup's copy of itself beside the saver, which the list of installed
// programs starts to remove it.
inline constexpr wchar_t kUninstallerName[] = L"Veltrin-Uninstall.exe";

// How the setup ends, whatever its mode.
enum ExitCode : unsigned { kDone = 0, kFailed = 1, kCancelled = 2, kAlreadyRunning = 3 };

// The display settings opened on `page`. A page outside 0..3 becomes 3, also
// in the caller's variable.
std::wstring DisplaySettingsCommand(std::int32_t& page);

}  // namespace setup
