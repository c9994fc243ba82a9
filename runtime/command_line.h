#pragma once
// Splitting the program's own command line, free of the platform.
#include <string>
#include <string_view>

namespace rt {

// The arguments after the program's name, as the program sees them: the name
// (quoted or not) and the one blank that separates it are removed, anything
// after that (further blanks included) is kept as it stands.
std::wstring_view CommandTail(std::wstring_view commandLine);

// A wide text narrowed to single bytes: ASCII stays, every other character
// becomes '?'. Switches and window numbers are plain ASCII.
std::string NarrowAscii(std::wstring_view text);

}  // namespace rt
