#pragma once
// One run of the setup: what it installs from and to, its log, and whether
// it has installed yet. The interactive windows and the quiet mode share it.
#include <windows.h>

#include "install.h"
#include "setup_log.h"
#include "setup_rules.h"
#include "setup_texts.h"

namespace setup {

struct SetupSession {
    InstallRequest request;  // its language is the one the user installs in
    SetupLog& log;
    bool quiet = false;      // no window and no message at all
    bool installed = false;  // by any attempt of this run

    // Installs in `language`; false, with the log saying why, when this
    // attempt failed, whatever an earlier one did.
    bool Install(Language language);
    // How leaving now ends the setup: done once it has installed, else cancelled.
    ExitCode LeaveCode() const { return installed ? kDone : kCancelled; }
    // Says it in a message box over `owner`, and returns the button chosen;
    // a quiet run says nothing and takes the default button.
    int Tell(Say what, Language language, HWND owner = nullptr) const;
    // Ends the program with `code`, which the log records.
    [[noreturn]] void End(ExitCode code);
};

}  // namespace setup
