#pragma once
// Plain-text access to the clipboard.
#include <optional>
#include <string>
#include <string_view>

namespace rt::Clipboard {

// The clipboard's text, or nothing when it holds no text or stays locked by
// another program for longer than a moment.
std::optional<std::wstring> GetText();

// Replaces the clipboard's contents with the text; false if that failed.
bool SetText(std::wstring_view text);

}  // namespace rt::Clipboard
