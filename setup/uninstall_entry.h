#pragma once
// What the system keeps of an installed product: its entry in the list of
// installed programs (Apps & features) under
// HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltrin, and the
// current user's chosen screen saver, which must not name a removed file.
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

    static RegistryValue Text(std::wstring name, const std::wstring& text);
    static RegistryValue Number(std::wstring name, DWORD number);
    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};
using RegistryValues = std::vector<RegistryValue>;

// The entry's values; nothing when there is no entry. Throws StepFailure when
// it is there but cannot be read.
std::optional<RegistryValues> ReadEntry();
// Makes the entry hold exactly these values: nothing of an earlier one stays
// (a value that hid it from the list, say). Throws StepFailure; RestoreEntry
// then puts back what was there.
void WriteEntry(const RegistryValues& values);
// Puts back what ReadEntry returned: exactly those values, or no entry.
bool RestoreEntry(const std::optional<RegistryValues>& earlier) noexcept;
// The entry and whatever it holds.
bool DeleteEntry() noexcept;
// A text value of the entry; empty when it is missing or holds no text.
std::wstring TextOf(const RegistryValues& values, std::wstring_view name);

// The current user's chosen screen saver (HKCU\Control Panel\Desktop,
// SCRNSAVE.EXE) as stored, a path that may be short or hold variables;
// nothing when none is chosen.
std::optional<RegistryValue> ChosenSaver();
// The file it names.
std::wstring PathOf(const RegistryValue& chosen);
// Puts back a choice as it was stored, or with nothing, chooses no saver.
bool SetChosenSaver(const std::optional<RegistryValue>& chosen) noexcept;

}  // namespace setup
