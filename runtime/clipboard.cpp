#include "clipboard.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "handles.h"

namespace rt::Clipboard {
namespace {

// How long the owner of the clipboard may take to hand over its text.
constexpr DWORD kPatienceMs = 300;

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

bool ReadHolds(std::wstring_view text) {
    OpenClipboardScope clipboard;
    if (!clipboard) return false;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return false;
    const auto* held = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!held) return false;
    // The text and where it ends, never more (the clipboard may hold megabytes),
    // and never trusting the terminator.
    const std::size_t length = wcsnlen(held, std::min<SIZE_T>(::GlobalSize(data) / sizeof(wchar_t), text.size() + 1));
    const bool same = std::wstring_view(held, length) == text;
    ::GlobalUnlock(data);
    return same;
}

DWORD WINAPI Ask(void* question) {
    const std::unique_ptr<std::wstring> text(static_cast<std::wstring*>(question));
    return ReadHolds(*text) ? 1 : 0;
}

}  // namespace

bool HoldsText(std::wstring_view text) {
    // Read on a thread of its own: an owner that renders its text only when
    // asked (delayed rendering) keeps its reader waiting for as long as it does
    // not answer, and a hung one never does. Such a reader is left behind.
    auto question = std::make_unique<std::wstring>(text);
    const UniqueKernelHandle reader(::CreateThread(nullptr, 0, &Ask, question.get(), 0, nullptr));
    if (!reader) return false;
    (void)question.release();  // the reader's now
    DWORD answer = 0;
    return ::WaitForSingleObject(reader.get(), kPatienceMs) == WAIT_OBJECT_0 &&
           ::GetExitCodeThread(reader.get(), &answer) && answer == 1;
}

}  // namespace rt::Clipboard
