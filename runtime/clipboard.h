#pragma once
// Reading the clipboard's plain text; the programs never write it.
#include <string_view>

namespace rt::Clipboard {

// Whether the clipboard holds exactly `text` as plain text. It looks at no more
// of the clipboard's text than that, and answers false when the clipboard stays
// locked by another program or its owner does not hand the text over at once.
bool HoldsText(std::wstring_view text);

}  // namespace rt::Clipboard
