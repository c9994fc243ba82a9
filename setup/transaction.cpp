#include "transaction.h"

#include <windows.h>

#include "decimal.h"

namespace setup {

void Transaction::Do(std::initializer_list<std::wstring_view> name, rt::Callback<void()> step, Undo undo) {
    steps_.push_back({Joined(name), undo});
    step();
    steps_.back().finished = true;
    log_.Line({steps_.back().name});
}

void Transaction::RollBack() noexcept {
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
        const std::wstring left = step->undo();
        const wchar_t* what = step->finished ? L": " : L" (what it began): ";
        log_.Line({left.empty() ? L"undone" : L"not undone", what, step->name, left.empty() ? L"" : L"; ", left});
    }
    steps_.clear();
}

std::wstring UndoneUnless(long status) {
    return status == ERROR_SUCCESS ? L"" : L"system error " + rt::Decimal(status);
}

}  // namespace setup
