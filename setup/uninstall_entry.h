#pragma once
// The product's entry in the list of installed programs (Apps & features),
// HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltrin. The list
// shows an entry once it holds its uninstall commands: an install writes
// them last, when the uninstaller they name is in place, and the removal
// takes them first, before the uninstaller goes. So a setup killed at any
// moment never leaves a listed entry whose uninstaller is missing.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrin";

struct RegistryValue {
    std::wstring name;
    DWORD type = REG_SZ;
    std::vector<BYTE> data;

    static RegistryValue Text(const wchar_t* name, const std::wstring& text);
    static RegistryValue Number(const wchar_t* name, DWORD number);
    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};
using RegistryValues = std::vector<RegistryValue>;

// The entry's values; nothing when there is no entry. Throws rt::Failure when
// it is there but cannot be read.
std::optional<RegistryValues> ReadEntry();
// A text value of the entry; empty when it is missing or holds no text.
std::wstring TextOf(const RegistryValues& values, std::wstring_view name);

// These values set in the entry, which is made if need be; its others stay.
// Throws rt::Failure.
void SetEntryValues(const RegistryValues& values);
// The entry holding exactly these values, each rewritten in place (it is
// never absent meanwhile) and then any other dropped. Throws rt::Failure.
void WriteEntry(const RegistryValues& values);
// `values` without the uninstall commands: not yet listed.
RegistryValues Unlisted(RegistryValues values);
// The uninstall commands taken from the entry: no longer listed.
LSTATUS Unlist() noexcept;
// The entry and whatever it holds; no entry is no error.
LSTATUS DeleteEntry() noexcept;
// Puts back what ReadEntry returned: exactly those values, or no entry.
LSTATUS RestoreEntry(const std::optional<RegistryValues>& earlier) noexcept;

}  // namespace setup
