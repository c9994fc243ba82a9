#pragma once
// What the setup says and where it puts things, free of the platform: the
// language window's button captions, the texts of the welcome window, the
// failure message, the installed files' paths and the display-settings
// command.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings_record.h"
#include "version_record.h"

namespace setup {

using toolkit::Language;

// The language window's option buttons: index 0 English, 1 German.
inline Language LanguageOfOption(bool englishSelected) {
    return englishSelected ? Language::English : Language::German;
}

struct ButtonCaptions {
    const wchar_t* next;    // Command1
    const wchar_t* cancel;  // Command2
};
ButtonCaptions CaptionsFor(Language language);

// The items the welcome window prints on the device's screen, each with the
// carriage returns that space it from the next. Finished: the completion set
// instead of the welcome set.
std::vector<std::wstring> ScreenItems(bool finished, Language language, const rt::VersionRecord& version);

struct Message {
    const wchar_t* text;
    const wchar_t* title;
};
// What the setup says in a message box.
enum class Say {
    InstallFailed,      // the setup ends when it is closed
    UninstallQuestion,  // asked before anything is removed
    Uninstalled,
    NotInstalled,
    UninstallFailed,
    AlreadyRunning,  // in both languages at once: no language is chosen yet
    Usage,           // the switches and the exit codes
};
Message MessageFor(Say what, Language language);

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
