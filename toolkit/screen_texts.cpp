#include "screen_texts.h"

#include "decimal.h"

namespace toolkit {

std::wstring AuthorLine(const rt::VersionRecord& version) { return L"Autor: " + version.companyName; }

std::wstring VersionLine(const rt::VersionRecord& version) {
    return L"Version: " + rt::Decimal(version.major) + L"." + rt::Decimal(version.minor) + L"." +
           rt::Decimal(version.revision);
}

std::array<std::wstring, 4> AboutItems(std::wstring_view title, std::wstring_view note, const rt::VersionRecord& version) {
    return {std::wstring(title) + L"\r", std::wstring(note) + L"\r\r\r\r\r\r", AuthorLine(version) + L"\r\r",
            VersionLine(version)};
}

}  // namespace toolkit
