#pragma once
// The setup's steps on files, each of which can be taken back. Every file
// they write is a scratch file of this run's own: made beside its target
// under a name no other file holds, and marked for deletion from the moment
// it exists, so that neither a failure nor a kill leaves one behind; only a
// file put in place, or kept as the last copy of something, stays.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "handles.h"
#include "setup_log.h"

namespace setup {

class ScratchFile {
public:
    // A new, empty file "<target>.<process id>.<n>.tmp". Throws rt::Failure.
    explicit ScratchFile(const std::wstring& target);

    // Appends, and flushes to the disk. Throws rt::Failure.
    void Write(std::string_view bytes);
    // Appends the rest of `source`, and flushes. Throws rt::Failure.
    void CopyFrom(HANDLE source);
    // Renamed over `target` (in the same folder), with the attributes and
    // times of `info` when given, and no longer this run's: kept there. False
    // when that fails; it is then still a scratch file.
    bool TakePlaceOf(const std::wstring& target, const FILE_BASIC_INFO* info = nullptr) noexcept;
    // Kept as the last copy of something, under a name that no later setup
    // takes for its own scratch: "<target>.<process id>.<n>.kept". False when
    // it cannot be: it then goes, now or with the next setup's sweep.
    bool KeepBeside(const std::wstring& target) noexcept;

    const std::wstring& Path() const noexcept { return path_; }

private:
    std::wstring path_;
    rt::UniqueFile file_;
};

// One target given new bytes in one step. The new bytes are written beside
// it first; the earlier file stays in a scratch copy until the replacement
// goes, so that it can be put back.
class Replacement {
public:
    // Throws rt::Failure, leaving nothing behind.
    Replacement(std::wstring target, std::string_view bytes);

    // The new file in the target's place. Throws rt::Failure, with the target
    // as it was.
    void Apply();
    // The earlier file back in its place, or the new one removed where there
    // was none. Returns what it could not do: empty when it did.
    std::wstring Undo() noexcept;

    const std::wstring& Target() const noexcept { return target_; }

private:
    std::wstring target_;
    ScratchFile next_;
    std::optional<ScratchFile> backup_;  // none: there was no earlier file
    FILE_BASIC_INFO earlier_{};
    bool applied_ = false;
};

// A file removed together with others, all or none: opened for deletion at
// once (a file that another program holds refuses), marked, and gone when
// this goes; unmarked, it stays as it was. A missing file is nothing to
// remove.
class Removal {
public:
    // Throws rt::Failure when the file is there but cannot be opened for deletion.
    explicit Removal(std::wstring path);

    // Throws rt::Failure when it cannot be deleted (a program runs from it).
    void Mark();
    // Unmarked: it stays as it was. Returns what it could not do: nothing.
    std::wstring Undo() noexcept;
    const std::wstring& Path() const noexcept { return path_; }

private:
    std::wstring path_;
    rt::UniqueFile file_;
    DWORD attributes_ = 0;
};

// This program's own file, which cannot be deleted while it runs: moved aside
// under a scratch name, so that its own name is free at once, and at once
// asked to be removed by the system at its next start (or by the next setup,
// whichever comes first).
class MovedAside {
public:
    // Throws rt::Failure when it cannot be moved.
    explicit MovedAside(std::wstring path);

    // Back in its place; returns what it could not do: empty when it did.
    std::wstring Undo() noexcept;
    // Whether the system removes it at its next start.
    bool RemovedAtRestart() const noexcept { return atRestart_; }
    const std::wstring& Path() const noexcept { return aside_; }

private:
    std::wstring path_, aside_;
    bool atRestart_ = false;
};

// Removes from `folder` what a setup killed before its end left under the
// scratch names of `targets` (file names), a moved-aside uninstaller among
// them, and logs each; nothing of any other name. A file in use stays.
void SweepScratchFiles(const std::wstring& folder, std::span<const wchar_t* const> targets, SetupLog& log);

}  // namespace setup
