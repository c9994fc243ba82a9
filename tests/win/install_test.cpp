// The installation and its removal in-process, on real files and the Wine
// prefix's real registry: what they refuse before touching anything, and how
// a failure on the way puts back the earlier files, entry and choice of the
// saver, each undo logged once, the last first.
#include <gtest/gtest.h>

#include "chosen_saver.h"
#include "failure.h"
#include "platform.h"
#include "setup_session.h"
#include "test_support.h"
#include "uninstall.h"
#include "uninstall_entry.h"

namespace {

namespace fs = std::filesystem;
using e2e::Files;
using setup::RegistryValue;

const std::wstring kShipped = e2e::WinePath(VELTRIN_SOURCE_DIR "/dist/Qor.drl");
const std::string kSaver = e2e::ReadFileBytes(kShipped).value_or("");
const std::string kProgram = "the setup's own file";
const Files kEarlier = {{L"Veltrin.scr", std::string(100000, 'o')}, {L"scrVeltrin.ini", "earlier"}};
const setup::RegistryValues kEarlierEntry = {RegistryValue::Text(L"DisplayName", L"earlier"), RegistryValue::Number(L"Kept", 7)};

// Calls of the platform table that fail: only the one numbered `failing`. The
// first name asked for a kept file is taken, by a kept file of an earlier run
// whose process had this one's id.
int calls = 0, failing = 0;
BOOL WINAPI OneMoveFails(LPCWSTR from, LPCWSTR to, DWORD flags) {
    static bool keptNameTaken = false;
    if (to && std::wstring_view(to).ends_with(L".kept") && !std::exchange(keptNameTaken, true)) e2e::WriteFileBytes(to, "earlier run's");
    return ++calls != failing && ::MoveFileExW(from, to, flags);
}
LSTATUS WINAPI OneValueFails(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    return ++calls != failing ? ::RegSetValueExW(key, name, 0, type, data, size) : ERROR_ACCESS_DENIED;
}
// Whether the entry was listed as the uninstaller moved: into its place by an
// install, aside by the removal. It must be neither.
bool listedAsTheUninstallerMoved = false;
BOOL WINAPI MoveWatchingTheEntry(LPCWSTR from, LPCWSTR to, DWORD flags) {
    const bool uninstaller = to && std::wstring(from).find(L"Veltrin-Uninstall.exe") != std::wstring::npos;
    listedAsTheUninstallerMoved |= uninstaller && !setup::TextOf(setup::ReadEntry().value_or(kEarlierEntry), L"UninstallString").empty();
    return ::MoveFileExW(from, to, flags);
}
fs::path Made(const fs::path& folder) {
    fs::create_directories(folder);
    return folder;
}
void Write(const fs::path& file, const std::string& bytes) { e2e::WriteFileBytes(file, bytes); }

class Install : public ::testing::Test {
protected:
    Install() {
        for (const auto& [name, bytes] : kEarlier) Write(windows / name, bytes);
        Write(root / L"program.exe", kProgram);
        setup::RestoreEntry(kEarlierEntry);
        calls = 0;
    }
    ~Install() override {
        setup::DeleteEntry();
        setup::SetChosenSaver(std::nullopt);
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
    std::wstring Program() const { return (root / L"program.exe").wstring(); }

    e2e::Folder folder;
    const fs::path root = folder.Path();
    const fs::path windows = Made(root / L"windows");
    setup::SetupLog log{(root / L"setup.log").wstring()};
    rt::PlatformOverride platform;
};

// The shipped file is the saver this setup was built with, byte for byte, or
// nothing is touched: a download cut short, still being written (its size
// final, its middle zeros) or altered anywhere. Nor is anything touched
// without a Windows directory named in full: an empty one would be the root
// of the current drive.
TEST_F(Install, RefusesAnythingButItsOwnSaverAndAFolderThatIsNotNamedInFull) {
    std::string writing = kSaver, altered = kSaver;
    std::fill(writing.begin() + 4096, writing.end() - 4096, '\0');
    altered[altered.size() * 3 / 4] ^= 1;
    for (const std::string& bytes : {std::string(), kSaver.substr(0, kSaver.size() - 1), writing, altered, kSaver + "x"}) {
        Write(root / L"Qor.drl", bytes);
        EXPECT_TRUE(FailsAndChangesNothing(Request((root / L"Qor.drl").wstring()))) << bytes.size();
    }
    // Installed in another folder (WinDir changed since), which it would orphan.
    const setup::RegistryValues elsewhere = {RegistryValue::Text(L"InstallLocation", Made(root / L"other").wstring())};
    Write(root / L"other" / L"Veltrin.scr", "installed there");
    setup::RestoreEntry(elsewhere);
    EXPECT_THROW(setup::InstallInto(Request(), log), rt::Failure);
    EXPECT_TRUE(FilesIn() == kEarlier && setup::ReadEntry() == elsewhere);
    setup::RestoreEntry(kEarlierEntry);
    const fs::path started = fs::current_path();
    fs::current_path(root);  // "windows" names the Windows directory from here, but from nowhere else
    EXPECT_TRUE(FailsAndChangesNothing({L"windows", kShipped, Program()}));
    EXPECT_TRUE(FailsAndChangesNothing({L"", kShipped, Program()}));  // nor, so, into the drive's root
    fs::current_path(started);
}

// A file in use (held open without sharing) or an entry that cannot be
// written: everything as it was, no file of the install's own left, each
// step undone once, the last first, and the log naming the failed call's own
// error.
TEST_F(Install, AFailureOnTheWayPutsBackTheEarlierFilesAndEntry) {
    Write(windows / L"Veltrin-Uninstall.exe", "earlier uninstaller");
    const Files earlier = FilesIn();
    rt::UniqueFile held = e2e::HoldOpen((windows / L"scrVeltrin.ini").wstring());
    EXPECT_THROW(setup::InstallInto(Request(), log), rt::Failure);
    held.reset();
    EXPECT_TRUE(FilesIn() == earlier && setup::ReadEntry() == kEarlierEntry);
    const std::string account = Log();
    const std::size_t saver = account.find("undone: written " + (windows / "Veltrin.scr").string()),
                      uninstaller = account.find("undone: written " + (windows / "Veltrin-Uninstall.exe").string()),
                      entry = account.find("undone: registered");
    EXPECT_TRUE(saver < uninstaller && uninstaller < entry && entry != std::string::npos) << account;
    EXPECT_EQ(account.find("undone: registered", entry + 1), std::string::npos) << "undone twice";
    fs::remove(windows / L"Veltrin-Uninstall.exe");

    platform->RegSetValueExW = OneValueFails;
    failing = 5;
    EXPECT_TRUE(FailsAndChangesNothing(Request()));
    EXPECT_NE(Log().find("failed: the entry cannot be written (system error 5)"), std::string::npos) << Log();
}

// The earlier saver cannot be put back: its copy is kept, the only one now,
// under a name no later setup sweeps away nor an earlier one holds, and the
// log says where.
TEST_F(Install, APutBackThatFailsKeepsTheEarlierSaverWhereTheLogSays) {
    rt::UniqueFile held = e2e::HoldOpen((windows / L"scrVeltrin.ini").wstring());
    platform->MoveFileExW = OneMoveFails;
    failing = 3;  // the uninstaller and the saver are in place; the saver's put-back
    EXPECT_THROW(setup::InstallInto(Request(), log), rt::Failure);
    held.reset();
    Files files = FilesIn();
    EXPECT_EQ(files[L"Veltrin.scr"], kSaver);
    const auto kept = std::find_if(files.begin(), files.end(), [](const auto& f) { return f.second == kEarlier.at(L"Veltrin.scr"); });
    ASSERT_TRUE(kept != files.end() && kept->first.ends_with(L".kept")) << e2e::Listing(files);
    const std::string keptPath = (windows / kept->first).string();
    EXPECT_NE(Log().find("the earlier file is kept as " + keptPath), std::string::npos) << Log();
}

// Each attempt says how it went: a second install that fails after one that
// succeeded fails, and the first stays as it was.
TEST_F(Install, AnAttemptThatFailsAfterOneThatSucceededFails) {
    setup::SetupSession session{Request(), log};
    ASSERT_TRUE(session.Install(setup::Language::English));
    const Files english = FilesIn();
    rt::UniqueFile held = e2e::HoldOpen((windows / L"Veltrin.scr").wstring());
    EXPECT_FALSE(session.Install(setup::Language::German));
    held.reset();
    EXPECT_EQ(FilesIn(), english);
}

// The removal, all or nothing: while the uninstaller cannot move itself
// aside, every file, the entry and the user's choice of the saver stay as
// stored.
TEST_F(Install, ARemovalIsAllOrNothing) {
    setup::InstallInto(Request(), log);
    const Files installed = FilesIn();
    const auto entry = setup::ReadEntry();
    RegistryValue chosen = RegistryValue::Text(L"SCRNSAVE.EXE", L"%TEMP%\\" + root.filename().wstring() + L"\\windows\\Veltrin.scr");
    chosen.type = REG_EXPAND_SZ;
    setup::SetChosenSaver(chosen);
    platform->MoveFileExW = OneMoveFails;
    failing = calls + 1;
    EXPECT_THROW(setup::Uninstall((windows / L"Veltrin-Uninstall.exe").wstring(), log), rt::Failure);
    EXPECT_TRUE(FilesIn() == installed && setup::ReadEntry() == entry && setup::ChosenSaver() == chosen);
}

// An entry edited to name no folder holding its uninstaller (none, a
// relative one, a file, a number, an empty folder, another folder with
// copies of the files) names no install: the entry goes alone, no file is
// touched, and the removal fails while the real saver is still chosen. With
// its folder gone and a key of its own, the entry goes too, and with it the
// choice of the missing saver: nothing was installed.
TEST_F(Install, AnEntryThatNamesNoInstallGoesAloneAndSaysWhatRemains) {
    setup::InstallInto(Request(), log);
    const Files installed = FilesIn();
    const setup::RegistryValues entry = setup::ReadEntry().value();
    Write(Made(root / L"other") / L"Veltrin.scr", kSaver);
    const std::optional<RegistryValue> chosen = RegistryValue::Text(L"SCRNSAVE.EXE", (windows / L"Veltrin.scr").wstring());
    const RegistryValue edits[] = {RegistryValue::Text(L"InstallLocation", L""), RegistryValue::Text(L"InstallLocation", L"windows"),
                                   RegistryValue::Text(L"InstallLocation", (windows / L"Veltrin.scr").wstring()),
                                   RegistryValue::Number(L"InstallLocation", 1),
                                   RegistryValue::Text(L"InstallLocation", Made(root / L"empty").wstring()),
                                   RegistryValue::Text(L"InstallLocation", (root / L"other").wstring())};
    for (const RegistryValue& edit : edits) {
        setup::WriteEntry(entry);
        setup::SetEntryValues({edit});
        setup::SetChosenSaver(chosen);
        EXPECT_THROW(setup::Uninstall(Program(), log), rt::Failure);
        EXPECT_TRUE(FilesIn() == installed && e2e::FilesIn((root / L"other").wstring()).size() == 1) << testing::PrintToString(edit.data);
        EXPECT_TRUE(!setup::ReadEntry() && setup::ChosenSaver() == chosen);
    }
    fs::remove_all(windows);
    setup::WriteEntry(entry);
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, (std::wstring(setup::kUninstallKey) + L"\\Its own").c_str(), L"x", REG_SZ, L"", 2);
    EXPECT_EQ(setup::Uninstall(Program(), log), setup::UninstallOutcome::NothingInstalled);
    EXPECT_FALSE(setup::ReadEntry() || setup::ChosenSaver());
}

// Files of the same names but its own (an administrator's backup, a kept
// earlier saver) stay; what a killed setup left under its scratch names goes;
// a read-only earlier saver is replaced. The entry holds what this install
// says, nothing of the earlier one, and is listed only while its uninstaller
// is in place.
TEST_F(Install, LeavesOtherFilesAloneAndNothingOfItsOwnOrOfAKilledSetup) {
    for (const wchar_t* name :
         {L"Veltrin.scr.old", L"Veltrin.scr.my.tmp", L"Veltrin.scr.7.1.kept", L"Veltrin.scr.7.2.tmp", L"Veltrin-Uninstall.exe.7.3.tmp"}) {
        Write(windows / name, "left");
    }
    ::SetFileAttributesW((windows / L"Veltrin.scr").c_str(), FILE_ATTRIBUTE_READONLY);
    platform->MoveFileExW = MoveWatchingTheEntry;
    setup::InstallInto(Request(), log);
    const Files files = FilesIn();
    EXPECT_TRUE(files.size() == 6 && files.at(L"Veltrin.scr") == kSaver && files.count(L"Veltrin.scr.old") &&
                files.count(L"Veltrin.scr.my.tmp") && files.count(L"Veltrin.scr.7.1.kept")) << e2e::Listing(files);
    EXPECT_EQ(setup::ReadEntry().value_or(kEarlierEntry).size(), 11u);
    setup::Uninstall((windows / L"Veltrin-Uninstall.exe").wstring(), log);
    EXPECT_FALSE(listedAsTheUninstallerMoved);
}

}  // namespace
