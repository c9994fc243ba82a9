#include "uninstall_entry.h"

#include <algorithm>
#include <cstring>

#include "handles.h"
#include "platform.h"
#include "failures.h"

namespace setup {
namespace {

constexpr const wchar_t* kUninstallCommands[] = {L"UninstallString", L"QuietUninstallString"};

bool IsUninstallCommand(const std::wstring& name) {
    return std::any_of(std::begin(kUninstallCommands), std::end(kUninstallCommands), [&](const wchar_t* c) { return name == c; });
}

rt::UniqueRegKey OpenEntry(REGSAM access) {
    HKEY opened = nullptr;
    ThrowIfWin32Error(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, access, nullptr, &opened, nullptr),
                      "the entry cannot be written");
    return rt::UniqueRegKey(opened);
}

}  // namespace

RegistryValue RegistryValue::Text(const wchar_t* name, const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {name, REG_SZ, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)}};
}

RegistryValue RegistryValue::Number(const wchar_t* name, DWORD number) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {name, REG_DWORD, {bytes, bytes + sizeof number}};
}

std::optional<RegistryValues> ReadEntry() {
    HKEY opened = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    ThrowIfWin32Error(status, "the entry cannot be read");
    const rt::UniqueRegKey key(opened);
    DWORD count = 0, longestName = 0, longestData = 0;
    ThrowIfWin32Error(::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                                         &longestData, nullptr, nullptr),
                      "the entry cannot be read");
    RegistryValues values(count);
    for (DWORD i = 0; i < count; ++i) {
        RegistryValue& value = values[i];
        value.name.resize(longestName + 1);
        value.data.resize(longestData);
        DWORD nameLength = longestName + 1, size = longestData;
        ThrowIfWin32Error(::RegEnumValueW(key.get(), i, value.name.data(), &nameLength, nullptr, &value.type, value.data.data(), &size),
                          "the entry cannot be read");
        value.name.resize(nameLength);
        value.data.resize(size);
    }
    return values;
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

void SetEntryValues(const RegistryValues& values) {
    const rt::UniqueRegKey key = OpenEntry(KEY_SET_VALUE);
    for (const RegistryValue& value : values) {
        ThrowIfWin32Error(rt::Platform().RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                                                        static_cast<DWORD>(value.data.size())),
                          "the entry cannot be written");
    }
}

void WriteEntry(const RegistryValues& values) {
    SetEntryValues(values);
    // What an earlier entry held beyond these (a value that hid it from the list, say) goes after.
    const RegistryValues now = ReadEntry().value_or(RegistryValues{});
    const rt::UniqueRegKey key = OpenEntry(KEY_SET_VALUE);
    for (const RegistryValue& value : now) {
        const auto wanted = [&](const RegistryValue& v) { return v.name == value.name; };
        if (std::none_of(values.begin(), values.end(), wanted)) {
            ThrowIfWin32Error(::RegDeleteValueW(key.get(), value.name.c_str()), "the entry cannot be written");
        }
    }
}

RegistryValues Unlisted(RegistryValues values) {
    std::erase_if(values, [](const RegistryValue& value) { return IsUninstallCommand(value.name); });
    return values;
}

LSTATUS Unlist() noexcept {
    for (const wchar_t* command : kUninstallCommands) {
        const LSTATUS status = ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, command);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
    }
    return ERROR_SUCCESS;
}

LSTATUS DeleteEntry() noexcept {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS RestoreEntry(const std::optional<RegistryValues>& earlier) noexcept {
    if (!earlier) return DeleteEntry();
    try {
        WriteEntry(*earlier);  // in place of whatever the failed write left
        return ERROR_SUCCESS;
    } catch (const rt::Failure& failure) {
        return static_cast<LSTATUS>(failure.code());
    } catch (const std::exception&) {
        return ERROR_OUTOFMEMORY;
    }
}

}  // namespace setup
