#include "uninstall_entry.h"

#include <cstring>

#include "handles.h"
#include "platform.h"
#include "step_failure.h"

namespace setup {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kChosenSaver[] = L"SCRNSAVE.EXE";

[[noreturn]] void FailWith(const char* what, LSTATUS status) { throw StepFailure(what, static_cast<unsigned long>(status)); }

}  // namespace

RegistryValue RegistryValue::Text(std::wstring name, const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {std::move(name), REG_SZ, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)}};
}

RegistryValue RegistryValue::Number(std::wstring name, DWORD number) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {std::move(name), REG_DWORD, {bytes, bytes + sizeof number}};
}

std::optional<RegistryValues> ReadEntry() {
    HKEY opened = nullptr;
    LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) FailWith("the entry cannot be read", status);
    const rt::UniqueRegKey key(opened);
    DWORD count = 0, longestName = 0, longestData = 0;
    status = ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                                &longestData, nullptr, nullptr);
    if (status != ERROR_SUCCESS) FailWith("the entry cannot be read", status);
    RegistryValues values(count);
    for (DWORD i = 0; i < count; ++i) {
        RegistryValue& value = values[i];
        value.name.resize(longestName + 1);
        value.data.resize(longestData);
        DWORD nameLength = longestName + 1, size = longestData;
        status = ::RegEnumValueW(key.get(), i, value.name.data(), &nameLength, nullptr, &value.type, value.data.data(), &size);
        if (status != ERROR_SUCCESS) FailWith("the entry cannot be read", status);
        value.name.resize(nameLength);
        value.data.resize(size);
    }
    return values;
}

void WriteEntry(const RegistryValues& values) {
    if (!DeleteEntry()) Fail("the earlier entry cannot be replaced");
    HKEY created = nullptr;
    const LSTATUS status = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) FailWith("the entry cannot be written", status);
    const rt::UniqueRegKey key(created);
    for (const RegistryValue& value : values) {
        const LSTATUS set = rt::Platform().RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                                                          static_cast<DWORD>(value.data.size()));
        if (set != ERROR_SUCCESS) FailWith("the entry cannot be written", set);
    }
}

bool RestoreEntry(const std::optional<RegistryValues>& earlier) noexcept {
    if (!earlier) return DeleteEntry();
    try {
        WriteEntry(*earlier);  // in place of whatever the failed write left
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool DeleteEntry() noexcept {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return true;
    ::SetLastError(status);  // for the log: the registry returns its errors
    return false;
}

std::wstring TextOf(const RegistryValues& values, std::wstring_view name) {
    for (const RegistryValue& value : values) {
        if (value.name != name || (value.type != REG_SZ && value.type != REG_EXPAND_SZ)) continue;
        std::wstring text(value.data.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), value.data.data(), text.size() * sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
    return {};
}

std::optional<RegistryValue> ChosenSaver() {
    RegistryValue chosen{kChosenSaver, REG_SZ, {}};
    DWORD size = 0;
    const auto read = [&](void* data) {
        return ::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kChosenSaver, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                              &chosen.type, data, &size) == ERROR_SUCCESS;
    };
    if (!read(nullptr)) return std::nullopt;
    chosen.data.resize(size);
    if (!read(chosen.data.data())) return std::nullopt;
    return chosen;
}

std::wstring PathOf(const RegistryValue& chosen) {
    const std::wstring stored = TextOf({chosen}, chosen.name);
    if (chosen.type != REG_EXPAND_SZ) return stored;
    std::wstring path(::ExpandEnvironmentStringsW(stored.c_str(), nullptr, 0), L'\0');
    ::ExpandEnvironmentStringsW(stored.c_str(), path.data(), static_cast<DWORD>(path.size()));
    return path.substr(0, path.find(L'\0'));
}

bool SetChosenSaver(const std::optional<RegistryValue>& chosen) noexcept {
    if (!chosen) return ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kChosenSaver) == ERROR_SUCCESS;
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kChosenSaver, chosen->type, chosen->data.data(),
                             static_cast<DWORD>(chosen->data.size())) == ERROR_SUCCESS;
}

}  // namespace setup
