#pragma once
// What the setup says, free of the platform, in English and German: the
// language window's button captions, the texts of the welcome window, and
// its messages, the list of its switches among them.
#include <string>
#include <vector>

#include "settings_record.h"
#include "version_record.h"

namespace setup {

using toolkit::Language;

struct ButtonCaptions {
    const wchar_t* next;    // Command1
    const wchar_t* cancel;  // Command2
};
ButtonCaptions CaptionsFor(Language language);

// The items the welcome window prints on the device's screen, each with the
// carriage returns that space it from the next. Finished: the completion set
// instead of the welcome set.
std::vector<std::wstring> ScreenItems(bool finished, Language language, const rt::VersionRecord& version);

// What the setup says in a message box.
enum class Say {
    InstallFailed,      // the setup ends when it is closed
    UninstallQuestion,  // asked before anything is removed
    Uninstalled,
    NotInstalled,
    UninstallFailed,
    AlreadyRunning,  // in both languages at once: no language is chosen yet
    Usage,           // the switches and the exit codes
    Refused,         // the same, after an argument it does not know
};
struct Message {
    std::wstring text;
    const wchar_t* title;
};
Message MessageFor(Say what, Language language);

}  // namespace setup
