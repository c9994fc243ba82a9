#include "clipboard.h"

#include <windows.h>

#include <cstring>

namespace rt::Clipboard {
namespace {

// Another program may hold the clipboard open for a moment: try a few times.
class OpenClipboardScope {
public:
    OpenClipboardScope() {
        for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
            open_ = ::OpenClipboard(nullptr) != FALSE;
            if (!open_) ::Sleep(10);
        }
    }
    ~OpenClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace

std::optional<std::wstring> GetText() {
    OpenClipboardScope clipboard;
    if (!clipboard) return std::nullopt;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!text) return std::nullopt;
    const SIZE_T capacity = ::GlobalSize(data) / sizeof(wchar_t);
    std::wstring result(text, wcsnlen(text, capacity));  // never trust the terminator
    ::GlobalUnlock(data);
    return result;
}

bool SetText(std::wstring_view text) {
    OpenClipboardScope clipboard;
    if (!clipboard || !::EmptyClipboard()) return false;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return false;
    auto* target = static_cast<wchar_t*>(::GlobalLock(memory));
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) {
        ::GlobalFree(memory);
        return false;
    }
    return true;  // the clipboard owns the memory now
}

}  // namespace rt::Clipboard
