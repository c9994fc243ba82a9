#include "file_steps.h"

#include <vector>

#include "platform.h"
#include "sequential_file.h"
#include "step_failure.h"
#include "text_encoding.h"

namespace setup {
namespace {

// Deletion pending at the last close of the file, or no longer pending.
bool MarkForDeletion(HANDLE file, bool marked) noexcept {
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = marked;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &info, sizeof info);
}

// Times left as they are: zero means "unchanged".
void SetAttributes(HANDLE file, DWORD attributes) noexcept {
    FILE_BASIC_INFO info{};
    info.FileAttributes = attributes;
    ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info);
}

// The next name for a scratch file beside `target`: "<target>.<process id>.<n>.tmp".
std::wstring ScratchName(const std::wstring& target) {
    static unsigned serial = 0;
    return target + L"." + rt::Decimal(::GetCurrentProcessId()) + L"." + rt::Decimal(++serial) + L".tmp";
}

bool NameTaken() {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

}  // namespace

ScratchFile::ScratchFile(const std::wstring& target) {
    do {
        path_ = ScratchName(target);
        // Shared for deletion only, which the rename into place needs.
        file_.reset(::CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    } while (!file_ && NameTaken());
    if (!file_) Fail("a new file cannot be made");
    if (!MarkForDeletion(file_.get(), true)) {
        file_.reset();
        ::DeleteFileW(path_.c_str());
        Fail("a new file cannot be made");
    }
}

void ScratchFile::Write(std::string_view bytes) {
    if (!rt::WriteAll(file_.get(), bytes) || !::FlushFileBuffers(file_.get())) Fail("a new file cannot be written");
}

void ScratchFile::CopyFrom(HANDLE source) {
    std::vector<char> buffer(1u << 16);
    for (DWORD got = 0;; ) {
        if (!::ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) Fail("the earlier file cannot be read");
        if (got == 0) break;
        if (!rt::WriteAll(file_.get(), std::string_view(buffer.data(), got))) Fail("the earlier file cannot be kept");
    }
    if (!::FlushFileBuffers(file_.get())) Fail("the earlier file cannot be kept");
}

bool ScratchFile::TakePlaceOf(const std::wstring& target, const FILE_BASIC_INFO* info) noexcept {
    if (!MarkForDeletion(file_.get(), false)) return false;
    if (info) ::SetFileInformationByHandle(file_.get(), FileBasicInfo, const_cast<FILE_BASIC_INFO*>(info), sizeof *info);
    if (!rt::Platform().MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        MarkForDeletion(file_.get(), true);
        return false;
    }
    path_ = target;
    file_.reset();
    return true;
}

void ScratchFile::Keep() noexcept {
    if (MarkForDeletion(file_.get(), false)) file_.reset();
}

Replacement::Replacement(std::wstring target, std::string_view bytes) : target_(std::move(target)), next_(target_) {
    next_.Write(bytes);
}

void Replacement::Apply() {
    // Read, not renamed away: killed at any moment, the target holds its
    // earlier bytes or its new ones, never nothing.
    rt::UniqueFile earlier(::CreateFileW(target_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (earlier) {
        if (!::GetFileInformationByHandleEx(earlier.get(), FileBasicInfo, &earlier_, sizeof earlier_)) Fail("the earlier file cannot be read");
        backup_.emplace(target_);
        backup_->CopyFrom(earlier.get());
        earlier.reset();
    } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
        Fail("the earlier file cannot be kept");
    }
    if (!next_.TakePlaceOf(target_)) Fail("the file cannot be replaced");
    applied_ = true;
}

bool Replacement::Undo() noexcept {
    if (!applied_) return true;
    applied_ = false;
    if (!backup_) return ::DeleteFileW(target_.c_str());
    if (backup_->TakePlaceOf(target_, &earlier_)) return true;
    backup_->Keep();  // now the only copy of the earlier file
    return false;
}

Removal::Removal(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!file_ && ::GetLastError() != ERROR_FILE_NOT_FOUND && ::GetLastError() != ERROR_PATH_NOT_FOUND) {
        Fail("a file to remove is in use");
    }
}

void Removal::Mark() {
    if (!file_) return;
    // A read-only file cannot be marked: its attribute goes first, and comes back with Unmark.
    FILE_BASIC_INFO info{};
    if (!::GetFileInformationByHandleEx(file_.get(), FileBasicInfo, &info, sizeof info)) Fail("a file to remove cannot be read");
    attributes_ = info.FileAttributes;
    if (attributes_ & FILE_ATTRIBUTE_READONLY) SetAttributes(file_.get(), (attributes_ & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL);
    if (!MarkForDeletion(file_.get(), true)) Fail("a file to remove cannot be deleted");
}

void Removal::Unmark() noexcept {
    if (!file_ || !attributes_) return;
    MarkForDeletion(file_.get(), false);
    SetAttributes(file_.get(), attributes_);
}

MovedAside::MovedAside(std::wstring path) : path_(std::move(path)) {
    bool moved = false;
    do {
        aside_ = ScratchName(path_);
        moved = rt::Platform().MoveFileExW(path_.c_str(), aside_.c_str(), 0);
    } while (!moved && NameTaken());
    if (!moved) Fail("the uninstaller cannot be moved aside");
}

void MovedAside::PutBack() noexcept { rt::Platform().MoveFileExW(aside_.c_str(), path_.c_str(), 0); }

bool MovedAside::RemoveAtRestart() noexcept {
    return rt::Platform().MoveFileExW(aside_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
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
