#include "setup_rules.h"

#include "decimal.h"

namespace setup {

std::wstring DisplaySettingsCommand(std::int32_t& page) {
    if (page < 0 || page > 3) page = 3;
    return L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,," + rt::Decimal(page);
}

}  // namespace setup
