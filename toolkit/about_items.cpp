#include "screen_texts.h"

namespace toolkit {

std::array<std::wstring, 4> AboutItems(std::wstring_view title, std::wstring_view note, const rt::VersionRecord& version) {
    return {std::wstring(title) + L"\r", std::wstring(note) + L"\r\r\r\r\r\r", AuthorLine(version) + L"\r\r",
            VersionLine(version)};
}

}  // namespace toolkit
