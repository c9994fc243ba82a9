#include "file_steps.h"

#include <vector>

#include "paths.h"
#include "platform.h"
#include "sequential_file.h"
#include "failures.h"

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

// The next name of this run's for a scratch file beside `target`, or a kept one.
std::wstring NextScratchName(const std::wstring& target, const wchar_t* kind = L"tmp") {
    static unsigned long serial = 0;
    return ScratchName(target, ::GetCurrentProcessId(), ++serial, kind);
}

bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// `from` renamed to the first name of this run's beside `target` that no file
// holds (an earlier run's may: process ids recur), which `to` is set to.
// Returns the rename's error, or 0.
DWORD MoveToFreeName(const std::wstring& from, const std::wstring& target, const wchar_t* kind, std::wstring& to) {
    for (;;) {
        to = NextScratchName(target, kind);
        if (rt::Platform().MoveFileExW(from.c_str(), to.c_str(), 0)) return 0;
        if (const DWORD error = ::GetLastError(); !NameTaken(error)) return error;
    }
}

}  // namespace

ScratchFile::ScratchFile(const std::wstring& target) {
    DWORD error = 0;
    do {
        path_ = NextScratchName(target);
        // Shared for deletion only, which the rename into place needs.
        file_.reset(::CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        error = file_ ? 0 : ::GetLastError();
    } while (NameTaken(error));
    if (error) throw rt::Failure("a new file cannot be made", error);
    if (!MarkForDeletion(file_.get(), true)) {
        error = ::GetLastError();
        file_.reset();
        ::DeleteFileW(path_.c_str());
        throw rt::Failure("a new file cannot be made", error);
    }
}

void ScratchFile::Write(std::string_view bytes) {
    ThrowLastErrorIf(!rt::WriteAll(file_.get(), bytes) || !::FlushFileBuffers(file_.get()), "a new file cannot be written");
}

void ScratchFile::CopyFrom(HANDLE source) {
    std::vector<char> buffer(1u << 16);
    for (DWORD got = 0;;) {
        ThrowLastErrorIf(!::ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr),
                         "the earlier file cannot be read");
        if (got == 0) break;
        ThrowLastErrorIf(!rt::WriteAll(file_.get(), std::string_view(buffer.data(), got)), "the earlier file cannot be kept");
    }
    ThrowLastErrorIf(!::FlushFileBuffers(file_.get()), "the earlier file cannot be kept");
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

bool ScratchFile::KeepBeside(const std::wstring& target) noexcept {
    if (!MarkForDeletion(file_.get(), false)) return false;
    file_.reset();
    std::wstring kept;
    if (MoveToFreeName(path_, target, L"kept", kept)) return false;
    path_ = std::move(kept);
    return true;
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
        ThrowLastErrorIf(!::GetFileInformationByHandleEx(earlier.get(), FileBasicInfo, &earlier_, sizeof earlier_),
                         "the earlier file cannot be read");
        backup_.emplace(target_);
        backup_->CopyFrom(earlier.get());
        earlier.reset();
    } else {
        ThrowLastErrorIf(::GetLastError() != ERROR_FILE_NOT_FOUND, "the earlier file cannot be kept");
    }
    ThrowLastErrorIf(!next_.TakePlaceOf(target_), "the file cannot be replaced");
    applied_ = true;
}

std::wstring Replacement::Undo() noexcept {
    if (!applied_) return {};
    applied_ = false;
    if (!backup_) return ::DeleteFileW(target_.c_str()) ? L"" : L"the new file stays";
    if (backup_->TakePlaceOf(target_, &earlier_)) return {};
    // Now the only copy of the earlier file.
    if (backup_->KeepBeside(target_)) return L"the earlier file is kept as " + backup_->Path();
    return L"the earlier file cannot be kept; its copy goes: " + backup_->Path();
}

Removal::Removal(std::wstring path)
    : path_(std::move(path)),
      file_(::CreateFileW(path_.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    const DWORD error = file_ ? 0 : ::GetLastError();
    if (error && error != ERROR_FILE_NOT_FOUND) throw rt::Failure("a file to remove is in use", error);
}

void Removal::Mark() {
    if (!file_) return;
    // A read-only file cannot be marked: its attribute goes first, and comes back with Unmark.
    FILE_BASIC_INFO info{};
    ThrowLastErrorIf(!::GetFileInformationByHandleEx(file_.get(), FileBasicInfo, &info, sizeof info),
                     "a file to remove cannot be read");
    attributes_ = info.FileAttributes;
    if (attributes_ & FILE_ATTRIBUTE_READONLY) {
        SetAttributes(file_.get(), (attributes_ & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL);
    }
    ThrowLastErrorIf(!MarkForDeletion(file_.get(), true), "a file to remove cannot be deleted");
}

std::wstring Removal::Undo() noexcept {
    if (file_ && attributes_) {
        MarkForDeletion(file_.get(), false);
        SetAttributes(file_.get(), attributes_);
    }
    return {};
}

MovedAside::MovedAside(std::wstring path) : path_(std::move(path)) {
    if (const DWORD error = MoveToFreeName(path_, path_, L"tmp", aside_)) {
        throw rt::Failure("the uninstaller cannot be moved aside", error);
    }
    atRestart_ = rt::Platform().MoveFileExW(aside_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

std::wstring MovedAside::Undo() noexcept {
    // Its removal at the next start, if asked, then finds nothing of that name.
    return rt::Platform().MoveFileExW(aside_.c_str(), path_.c_str(), 0) ? L"" : L"it stays at " + aside_;
}

void SweepScratchFiles(const std::wstring& folder, std::span<const wchar_t* const> targets, SetupLog& log) {
    for (const wchar_t* target : targets) {
        WIN32_FIND_DATAW found{};
        const std::wstring pattern = JoinPath(folder, (std::wstring(target) + L".*.tmp").c_str());
        const rt::UniqueFindHandle search(::FindFirstFileW(pattern.c_str(), &found));
        for (bool more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found)) {
            const std::wstring path = JoinPath(folder, found.cFileName);
            if (IsScratchName(found.cFileName, target) && ::DeleteFileW(path.c_str())) {
                log.Line({L"removed what an earlier setup left: ", path});
            }
        }
    }
}

}  // namespace setup
