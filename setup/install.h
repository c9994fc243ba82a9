#pragma once
// The installation's work on disk: the shipped saver checked, then it and the
// settings file written beside their targets and put in place one after the
// other, each in one step. Killed at any moment, each target holds either its
// earlier bytes or its new ones; a failure leaves both earlier files as they were.
#include <string>

#include "setup_rules.h"

namespace setup {

// Installs the saver at `shipped` into the folder `windows` with the settings
// of `language`. A run-time failure (rt::Failure) when `windows` is no
// absolute path to an existing folder, when the shipped file is not the saver,
// or when a file cannot be written or replaced.
void InstallInto(const std::wstring& windows, const std::wstring& shipped, Language language);

}  // namespace setup
