#pragma once
// The removal, all or nothing, of what the entry in the list of installed
// programs names: the saver, its settings file, the uninstaller, the entry,
// and the current user's choice of the saver. It removes only files it can
// show are its own: those in the folder the entry names, when that folder
// holds the uninstaller. Killed at any moment, it leaves the entry with its
// uninstaller in place, or no entry and nothing but what the next setup
// removes.
#include <string>

#include "setup_log.h"

namespace setup {

enum class UninstallOutcome {
    Removed,
    NothingInstalled,  // no entry, or one that named no install: that entry is gone
};

// `running` is this program's file: when it is the uninstaller, it is moved
// aside and removed by the system at its next start (or by the next setup).
// Throws rt::Failure, with everything still installed; or, after removing an
// entry that named no install, when a Veltrin remains chosen or beside
// `running`, which it cannot show is its own.
UninstallOutcome Uninstall(const std::wstring& running, SetupLog& log);

}  // namespace setup
