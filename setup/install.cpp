#include "install.h"

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "file_steps.h"
#include "setup_rules.h"
#include "sequential_file.h"
#include "settings_file.h"
#include "settings_record.h"
#include "shipped_saver_digest.h"
#include "step_failure.h"
#include "text_encoding.h"
#include "uninstall_entry.h"
#include "version_record.h"

namespace setup {
namespace {

// Far more than the saver: a larger file is not read further, and the digest,
// which covers all of the saver, refuses it whatever its first bytes are.
constexpr std::size_t kMostSaverBytes = 64u << 20;

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shipped file's bytes, once they are the very saver this setup was built
// with: a download cut short, still being written or altered anywhere must
// not replace a working saver. The check reads the bytes that are installed,
// not the file again, which could change in between.
std::string ShippedSaver(const std::wstring& path) {
    std::optional<std::string> bytes = rt::ReadWholeFile(path, kMostSaverBytes);
    if (!bytes) Fail("the shipped saver cannot be read");
    if (Sha256(*bytes) != kShippedSaverSha256) {
        throw StepFailure("the shipped file is not the saver this setup ships", 0);
    }
    return std::move(*bytes);
}

// Listed under the title of the settings it writes.
RegistryValues EntryFor(const InstallRequest& request, const std::string& saver, const std::string& settings, std::size_t bytes) {
    const std::span view(reinterpret_cast<const std::byte*>(saver.data()), saver.size());
    const rt::VersionRecord version = rt::ProgramVersionRecord(view).value_or(rt::VersionRecord{});
    const std::wstring uninstaller = L"\"" + JoinPath(request.windows, kUninstallerName) + L"\" /uninstall";
    return {
        RegistryValue::Text(L"DisplayName", toolkit::ParseSettings(settings).TitleText),
        RegistryValue::Text(L"DisplayVersion", rt::Decimal(version.major) + L"." + rt::Decimal(version.minor) + L"." +
                                                   rt::Decimal(version.build) + L"." + rt::Decimal(version.revision)),
        RegistryValue::Text(L"Publisher", version.companyName),
        RegistryValue::Text(L"DisplayIcon", JoinPath(request.windows, kInstalledSaverName)),
        RegistryValue::Number(L"EstimatedSize", static_cast<DWORD>((bytes + 1023) / 1024)),
        RegistryValue::Text(L"InstallLocation", request.windows),
        RegistryValue::Number(L"NoModify", 1),
        RegistryValue::Number(L"NoRepair", 1),
        RegistryValue::Text(L"UninstallString", uninstaller),
        RegistryValue::Text(L"QuietUninstallString", uninstaller + L" /quiet"),
        RegistryValue::Text(L"Language", LanguageCode(request.language)),
    };
}

// An install lives in one folder: one in another (WinDir changed since)
// would be left where nothing could remove it.
void RefuseAnotherFolder(const std::optional<RegistryValues>& entry, const std::wstring& windows) {
    const std::wstring earlier = entry ? TextOf(*entry, L"InstallLocation") : L"";
    if (IsAbsolutePath(earlier) && !SameFile(earlier, windows) && IsFile(JoinPath(earlier, kInstalledSaverName))) {
        throw StepFailure("the saver is installed in another folder: remove it first", 0);
    }
}

// Every applied replacement undone, the last first; the log says what stays.
void PutBack(std::span<Replacement> applied, SetupLog& log) noexcept {
    for (auto file = applied.rbegin(); file != applied.rend(); ++file) {
        if (file->Undo()) {
            log.Line(L"put back: " + file->Target());
        } else if (!file->KeptCopy().empty()) {
            log.Line(L"could not put back " + file->Target() + L"; the earlier file is kept as " + file->KeptCopy());
        } else {
            log.Line(L"could not remove the new " + file->Target());
        }
    }
}

}  // namespace

void InstallInto(const InstallRequest& request, SetupLog& log) {
    log.Line(L"installing into " + request.windows + L", language " + LanguageCode(request.language));
    std::vector<Replacement> files;
    files.reserve(3);
    std::size_t applied = 0;
    std::optional<RegistryValues> earlierEntry;
    bool registering = false;
    try {
        if (!IsAbsolutePath(request.windows) || !IsFolder(request.windows)) {
            throw StepFailure("no Windows directory to install into", 0);
        }
        const std::string saver = ShippedSaver(request.shipped);
        const std::optional<std::string> uninstaller = rt::ReadWholeFile(request.setupProgram, kMostSaverBytes);
        if (!uninstaller) Fail("the setup cannot read its own file");
        const std::string settings = toolkit::SettingsRecord(request.language);
        // Every new file is written before any target is touched.
        files.emplace_back(JoinPath(request.windows, kInstalledSaverName), saver);
        files.emplace_back(toolkit::SettingsFilePath(request.windows), settings);
        files.emplace_back(JoinPath(request.windows, kUninstallerName), *uninstaller);
        earlierEntry = ReadEntry();
        RefuseAnotherFolder(earlierEntry, request.windows);
        // The entry first: whatever a kill leaves in place, the uninstall finds.
        registering = true;
        WriteEntry(EntryFor(request, saver, settings, saver.size() + settings.size() + uninstaller->size()));
        log.Line(std::wstring(L"registered: HKLM\\") + kUninstallKey);
        for (Replacement& file : files) {
            file.Apply();
            ++applied;
            log.Line(L"written: " + file.Target());
        }
    } catch (const std::exception& failure) {
        log.Failed(failure);
        if (registering && !RestoreEntry(earlierEntry)) log.Line(L"could not put back the earlier entry");
        PutBack(std::span(files.data(), applied), log);
        throw;
    }
}

UninstallOutcome Uninstall(const std::wstring& running, SetupLog& log) {
    std::optional<RegistryValue> chosen;
    bool cleared = false;
    std::vector<Removal> files;
    std::optional<MovedAside> self;
    try {
        const std::optional<RegistryValues> entry = ReadEntry();
        if (!entry) {
            log.Line(L"nothing is installed");
            return UninstallOutcome::NothingInstalled;
        }
        // An entry that names no folder names no files either: it goes alone.
        const std::wstring folder = TextOf(*entry, L"InstallLocation");
        log.Line(L"removing the entry and what it names in " + folder);
        const bool named = IsAbsolutePath(folder);
        const std::wstring saver = JoinPath(folder, kInstalledSaverName), uninstaller = JoinPath(folder, kUninstallerName);
        chosen = ChosenSaver();
        const bool chosenIsOurs = named && chosen && SameFile(PathOf(*chosen), saver);
        const bool fromUninstaller = named && SameFile(running, uninstaller);
        // Each opened before any is marked: a file in use refuses here.
        if (named) {
            files.emplace_back(saver);
            files.emplace_back(toolkit::SettingsFilePath(folder));
            if (!fromUninstaller) files.emplace_back(uninstaller);
        }
        for (Removal& file : files) file.Mark();
        if (fromUninstaller) self.emplace(running);
        if (chosenIsOurs && !(cleared = SetChosenSaver(std::nullopt))) Fail("the chosen screen saver cannot be cleared");
        if (!DeleteEntry()) Fail("the entry cannot be removed");
    } catch (const std::exception& failure) {
        log.Failed(failure);
        if (cleared) SetChosenSaver(chosen);
        if (self) self->PutBack();
        for (Removal& file : files) file.Unmark();
        throw;
    }
    if (cleared) log.Line(L"no longer the chosen screen saver: " + PathOf(*chosen));
    if (self) log.Line((self->RemoveAtRestart() ? L"removed at the next start: " : L"left to be removed by hand: ") + self->Path());
    log.Line(L"removed");
    return UninstallOutcome::Removed;
}  // here the marked files go

std::optional<Language> InstalledLanguage() {
    try {
        const std::optional<RegistryValues> entry = ReadEntry();
        if (!entry) return std::nullopt;
        return LanguageOfCode(TextOf(*entry, L"Language")).value_or(Language::English);
    } catch (const std::exception&) {
        return Language::English;
    }
}

}  // namespace setup
