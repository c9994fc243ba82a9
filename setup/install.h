#pragma once
// The installation, all or nothing. It checks the shipped saver, writes every
// new file beside its target, and then, as one transaction: registers the
// product (not yet listed), puts the uninstaller, the saver and the settings
// file in place, and lists the product in Apps & features. A failure at any
// step puts back what was there. Killed at any moment, each target holds its
// earlier or its new bytes, and no installed file is ever without its entry.
#include <optional>
#include <string>

#include "settings_file.h"
#include "setup_args.h"
#include "setup_log.h"
#include "setup_rules.h"

namespace setup {

struct InstallRequest {
    std::wstring windows;       // the Windows directory: an absolute path to a folder
    std::wstring shipped;       // the saver shipped beside the setup
    std::wstring setupProgram;  // this setup's own file, kept as the uninstaller
    Language language = Language::English;
};

// The files an install puts into its folder, in the order it puts them: the
// uninstaller is in place before the entry names it.
inline constexpr const wchar_t* kInstalledFiles[] = {kUninstallerName, kInstalledSaverName, toolkit::kSettingsFileName};

// Each step goes to `log`. Throws rt::Failure when anything fails, after
// putting back what was there (the log says what could not be).
void InstallInto(const InstallRequest& request, SetupLog& log);

// The language the saver was installed in; nothing when none is installed.
// An entry that cannot be read counts as one in English.
std::optional<Language> InstalledLanguage();

// Whether a log may be written at `path`: never onto a file that an install
// or a removal reads or writes, whether it exists yet or not.
bool MayLogTo(const std::wstring& path, const InstallRequest& request);

}  // namespace setup
