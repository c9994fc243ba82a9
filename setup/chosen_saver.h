#pragma once
// The current user's chosen screen saver (HKCU\Control Panel\Desktop,
// SCRNSAVE.EXE), which must not name a removed file.
#include <windows.h>

#include <optional>
#include <string>

#include "uninstall_entry.h"

namespace setup {

// The choice as stored, a path that may be short or hold variables; nothing
// when none is chosen.
std::optional<RegistryValue> ChosenSaver();
// The file it names.
std::wstring PathOf(const RegistryValue& chosen);
// Puts back a choice as it was stored, or with nothing, chooses no saver.
LSTATUS SetChosenSaver(const std::optional<RegistryValue>& chosen) noexcept;

}  // namespace setup
