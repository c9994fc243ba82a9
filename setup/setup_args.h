#pragma once
// The setup's command line, free of the platform. Switches start with '/'
// or '-' and are matched in any case; a value follows '='. Each switch is
// said once, in kSwitches, which the parser reads and the usage text lists.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings_record.h"

namespace setup {

using toolkit::Language;

enum class Switch { Quiet, Language, Log, Uninstall, Help };
struct SwitchDesign {
    Switch which;
    const wchar_t* name;      // after '/' or '-', in lower case
    const wchar_t* alias;     // another name, or none
    const wchar_t* value[2];  // what follows '=', as the usage names it in English and German; none: it takes none
    const wchar_t* does[2];   // in English and German
};
inline constexpr SwitchDesign kSwitches[] = {
    {Switch::Quiet, L"quiet", nullptr, {}, {L"install or remove without any window or message",
                                            L"ohne Fenster und ohne Meldung installieren oder entfernen"}},
    {Switch::Language, L"lang", nullptr, {L"en|de", L"en|de"}, {L"the language of the installation (English if not given)",
                                                                 L"die Sprache der Installation (ohne Angabe Englisch)"}},
    {Switch::Log, L"log", nullptr, {L"PATH", L"PFAD"}, {L"append an account of the run to the file PATH",
                                                         L"den Ablauf an die Datei PFAD anh\u00E4ngen"}},
    {Switch::Uninstall, L"uninstall", nullptr, {}, {L"remove the installed screen saver",
                                                    L"den installierten Bildschirmschoner entfernen"}},
    {Switch::Help, L"?", L"help", {}, {L"this message", L"diese Meldung"}},
};

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
