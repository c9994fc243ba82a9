#include <windows.h>

#include <optional>
#include <utility>

#include "handles.h"
#include "paths.h"

namespace setup {
namespace {

DWORD AttributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

}  // namespace

bool IsFile(const std::wstring& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    // Folders too, which open only with backup semantics.
    const auto identity = [](const std::wstring& path) -> std::optional<std::pair<DWORD, ULONGLONG>> {
        rt::UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
        return std::pair{info.dwVolumeSerialNumber, ULONGLONG(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
    };
    const auto fullName = [](const std::wstring& path) {
        std::wstring full(MAX_PATH, L'\0');
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        full.resize(n < full.size() ? n : 0);
        return full;
    };
    const auto first = identity(a), second = identity(b);
    if (first || second) return first == second;
    // Neither is there: the same name, in any case.
    const std::wstring x = fullName(a), y = fullName(b);
    return !x.empty() && ::CompareStringOrdinal(x.c_str(), -1, y.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace setup
