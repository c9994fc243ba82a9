#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "clipboard.h"
#include "memory_surface.h"
#include "sequential_file.h"

namespace e2e {
namespace {

std::wstring Text(HWND window, bool className) {
    wchar_t buffer[256] = {};
    className ? ::GetClassNameW(window, buffer, 256) : ::GetWindowTextW(window, buffer, 256);
    return buffer;
}

// The driver's environment with `changes` applied, as a block for CreateProcessW.
std::wstring EnvironmentBlock(const Environment& changes) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) entries.emplace_back(p);
        ::FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : changes) {
        std::erase_if(entries, [&](const std::wstring& e) {
            return e.size() > name.size() && e[name.size()] == L'=' && !_wcsnicmp(e.c_str(), name.c_str(), name.size());
        });
        if (value) entries.push_back(name + L"=" + *value);
    }
    std::wstring block;
    for (const std::wstring& e : entries) block += e + L'\0';
    return block + L'\0';
}

// Every program joins one job that dies with the driver: even a driver killed
// by the test runner leaves no program behind.
HANDLE DriverJob() {
    static const rt::UniqueKernelHandle job = [] {
        rt::UniqueKernelHandle j(::CreateJobObjectW(nullptr, nullptr));
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (j) ::SetInformationJobObject(j.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return j;
    }();
    return job.get();
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi = {dx, dy, 0, flags, 0, 0};
    ::SendInput(1, &in, sizeof in);
}

bool PointerAt(int x, int y) {
    POINT p{};
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
}

}  // namespace

std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

DWORD Deadline() { return _wgetenv(L"VELTRIN_E2E_SLOW") ? 180000 : 10000; }

std::wstring SaverPath() {
    if (const wchar_t* other = _wgetenv(L"VELTRIN_E2E_SAVER")) return other;  // the shipped build, say
    return WinePath(VELTRIN_SAVER_PATH);
}
std::wstring SetupPath() { return WinePath(VELTRIN_SETUP_PATH); }
std::wstring ShippedSaverPath() { return WinePath(VELTRIN_SHIPPED_SAVER_PATH); }

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// ---- files --------------------------------------------------------------------

Folder::Folder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static unsigned serial = 0;
    do {  // a new folder: one left by an earlier run of the same process number holds its files
        path_ = std::wstring(temp) + L"veltrin-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial);
    } while (!::CreateDirectoryW(path_.c_str(), nullptr) && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

Folder::~Folder() {
    // Files and the folders a test made inside; a program that has just
    // ended may hold its image a moment longer.
    PollUntil(
        [&] {
            WIN32_FIND_DATAW found{};
            const HANDLE search = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do {
                    const std::wstring item = path_ + L"\\" + found.cFileName;
                    ::SetFileAttributesW(item.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW(item.c_str()) || ::RemoveDirectoryW(item.c_str());
                } while (::FindNextFileW(search, &found));
                ::FindClose(search);
            }
            return ::RemoveDirectoryW(path_.c_str()) != FALSE;
        },
        2000);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) { return rt::ReadWholeFile(path, 64u << 20); }

bool Copy(const std::wstring& from, const std::wstring& to) { return ::CopyFileW(from.c_str(), to.c_str(), FALSE); }

// ---- processes ------------------------------------------------------------------

Process::Process(const std::wstring& program, const std::wstring& tail, const Environment& environment) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + program + L"\"" + tail;
    std::wstring block = EnvironmentBlock(environment);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT,
                          block.data(), nullptr, &si, &pi)) {
        return;
    }
    ::AssignProcessToJobObject(DriverJob(), pi.hProcess);
    ::ResumeThread(pi.hThread);
    ::CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    id_ = pi.dwProcessId;
}

bool Process::Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool Process::Ends(DWORD ms) const { return PollUntil([&] { return !Running(); }, ms); }

void Process::Kill() {
    if (!Running()) return;
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 5000);
}

std::vector<HWND> Process::Windows() const {
    struct Search {
        DWORD id;
        std::vector<HWND> found;
    } search{id_, {}};
    ::EnumWindows(
        [](HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            if (owner == s->id) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Process::Find(const wchar_t* caption, const wchar_t* cls) const {
    for (HWND w : Windows()) {
        if (Text(w, false) == caption && (!cls || Text(w, true) == cls)) return w;
    }
    return nullptr;
}

HWND Process::Window(const wchar_t* caption, DWORD ms) const {
    HWND found = nullptr;
    PollUntil([&] { return (found = Find(caption)) && ::IsWindowVisible(found); }, ms);
    return found && ::IsWindowVisible(found) ? found : nullptr;
}

bool Process::ShowsAWindow() const {
    for (HWND w : Windows()) {
        if (::IsWindowVisible(w)) return true;
    }
    return false;
}

bool Process::EndsUnseen() const {
    bool seen = false;
    return process_ && PollUntil([&] { return (seen |= ShowsAWindow()), !Running(); }) && !seen;
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// ---- input ------------------------------------------------------------------------

bool MoveMouse(int x, int y) {
    // Absolute positions run 0..65535 over the primary screen; aim at the pixel's middle.
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, LONG((2LL * x + 1) * 65536 / (2LL * w)),
              LONG((2LL * y + 1) * 65536 / (2LL * h)));
    return PollUntil([&] { return PointerAt(x, y); }, 2000);
}

bool StepMouse(int x, int y) {
    if (!MoveMouse(x, y)) return false;
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_F24;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof in);
    return true;
}

bool PlacePointer(int x, int y) {
    return PollUntil([&] { return ::SetCursorPos(x, y), PointerAt(x, y); }, 2000);
}

void Press(Button b) { SendMouse(b == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN); }
void Release(Button b) { SendMouse(b == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP); }
void Click(Button b) {
    Press(b);
    Release(b);
}

void Key(WORD vk) {
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    }
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof in[0]);
}

bool Front(HWND window) {
    return PollUntil([&] { return ::GetForegroundWindow() == window || (::SetForegroundWindow(window), false); }, 2000);
}

bool CursorShowing() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING);
}

// ---- the screen -----------------------------------------------------------------

Shot Shot::Take() {
    Shot shot;
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    rt::WindowDc screen(nullptr);
    rt::MemorySurface copy(w, h);
    if (!::BitBlt(copy.Dc(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY | CAPTUREBLT)) return shot;
    ::GdiFlush();
    shot.width_ = w;
    shot.height_ = h;
    shot.pixels_.assign(copy.Bits(), copy.Bits() + std::size_t(w) * h);
    for (std::uint32_t& p : shot.pixels_) p &= 0xFFFFFF;
    return shot;
}

int Mask::Differences(const Mask& other, const RECT& area) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) n += At(x, y) != other.At(x, y);
    }
    return n;
}

std::optional<Mask> Region(HWND window, int width, int height) {
    rt::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(window, region.get()) == ERROR) return std::nullopt;
    std::vector<std::byte> data(::GetRegionData(region.get(), 0, nullptr));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (data.empty() || !::GetRegionData(region.get(), static_cast<DWORD>(data.size()), rgn)) return std::nullopt;
    Mask mask(width, height);
    const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
        for (LONG y = rects[i].top; y < rects[i].bottom; ++y) {
            for (LONG x = rects[i].left; x < rects[i].right; ++x) mask.Set(x, y);
        }
    }
    return mask;
}

std::vector<std::uint32_t> Artwork(const char* picture, int width, int height) {
    const std::string path = std::string("Z:") + VELTRIN_E2E_ARTWORK_DIR + "/" + picture + ".rgb";
    const std::optional<std::string> rgb = rt::ReadWholeFile(std::wstring(path.begin(), path.end()), 1 << 20);
    std::vector<std::uint32_t> pixels;
    if (!rgb || rgb->size() != std::size_t(width) * height * 3) return pixels;
    for (std::size_t i = 0; i < rgb->size(); i += 3) {
        const auto c = [&](std::size_t k) { return std::uint32_t(static_cast<unsigned char>((*rgb)[i + k])); };
        pixels.push_back(c(0) << 16 | c(1) << 8 | c(2));
    }
    return pixels;
}

int Mismatches(const Shot& shot, POINT origin, const std::vector<std::uint32_t>& picture, int width) {
    int n = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        n += shot.At(origin.x + int(i % width), origin.y + int(i / width)) != picture[i];
    }
    return n;
}

// ---- the clipboard ------------------------------------------------------------------

bool SetClipboard(const std::wstring& text) {
    if (!PollUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 2000)) return false;
    bool ok = ::EmptyClipboard();
    if (ok && !text.empty()) {
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        void* target = memory ? ::GlobalLock(memory) : nullptr;
        if (target) std::memcpy(target, text.c_str(), bytes), ::GlobalUnlock(memory);
        ok = target && ::SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
        if (!ok && memory) ::GlobalFree(memory);
    }
    ::CloseClipboard();
    return ok;
}

std::optional<std::wstring> ClipboardText() { return rt::Clipboard::GetText(); }

}  // namespace e2e
