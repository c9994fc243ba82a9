#include "setup_log.h"

#include <windows.h>

#include "failure.h"
#include "decimal.h"

namespace setup {
namespace {

std::wstring TwoDigits(int n) { return (n < 10 ? L"0" : L"") + rt::Decimal(n); }

std::wstring Now() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return rt::Decimal(t.wYear) + L"-" + TwoDigits(t.wMonth) + L"-" + TwoDigits(t.wDay) + L" " + TwoDigits(t.wHour) + L":" +
           TwoDigits(t.wMinute) + L":" + TwoDigits(t.wSecond);
}

std::string Utf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

}  // namespace

// Opened for appending only, so that each line lands at the end even when
// another run appends to the same file; others may read it meanwhile.
SetupLog::SetupLog(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

void SetupLog::Line(std::wstring_view text) {
    if (!file_) return;
    const std::string line = Utf8(Now() + L"  " + std::wstring(text) + L"\r\n");
    DWORD written = 0;
    ::WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void SetupLog::Failed(const rt::Failure& failure) {
    const std::string what = failure.what();
    Line(L"failed: " + std::wstring(what.begin(), what.end()) +
         (failure.code() ? L" (system error " + rt::Decimal(failure.code()) + L")" : L""));
}

}  // namespace setup
