#include "uninstall.h"

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "chosen_saver.h"
#include "file_steps.h"
#include "install.h"
#include "paths.h"
#include "failures.h"
#include "transaction.h"
#include "uninstall_entry.h"

namespace setup {
namespace {

// Whether the user's chosen saver is `saver`, which may be gone already.
bool ChosenIs(const std::optional<RegistryValue>& chosen, const std::wstring& saver) {
    return chosen && SameFile(PathOf(*chosen), saver);
}

// A Veltrin saver that stays after the entry is gone: the chosen one, or one
// beside the program that runs. Empty when there is none.
std::wstring VeltrinThatRemains(const std::wstring& running) {
    const std::optional<RegistryValue> chosen = ChosenSaver();
    for (const std::wstring& saver : {chosen ? PathOf(*chosen) : L"", JoinPath(FolderOf(running), kInstalledSaverName)}) {
        if (IsFile(saver) && SameFile(saver, JoinPath(FolderOf(saver), kInstalledSaverName))) return saver;
    }
    return {};
}

// An entry that names no folder holding its uninstaller names no install
// either (edited, or left by a setup killed on its way): the entry goes
// alone, with a choice of the missing saver it names. Nothing else counts as
// removed: a Veltrin that remains makes this a failure.
UninstallOutcome RemoveTheEntryOnly(const std::wstring& folder, const std::wstring& running, SetupLog& log) {
    log.Line({L"no uninstaller in \"", folder, L"\": only the entry is removed"});
    ThrowIfWin32Error(DeleteEntry(), "the entry cannot be removed");
    log.Line({L"removed the entry"});
    const std::wstring saver = JoinPath(folder, kInstalledSaverName);
    if (IsAbsolutePath(folder) && !IsFile(saver) && ChosenIs(ChosenSaver(), saver) && SetChosenSaver(std::nullopt) == ERROR_SUCCESS) {
        log.Line({L"no longer the chosen screen saver: ", saver});
    }
    if (const std::wstring left = VeltrinThatRemains(running); !left.empty()) {
        log.Line({L"remains: ", left});
        throw rt::Failure("a Veltrin remains that the entry did not name");
    }
    return UninstallOutcome::NothingInstalled;
}

// The install in `folder`, which holds its uninstaller, removed as one
// transaction. Marked files go when the removal ends, or when it is killed:
// the entry stays listed, naming its uninstaller, until the saver and its
// settings are marked; it is unlisted before the uninstaller leaves, and
// goes last.
void RemoveTheInstall(const RegistryValues& entry, const std::wstring& folder, const std::wstring& running, SetupLog& log) {
    // Outside the try, what the transaction's undos use after it: the files it
    // unmarks, this program's file it puts back, the choice it restores.
    std::vector<Removal> files;
    std::optional<MovedAside> self;
    std::optional<RegistryValue> chosen = ChosenSaver();
    Transaction removal(log);
    try {
        const std::wstring saver = JoinPath(folder, kInstalledSaverName), uninstaller = JoinPath(folder, kUninstallerName);
        const bool fromUninstaller = SameFile(running, uninstaller);
        // Asked while the saver still opens by any name: marked, it would not.
        const bool chosenGoes = ChosenIs(chosen, saver);
        // Each opened before any is marked: a file in use refuses here.
        files.emplace_back(saver);
        files.emplace_back(JoinPath(folder, toolkit::kSettingsFileName));
        if (!fromUninstaller) files.emplace_back(uninstaller);

        for (Removal& file : std::span(files).first(2)) {
            removal.Do({L"marked for removal: ", file.Path()}, [&file] { file.Mark(); }, [&file] { return file.Undo(); });
        }
        if (chosenGoes) {
            removal.Do({L"no longer the chosen screen saver: ", PathOf(*chosen)},
                       [] { ThrowIfWin32Error(SetChosenSaver(std::nullopt), "the chosen screen saver cannot be cleared"); },
                       [&chosen] { return UndoneUnless(SetChosenSaver(chosen)); });
        }
        removal.Do({L"no longer listed in Apps & features"}, [] { ThrowIfWin32Error(Unlist(), "the entry cannot be removed"); },
                   [&entry] { return UndoneUnless(RestoreEntry(entry)); });
        if (fromUninstaller) {
            removal.Do({L"moved aside: ", running}, [&] { self.emplace(running); }, [&self] { return self ? self->Undo() : L""; });
        } else {
            removal.Do({L"marked for removal: ", uninstaller}, [&files] { files.back().Mark(); },
                       [&files] { return files.back().Undo(); });
        }
        removal.Do({L"removed the entry"}, [] { ThrowIfWin32Error(DeleteEntry(), "the entry cannot be removed"); },
                   [&entry] { return UndoneUnless(RestoreEntry(entry)); });
        removal.Commit();
    } catch (const rt::Failure& failure) {
        log.Failed(failure);
        removal.RollBack();
        throw;
    }
    if (self) log.Line({self->RemovedAtRestart() ? L"removed at the next start: " : L"left to the next setup: ", self->Path()});
}  // here the marked files go

}  // namespace

UninstallOutcome Uninstall(const std::wstring& running, SetupLog& log) {
    std::optional<RegistryValues> entry;
    std::wstring folder;
    try {
        entry = ReadEntry();
        if (!entry) {
            log.Line({L"nothing is installed"});
            return UninstallOutcome::NothingInstalled;
        }
        folder = TextOf(*entry, L"InstallLocation");
        if (IsAbsolutePath(folder) && IsFolder(folder)) SweepScratchFiles(folder, kInstalledFiles, log);
        if (!IsAbsolutePath(folder) || !IsFile(JoinPath(folder, kUninstallerName))) return RemoveTheEntryOnly(folder, running, log);
    } catch (const rt::Failure& failure) {
        log.Failed(failure);
        throw;
    }
    log.Line({L"removing the entry and what it names in ", folder});
    RemoveTheInstall(*entry, folder, running, log);
    log.Line({L"removed"});
    return UninstallOutcome::Removed;
}

}  // namespace setup
