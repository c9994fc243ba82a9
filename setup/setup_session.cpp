#include "setup_session.h"

#include "app.h"
#include "text_encoding.h"

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

void SetupSession::End(ExitCode code) {
    log.Line(L"exit code " + rt::Decimal(code));
    rt::End(code);
}

}  // namespace setup
