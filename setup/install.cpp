#include "install.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "file_steps.h"
#include "paths.h"
#include "sequential_file.h"
#include "settings_record.h"
#include "shipped_saver_digest.h"
#include "failures.h"
#include "transaction.h"
#include "uninstall_entry.h"
#include "app.h"
#include "text_encoding.h"

namespace setup {
namespace {

// Far more than the saver or the setup: a larger file is not read further,
// and the saver's digest, which covers all of it, refuses it.
constexpr std::size_t kMostProgramBytes = 64u << 20;

// The shipped file's bytes, once they are the very saver this setup was built
// with: a download cut short, still being written or altered anywhere must
// not replace a working saver. The check reads the bytes that are installed,
// not the file again, which could change in between.
std::string ShippedSaver(const std::wstring& path) {
    std::optional<std::string> bytes = rt::ReadWholeFile(path, kMostProgramBytes);
    ThrowLastErrorIf(!bytes, "the shipped saver cannot be read");
    if (Sha256(*bytes) != kShippedSaverSha256) throw rt::Failure("the shipped file is not the saver this setup ships");
    return std::move(*bytes);
}

std::string OwnFile(const std::wstring& path) {
    std::optional<std::string> bytes = rt::ReadWholeFile(path, kMostProgramBytes);
    ThrowLastErrorIf(!bytes, "the setup cannot read its own file");
    return std::move(*bytes);
}

// Listed under the title of the settings it writes, and the version of the
// saver: the setup's own, since both are built as one (and the saver's digest
// makes sure it is that one).
RegistryValues EntryFor(const InstallRequest& request, std::size_t bytes) {
    const rt::VersionRecord version = rt::App::Version();
    wchar_t number[48];
    ::wsprintfW(number, L"%d.%d.%d.%d", version.major, version.minor, version.build, version.revision);
    const std::wstring uninstaller = L"\"" + JoinPath(request.windows, kUninstallerName) + L"\" /uninstall";
    RegistryValues entry;
    const auto text = [&entry](const wchar_t* name, const std::wstring& value) { entry.push_back(RegistryValue::Text(name, value)); };
    const auto count = [&entry](const wchar_t* name, DWORD value) { entry.push_back(RegistryValue::Number(name, value)); };
    text(L"DisplayName", rt::FromWindows1252(toolkit::TextsIn(request.language).title));
    text(L"DisplayVersion", number);
    text(L"Publisher", version.companyName);
    text(L"DisplayIcon", JoinPath(request.windows, kInstalledSaverName));
    count(L"EstimatedSize", static_cast<DWORD>((bytes + 1023) / 1024));  // in KB
    text(L"InstallLocation", request.windows);
    count(L"NoModify", 1);
    count(L"NoRepair", 1);
    text(L"UninstallString", uninstaller);
    text(L"QuietUninstallString", uninstaller + L" /quiet");
    text(L"Language", LanguageCode(request.language));
    return entry;
}

// An install lives in one folder: one in another (WinDir changed since)
// would be left where nothing could remove it.
void RefuseAnotherFolder(const std::optional<RegistryValues>& entry, const std::wstring& windows) {
    const std::wstring earlier = entry ? TextOf(*entry, L"InstallLocation") : L"";
    if (IsAbsolutePath(earlier) && !SameFile(earlier, windows) && IsFile(JoinPath(earlier, kInstalledSaverName))) {
        throw rt::Failure("the saver is installed in another folder: remove it first");
    }
}

}  // namespace

void InstallInto(const InstallRequest& request, SetupLog& log) {
    log.Line({L"installing into ", request.windows, L", language ", LanguageCode(request.language)});
    // Outside the try, what the transaction's undos use after it: the files it
    // puts back, the entry it restores.
    std::vector<Replacement> files;
    files.reserve(std::size(kInstalledFiles));
    std::optional<RegistryValues> earlier;
    Transaction install(log);
    try {
        if (!IsAbsolutePath(request.windows) || !IsFolder(request.windows)) throw rt::Failure("no Windows directory to install into");
        SweepScratchFiles(request.windows, kInstalledFiles, log);
        const std::string saver = ShippedSaver(request.shipped), uninstaller = OwnFile(request.setupProgram);
        const std::string settings = toolkit::SettingsRecord(request.language);
        earlier = ReadEntry();
        RefuseAnotherFolder(earlier, request.windows);
        // Every new file is written beside its target before anything is touched.
        files.emplace_back(JoinPath(request.windows, kUninstallerName), uninstaller);
        files.emplace_back(JoinPath(request.windows, kInstalledSaverName), saver);
        files.emplace_back(JoinPath(request.windows, toolkit::kSettingsFileName), settings);
        const RegistryValues entry = EntryFor(request, saver.size() + settings.size() + uninstaller.size());

        install.Do({L"registered HKLM\\", kUninstallKey}, [&] { SetEntryValues(Unlisted(entry)); },
                   [&earlier] { return UndoneUnless(RestoreEntry(earlier)); });
        for (Replacement& file : files) {
            install.Do({L"written ", file.Target()}, [&file] { file.Apply(); }, [&file] { return file.Undo(); });
        }
        install.Do({L"listed in Apps & features"}, [&] { WriteEntry(entry); }, [] { return UndoneUnless(Unlist()); });
        install.Commit();
    } catch (const rt::Failure& failure) {
        log.Failed(failure);
        install.RollBack();
        throw;
    }
}

std::optional<Language> InstalledLanguage() {
    try {
        const std::optional<RegistryValues> entry = ReadEntry();
        if (!entry) return std::nullopt;
        return LanguageOfCode(TextOf(*entry, L"Language")).value_or(Language::English);
    } catch (const std::exception&) {
        return Language::English;
    }
}

bool MayLogTo(const std::wstring& path, const InstallRequest& request) {
    std::vector<std::wstring> folders{request.windows};
    try {
        if (const std::optional<RegistryValues> entry = ReadEntry()) folders.push_back(TextOf(*entry, L"InstallLocation"));
    } catch (const std::exception&) {  // an entry that cannot be read names no folder to remove from
    }
    std::vector<std::wstring> used{request.setupProgram, request.shipped};
    for (const std::wstring& folder : folders) {
        for (const wchar_t* name : kInstalledFiles) used.push_back(JoinPath(folder, name));
    }
    return std::none_of(used.begin(), used.end(), [&](const std::wstring& file) { return SameFile(path, file); });
}

}  // namespace setup
