#pragma once
// The installation and its removal, all or nothing. The install checks the
// shipped saver, writes every new file beside its target, then puts the
// saver, the settings file and the setup's copy of itself (the uninstaller)
// in place and registers the product in the list of installed programs; a
// failure at any step puts back what was there. Killed at any moment, each
// target holds its earlier or its new bytes. The removal takes all of it
// out again, or nothing.
#include <optional>
#include <string>

#include "setup_args.h"
#include "setup_log.h"

namespace setup {

struct InstallRequest {
    std::wstring windows;       // the Windows directory: an absolute path to a folder
    std::wstring shipped;       // the saver shipped beside the setup
    std::wstring setupProgram;  // this setup's own file, kept as the uninstaller
    Language language = Language::English;
};

// Each step goes to `log`. Throws rt::Failure when anything fails, after
// putting back what was there (the log says what could not be).
void InstallInto(const InstallRequest& request, SetupLog& log);

enum class UninstallOutcome { Removed, NothingInstalled };
// Removes what the entry in the list of installed programs names: the saver,
// its settings file, the uninstaller, the entry, and the current user's
// choice of the saver. `running` is this program's file: when it is the
// uninstaller, it is moved aside and removed by the system at its next start.
// Throws rt::Failure, with everything still installed.
UninstallOutcome Uninstall(const std::wstring& running, SetupLog& log);

// The language the saver was installed in; nothing when none is installed.
// An entry that cannot be read counts as one in English.
std::optional<Language> InstalledLanguage();

}  // namespace setup
