#pragma once
// What the skinned windows print on the device's screen, item by item. Each
// item is one print: its carriage returns and the end of the print break
// lines, which spaces the items out as the screen shows them.
#include <array>
#include <string>
#include <string_view>

#include "version_record.h"

namespace toolkit {

// "Autor: " and the company name; "Version: " and major.minor.revision. The
// same words in every language.
std::wstring AuthorLine(const rt::VersionRecord& version);
std::wstring VersionLine(const rt::VersionRecord& version);

// The about window's title, note, author line and version line, in printing order.
std::array<std::wstring, 4> AboutItems(std::wstring_view title, std::wstring_view note, const rt::VersionRecord& version);

}  // namespace toolkit
