#include "chosen_saver.h"

namespace setup {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kChosenSaver[] = L"SCRNSAVE.EXE";

}  // namespace

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

LSTATUS SetChosenSaver(const std::optional<RegistryValue>& chosen) noexcept {
    if (!chosen) return ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kChosenSaver);
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kChosenSaver, chosen->type, chosen->data.data(),
                             static_cast<DWORD>(chosen->data.size()));
}

}  // namespace setup
