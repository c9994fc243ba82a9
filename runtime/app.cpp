#include "app.h"

#include <cmath>

#include "command_line.h"
#include "form.h"
#include "platform.h"

namespace rt {

int MessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateDialogKeys(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void DoEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) End(static_cast<UINT>(msg.wParam));
        if (TranslateDialogKeys(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void End(UINT exitCode) {
    Platform().ExitProcess(exitCode);
    throw EndRequested{};  // only reached when a test replaced the call and it returned
}

void Beep() { ::MessageBeep(MB_OK); }

int TwipsToPixelsX(float twips, int dpi) { return static_cast<int>(std::lround(twips / TwipsPerPixelX(dpi))); }
int TwipsToPixelsY(float twips, int dpi) { return static_cast<int>(std::lround(twips / TwipsPerPixelY(dpi))); }

float Screen::Width() { return Platform().GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
float Screen::Height() { return Platform().GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

RECT Screen::Virtual() {
    const auto metric = Platform().GetSystemMetrics;
    const int left = metric(SM_XVIRTUALSCREEN), top = metric(SM_YVIRTUALSCREEN);
    return {left, top, left + metric(SM_CXVIRTUALSCREEN), top + metric(SM_CYVIRTUALSCREEN)};
}

namespace {

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::wstring App::ExeFile() { return ModuleFileName(); }

std::wstring App::Path() {
    std::wstring path = ModuleFileName();
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring App::Command() { return std::wstring(CommandTail(::GetCommandLineW())); }

std::span<const std::byte> ProgramResource(WORD id, LPCWSTR type) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const std::byte*>(loaded ? ::LockResource(loaded) : nullptr);
    return bytes ? std::span(bytes, ::SizeofResource(module, found)) : std::span<const std::byte>();
}

VersionRecord App::Version() {
    return ParseVersionRecord(ProgramResource(VS_VERSION_INFO, RT_VERSION)).value_or(VersionRecord{});
}

std::optional<std::wstring> Environ(const wchar_t* name) {
    std::wstring value(64, L'\0');
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD n = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) {
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::wstring();  // set, but empty
        }
        if (n < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(n);  // n counts the terminating zero when the buffer was short
    }
}

std::wstring SystemDirectory() {
    wchar_t folder[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(folder, n) : std::wstring();
}

int MsgBox(HWND owner, const std::wstring& text, UINT style, const std::wstring& title) {
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), style);
}

bool Shell(const std::wstring& commandLine, int showCommand, const std::wstring& program) {
    std::wstring mutableLine = commandLine;  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    if (!Platform().CreateProcessW(program.empty() ? nullptr : program.c_str(), mutableLine.data(), nullptr, nullptr,
                                   FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);  // not waited for
    return true;
}

InstanceMarker::InstanceMarker(const wchar_t* name) : mutex_(::CreateMutexW(nullptr, FALSE, name)) {
    // A marker made under another account (a service, say) may refuse this
    // one access: refused, it is there all the same.
    const DWORD error = ::GetLastError();
    another_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

}  // namespace rt
