// The installation in-process, on real files and the Wine prefix's real
// registry: what it refuses before touching anything, and how a failure on
// the way puts back the earlier files and entry and leaves nothing of its own.
#include <gtest/gtest.h>

#include "failure.h"
#include "install.h"
#include "platform.h"
#include "test_support.h"
#include "uninstall_entry.h"

namespace {

namespace fs = std::filesystem;
using e2e::Files;

const std::wstring kShipped = e2e::WinePath(VELTRIN_SOURCE_DIR "/dist/Qor.drl");
const std::string kSaver = e2e::ReadFileBytes(kShipped).value_or("");
const std::string kProgram = "the setup's own file";
const Files kEarlier = {{L"Veltrin.scr", std::string(100000, 'o')}, {L"scrVeltrin.ini", "earlier"}};
const setup::RegistryValues kEarlierEntry = {setup::RegistryValue::Text(L"DisplayName", L"earlier"),
                                             setup::RegistryValue::Number(L"Kept", 7)};

// Calls of the platform table that fail: only the one numbered `failing`.
int calls = 0, failing = 0;
BOOL WINAPI OneMoveFails(LPCWSTR from, LPCWSTR to, DWORD flags) { return ++calls != failing && ::MoveFileExW(from, to, flags); }
LSTATUS WINAPI OneValueFails(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    return ++calls != failing ? ::RegSetValueExW(key, name, 0, type, data, size) : ERROR_ACCESS_DENIED;
}
fs::path Made(const fs::path& folder) {
    fs::create_directories(folder);
    return folder;
}

class Install : public ::testing::Test {
protected:
    Install() {
        for (const auto& [name, bytes] : kEarlier) rt::WriteWholeFile((windows / name).wstring(), bytes);
        rt::WriteWholeFile((root / L"program.exe").wstring(), kProgram);
        setup::RestoreEntry(kEarlierEntry);
        calls = 0;
    }
    ~Install() override {
        setup::DeleteEntry();
        log = {};  // closes the log file before the folder goes
    }
    Files FilesIn() const { return e2e::FilesIn(windows.wstring()); }
    setup::InstallRequest Request(const std::wstring& shipped = kShipped) const {
        return {windows.wstring(), shipped, (root / L"program.exe").wstring()};
    }
    // Whether the install failed, leaving the earlier files and entry exactly.
    bool FailsAndChangesNothing(const setup::InstallRequest& request) {
        try {
            setup::InstallInto(request, log);
        } catch (const rt::Failure&) {
            return FilesIn() == kEarlier && setup::ReadEntry() == kEarlierEntry;
        }
        return false;
    }
    std::string Log() const { return e2e::ReadFileBytes((root / L"setup.log").wstring()).value_or(""); }

    e2e::Folder folder;
    const fs::path root = folder.Path();
    const fs::path windows = Made(root / L"windows");
    setup::SetupLog log{(root / L"setup.log").wstring()};
    rt::PlatformOverride platform;
};

// The shipped file is the saver this setup was built with, byte for byte, or
// nothing is touched: a download cut short, still being written (its size
// final, its middle zeros) or altered anywhere.
TEST_F(Install, RefusesAnythingButItsOwnSaverAndAFolderThatIsNotNamedInFull) {
    std::string writing = kSaver, altered = kSaver;
    std::fill(writing.begin() + 4096, writing.end() - 4096, '\0');
    altered[altered.size() * 3 / 4] ^= 1;
    for (const std::string& bytes : {std::string(), kSaver.substr(0, kSaver.size() - 1), writing, altered, kSaver + "x"}) {
        rt::WriteWholeFile((root / L"Qor.drl").wstring(), bytes);
        EXPECT_TRUE(FailsAndChangesNothing(Request((root / L"Qor.drl").wstring()))) << bytes.size();
    }
    // Installed in another folder (WinDir changed since), which it would orphan.
    const setup::RegistryValues elsewhere = {setup::RegistryValue::Text(L"InstallLocation", Made(root / L"other").wstring())};
    rt::WriteWholeFile((root / L"other" / L"Veltrin.scr").wstring(), "installed there");
    setup::RestoreEntry(elsewhere);
    EXPECT_THROW(setup::InstallInto(Request(), log), rt::Failure);
    EXPECT_TRUE(FilesIn() == kEarlier && setup::ReadEntry() == elsewhere);
    setup::RestoreEntry(kEarlierEntry);
    const fs::path started = fs::current_path();
    fs::current_path(root);  // "windows" names the Windows directory from here, but from nowhere else
    EXPECT_TRUE(FailsAndChangesNothing({L"windows", kShipped, (root / L"program.exe").wstring()}));
    fs::current_path(started);
}

// A file in use (held open without sharing) or an entry that cannot be
// written: everything as it was, no file of the install's own left.
TEST_F(Install, AFailureOnTheWayPutsBackTheEarlierFilesAndEntry) {
    for (const wchar_t* inUse : {L"scrVeltrin.ini", L"Veltrin-Uninstall.exe"}) {
        rt::WriteWholeFile((windows / L"Veltrin-Uninstall.exe").wstring(), "earlier uninstaller");
        Files earlier = FilesIn();
        rt::UniqueFile held = e2e::HoldOpen((windows / inUse).wstring());
        EXPECT_THROW(setup::InstallInto(Request(), log), rt::Failure);
        held.reset();
        EXPECT_TRUE(FilesIn() == earlier && setup::ReadEntry() == kEarlierEntry) << inUse;
        fs::remove(windows / L"Veltrin-Uninstall.exe");
    }
    platform->RegSetValueExW = OneValueFails;
    failing = 5;
    EXPECT_TRUE(FailsAndChangesNothing(Request()));
}

// The earlier saver cannot be put back: its copy is kept, the only one now,
// and the log says where.
TEST_F(Install, APutBackThatFailsKeepsTheEarlierSaverWhereTheLogSays) {
    rt::UniqueFile held = e2e::HoldOpen((windows / L"scrVeltrin.ini").wstring());
    platform->MoveFileExW = OneMoveFails;
    failing = 2;
    EXPECT_THROW(setup::InstallInto(Request(), log), rt::Failure);
    held.reset();
    Files files = FilesIn();
    EXPECT_EQ(files.size(), 3u);
    EXPECT_EQ(files[L"Veltrin.scr"], kSaver);
    const auto kept = std::find_if(files.begin(), files.end(), [](const auto& f) { return f.first.ends_with(L".tmp"); });
    ASSERT_NE(kept, files.end());
    EXPECT_EQ(kept->second, kEarlier.at(L"Veltrin.scr"));
    const std::string keptPath = (windows / kept->first).string();
    EXPECT_NE(Log().find("the earlier file is kept as " + keptPath), std::string::npos) << Log();
}

// The removal, all or nothing: while the uninstaller cannot move itself
// aside, every file, the entry and the user's choice of the saver stay as
// stored. With its folder gone and a key of its own, the entry still goes,
// and with it the choice of the missing saver.
TEST_F(Install, ARemovalIsAllOrNothing) {
    setup::InstallInto(Request(), log);
    const Files installed = FilesIn();
    setup::RegistryValue chosen = setup::RegistryValue::Text(L"SCRNSAVE.EXE", L"%TEMP%\\" + root.filename().wstring() + L"\\windows\\Veltrin.scr");
    chosen.type = REG_EXPAND_SZ;
    setup::SetChosenSaver(chosen);
    platform->MoveFileExW = OneMoveFails;
    failing = calls + 1;
    EXPECT_THROW(setup::Uninstall((windows / L"Veltrin-Uninstall.exe").wstring(), log), rt::Failure);
    EXPECT_TRUE(FilesIn() == installed && setup::ReadEntry() && setup::ChosenSaver() == chosen);
    fs::remove_all(windows);
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, (std::wstring(setup::kUninstallKey) + L"\\Its own").c_str(), L"x", REG_SZ, L"", 2);
    EXPECT_EQ(setup::Uninstall((root / L"program.exe").wstring(), log), setup::UninstallOutcome::Removed);
    EXPECT_FALSE(setup::ReadEntry() || setup::ChosenSaver());
}

// Files of the same names but its own (an administrator's backup) stay; a
// read-only earlier saver is replaced and leaves nothing behind. The entry
// holds what this install says, nothing of the earlier one.
TEST_F(Install, LeavesOtherFilesAloneAndNothingOfItsOwn) {
    rt::WriteWholeFile((windows / L"Veltrin.scr.old").wstring(), "my backup");
    ::SetFileAttributesW((windows / L"Veltrin.scr").c_str(), FILE_ATTRIBUTE_READONLY);
    setup::InstallInto(Request(), log);
    const Files files = FilesIn();
    EXPECT_TRUE(files.size() == 4 && files.at(L"Veltrin.scr") == kSaver && files.at(L"Veltrin.scr.old") == "my backup");
    EXPECT_EQ(setup::ReadEntry().value_or(kEarlierEntry).size(), 11u);
}

}  // namespace
