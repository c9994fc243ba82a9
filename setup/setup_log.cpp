#include "setup_log.h"

#include <windows.h>

#include "failure.h"
#include "decimal.h"

namespace setup {
namespace {

// The local time as "2026-12-08 09:05:03  ", in the system's own formatting.
std::wstring Now() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    wchar_t text[32];
    ::wsprintfW(text, L"%04u-%02u-%02u %02u:%02u:%02u  ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string Utf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring Joined(std::initializer_list<std::wstring_view> parts) {
    std::wstring joined;
    for (const std::wstring_view part : parts) joined += part;
    return joined;
}

// Opened for appending only, so that each line lands at the end even when
// another run appends to the same file; others may read it meanwhile.
SetupLog::SetupLog(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

void SetupLog::Line(std::initializer_list<std::wstring_view> parts) {
    if (!file_) return;
    const std::string line = Utf8(Now() + Joined(parts) + L"\r\n");
    DWORD written = 0;
    ::WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void SetupLog::Failed(const rt::Failure& failure) {
    const std::string what = failure.what();
    const std::wstring code = failure.code() ? L" (system error " + rt::Decimal(failure.code()) + L")" : L"";
    Line({L"failed: ", std::wstring(what.begin(), what.end()), code});
}

}  // namespace setup
