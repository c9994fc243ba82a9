#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>

#include "handles.h"
#include "paths.h"

namespace setup {
namespace {

DWORD AttributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

// The volume and the file's number there: one file under all its names.
// Folders too, which open only with backup semantics.
std::optional<std::pair<DWORD, ULONGLONG>> Identity(const std::wstring& path) {
    rt::UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return std::pair{info.dwVolumeSerialNumber, ULONGLONG(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

std::wstring FullName(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    full.resize(n < full.size() ? n : 0);
    return full;
}

bool SameName(std::wstring_view x, std::wstring_view y) {
    return ::CompareStringOrdinal(x.data(), int(x.size()), y.data(), int(y.size()), TRUE) == CSTR_EQUAL;
}

// "C:" alone names the drive's current folder, not its root.
std::wstring AsFolder(const std::wstring& folder) { return folder.back() == L':' ? folder + L'\\' : folder; }

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
    const auto first = Identity(a), second = Identity(b);
    if (first || second) return first == second;
    // Neither is there: the same name, in any case, in one folder however that
    // is spelled (a short name, "\\?\", forward slashes).
    const std::wstring x = FullName(a), y = FullName(b), xFolder = FolderOf(x), yFolder = FolderOf(y);
    if (xFolder.empty() || yFolder.empty() || !SameName(x.substr(xFolder.size()), y.substr(yFolder.size()))) return false;
    const auto xIn = Identity(AsFolder(xFolder)), yIn = Identity(AsFolder(yFolder));
    return xIn || yIn ? xIn == yIn : SameName(xFolder, yFolder);
}

}  // namespace setup
