#pragma once
// The setup's modes: the interactive installation, the quiet one, the
// removal, and the help, chosen by the command line. One setup runs at a time.
#include <span>
#include <string>

namespace setup {

// Runs the setup with the arguments after its program's name, and ends the
// program with its exit code (setup_rules.h).
[[noreturn]] void Run(std::span<const std::wstring> arguments);

}  // namespace setup
