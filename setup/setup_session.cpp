#include "setup_session.h"

#include "app.h"
#include "decimal.h"

namespace setup {

bool SetupSession::Install(Language language) {
    request.language = language;
    try {
        InstallInto(request, log);
    } catch (const std::exception&) {  // the log has it
        return false;
    }
    installed = true;
    return true;
}

namespace {

UINT StyleOf(Say what) {
    switch (what) {
        case Say::UninstallQuestion:
            return MB_YESNO | MB_ICONQUESTION;
        case Say::InstallFailed:
        case Say::UninstallFailed:
            return MB_OK | MB_ICONSTOP;
        case Say::AlreadyRunning:
        case Say::Refused:
            return MB_OK | MB_ICONWARNING;
        default:
            return MB_OK | MB_ICONINFORMATION;
    }
}

}  // namespace

int SetupSession::Tell(Say what, Language language, HWND owner) const {
    const UINT style = StyleOf(what);
    if (quiet) return (style & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    const Message message = MessageFor(what, language);
    return rt::MsgBox(owner, message.text, style, message.title);
}

void SetupSession::End(ExitCode code) {
    log.Line({L"exit code ", rt::Decimal(code)});
    rt::End(code);
}

}  // namespace setup
