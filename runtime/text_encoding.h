#pragma once
// The programs' narrow texts (their own texts, the settings file) are
// Windows-1252, as they were written on the systems they were made for. They
// are turned into UTF-16 by this fixed table, never by the code page the
// machine happens to run with, so an "ä" is an "ä" everywhere.
#include <string>
#include <string_view>

namespace rt {

std::wstring FromWindows1252(std::string_view text);

}  // namespace rt
