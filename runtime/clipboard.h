#pragma once
// Reading the clipboard's plain text; the programs never write it.
#include <optional>
#include <string>

namespace rt::Clipboard {

// The clipboard's text, or nothing when it holds no text or stays locked by
// another program for longer than a moment.
std::optional<std::wstring> GetText();

}  // namespace rt::Clipboard
