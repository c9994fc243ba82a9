#include "command_line.h"

namespace rt {

std::wstring_view CommandTail(std::wstring_view line) {
    std::size_t i = 0;
    if (i < line.size() && line[i] == L'"') {
        const std::size_t close = line.find(L'"', 1);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
    if (i < line.size()) ++i;  // the separating blank
    return line.substr(i);
}

std::string NarrowAscii(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace rt
