#include "clipboard.h"

#include <windows.h>


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

}  // namespace rt::Clipboard
