#include "setup_run.h"

#include <windows.h>

#include <optional>

#include "app.h"
#include "paths.h"
#include "setup_windows.h"
#include "uninstall.h"

namespace setup {
namespace {

// One setup at a time on the machine, whichever session started it.
constexpr wchar_t kOneSetup[] = L"Global\\Veltrin.Setup";

// Asks first, in the language the saver was installed in.
int RunUninstall(const SetupOptions& options, SetupSession& session) {
    const std::optional<Language> installed = InstalledLanguage();
    const Language language = installed.value_or(options.language.value_or(Language::English));
    if (!installed) session.log.Line({L"nothing is installed"});
    if (installed && session.Tell(Say::UninstallQuestion, language) != IDYES) {
        session.log.Line({L"not removed: the user said no"});
        return kCancelled;
    }
    try {
        const bool removed = installed && Uninstall(rt::App::ExeFile(), session.log) == UninstallOutcome::Removed;
        session.Tell(removed ? Say::Uninstalled : Say::NotInstalled, language);
        return kDone;
    } catch (const std::exception&) {
        session.Tell(Say::UninstallFailed, language);
        return kFailed;
    }
}

int RunInstall(Language language, SetupSession& session) {
    if (session.quiet) return session.Install(language) ? kDone : kFailed;
    SetupWindows(session, language).Run();  // its windows end the setup; if none did, it is left
    return session.LeaveCode();
}

}  // namespace

void Run(std::span<const std::wstring> arguments) {
    const SetupOptions options = ParseArguments(arguments);
    // Without WinDir there is no Windows directory: the install refuses the
    // empty name rather than write into the drive's root folder.
    const InstallRequest request{rt::Environ(L"WinDir").value_or(L""), JoinPath(rt::App::Path(), kShippedSaverName),
                                 rt::App::ExeFile()};
    // A log onto a file the run reads or writes would change what it does.
    SetupLog log = options.log && MayLogTo(*options.log, request) ? SetupLog(*options.log) : SetupLog();
    std::wstring line = L"Veltrin-Setup";
    for (const std::wstring& argument : arguments) line.append(L" ").append(argument);
    log.Line({line});
    SetupSession session{request, log, options.quiet};
    const Language language = options.language.value_or(Language::English);
    if (!options.valid || options.help) {
        if (!options.valid) log.Line({L"refused: an argument it does not know"});
        session.Tell(options.valid ? Say::Usage : Say::Refused, language);
        session.End(options.valid ? kDone : kFailed);
    }
    // Held from here to the end; a setup that only says something never holds it.
    std::optional<rt::InstanceMarker> oneSetup(std::in_place, kOneSetup);
    if (oneSetup->AnotherCopyRunning()) {
        oneSetup.reset();
        log.Line({L"another setup is running"});
        session.Tell(Say::AlreadyRunning, language);
        session.End(kAlreadyRunning);
    }
    session.End(static_cast<ExitCode>(options.uninstall ? RunUninstall(options, session)
                                                        : RunInstall(language, session)));
}

}  // namespace setup
