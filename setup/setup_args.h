#pragma once
// The setup's command line, free of the platform. Switches start with '/'
// or '-' and are matched in any case; a value follows '='.
//   /quiet        no window and no message at all
//   /lang=en|de   the language of the installation
//   /log=PATH     an account of the run appended to PATH
//   /uninstall    remove the installed saver instead
//   /? or /help   the switches and the exit codes
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings_record.h"

namespace setup {

using toolkit::Language;

struct SetupOptions {
    bool uninstall = false;
    bool help = false;
    bool quiet = false;
    std::optional<Language> language;
    std::optional<std::wstring> log;
    // False when an argument was refused: nothing is to be done but say so.
    bool valid = true;
};

// The arguments after the program's name, split as the system splits them.
SetupOptions ParseArguments(std::span<const std::wstring> arguments);

// "en" and "de", as /lang takes them.
const wchar_t* LanguageCode(Language language);
std::optional<Language> LanguageOfCode(std::wstring_view code);

}  // namespace setup
