#include "paths.h"

#include "decimal.h"

namespace setup {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

// Digits up to the next '.', which is passed; false when there are none.
bool SkipNumber(std::wstring_view& rest) {
    std::size_t n = 0;
    while (n < rest.size() && IsDigit(rest[n])) ++n;
    if (n == 0 || n == rest.size() || rest[n] != L'.') return false;
    rest.remove_prefix(n + 1);
    return true;
}

}  // namespace

bool IsAbsolutePath(std::wstring_view path) {
    const bool drive = path.size() >= 3 && LowerAscii(path[0]) >= L'a' && LowerAscii(path[0]) <= L'z' && path[1] == L':' &&
                       IsSeparator(path[2]);
    const bool unc = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
    return drive || unc;
}

std::wstring JoinPath(const std::wstring& folder, const wchar_t* name) { return folder + L"\\" + name; }

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L"\\/");
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last);
}

std::wstring ScratchName(const std::wstring& target, unsigned long process, unsigned long serial, const wchar_t* kind) {
    return target + L"." + rt::Decimal(process) + L"." + rt::Decimal(serial) + L"." + kind;
}

bool IsScratchName(std::wstring_view name, std::wstring_view target) {
    if (name.size() <= target.size() || name[target.size()] != L'.') return false;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (LowerAscii(name[i]) != LowerAscii(target[i])) return false;
    }
    std::wstring_view rest = name.substr(target.size() + 1);
    return SkipNumber(rest) && SkipNumber(rest) && rest.size() == 3 && LowerAscii(rest[0]) == L't' &&
           LowerAscii(rest[1]) == L'm' && LowerAscii(rest[2]) == L'p';
}

}  // namespace setup
