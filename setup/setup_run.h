#pragma once
// The setup's modes: the interactive installation, the quiet one, the
// removal, and the help, chosen by the command line. One setup runs at a time.
#include <span>
#include <string>

namespace setup {

// Runs the setup with the arguments after its program's name; returns the
// exit code (setup_rules.h), unless a window ends the program itself.
int Run(std::span<const std::wstring> arguments);

}  // namespace setup
