#include "screen_texts.h"

namespace toolkit {

std::wstring AuthorLine(const rt::VersionRecord& version) { return L"Autor: " + version.companyName; }

std::wstring VersionLine(const rt::VersionRecord& version) {
    return L"Version: " + std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.revision);
}

std::array<std::wstring, 4> AboutItems(std::wstring_view title, std::wstring_view note, const rt::VersionRecord& version) {
    return {std::wstring(title) + L"\r", std::wstring(note) + L"\r\r\r\r\r\r", AuthorLine(version) + L"\r\r",
            VersionLine(version)};
}

}  // namespace toolkit
