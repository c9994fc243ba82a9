#include "install.h"

#include <windows.h>

#include <span>

#include "app.h"
#include "failure.h"
#include "sequential_file.h"
#include "settings_file.h"
#include "version_record.h"

namespace setup {
namespace {

// More than any saver this setup ships; a larger file is not it.
constexpr std::size_t kMostSaverBytes = 64u << 20;

[[noreturn]] void Fail(const char* what) { throw rt::Failure(what); }

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shipped file's bytes, once it is known to be the saver: a damaged
// download must not replace a working saver. The check reads the very bytes
// that are installed, not the file again, which could change in between.
std::string ShippedSaver(const std::wstring& path) {
    const std::optional<std::string> bytes = rt::ReadWholeFile(path, kMostSaverBytes);
    if (!bytes) Fail("the shipped saver cannot be read");
    const std::span<const std::byte> view(reinterpret_cast<const std::byte*>(bytes->data()), bytes->size());
    const std::optional<rt::VersionRecord> record = rt::ProgramVersionRecord(view);
    if (!rt::IsI386Program(view) || !record || record->internalName != kSaverInternalName) {
        Fail("the shipped file is not the saver");
    }
    return *bytes;
}

// One target replaced in one step: its new bytes are written and flushed
// beside it, then renamed over it. The earlier file stays reachable as a
// backup until the replacement is done with, so it can be put back.
class Replacement {
public:
    Replacement(std::wstring target, std::string_view bytes)
        : target_(std::move(target)), next_(target_ + L".new"), backup_(target_ + L".old") {
        // A file of that name left by an installation that was killed is overwritten.
        if (!rt::WriteWholeFile(next_, bytes, true)) Fail("a new file cannot be written");
    }
    ~Replacement() {
        ::DeleteFileW(next_.c_str());
        ::DeleteFileW(backup_.c_str());
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    void Apply() {
        hadTarget_ = Exists(target_);
        ::DeleteFileW(backup_.c_str());
        // A copy, not a second name: a target in use (a running saver, a preview)
        // cannot be replaced, and a name of its file could not be removed after.
        if (hadTarget_ && !::CopyFileW(target_.c_str(), backup_.c_str(), FALSE)) {
            Fail("the earlier file cannot be kept");
        }
        if (!::MoveFileExW(next_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            Fail("the file cannot be replaced");
        }
        applied_ = true;
    }

    void Undo() noexcept {
        if (!applied_) return;
        if (hadTarget_) {
            ::MoveFileExW(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        } else {
            ::DeleteFileW(target_.c_str());
        }
    }

private:
    std::wstring target_, next_, backup_;
    bool hadTarget_ = false, applied_ = false;
};

}  // namespace

void InstallInto(const std::wstring& windows, const std::wstring& shipped, Language language) {
    if (!IsAbsolutePath(windows) || !IsFolder(windows)) Fail("no Windows directory to install into");
    const std::string saverBytes = ShippedSaver(shipped);
    // Both files are ready before either target is touched.
    Replacement saver(JoinPath(windows, kInstalledSaverName), saverBytes);
    Replacement settings(toolkit::SettingsFilePath(windows), toolkit::SettingsRecord(language));
    saver.Apply();
    try {
        settings.Apply();
    } catch (...) {
        saver.Undo();
        throw;
    }
}

}  // namespace setup
