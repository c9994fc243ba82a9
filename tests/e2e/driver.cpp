#include "driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "handles.h"
#include "memory_surface.h"

#ifndef VELTRIN_SAVER_PATH
#error "VELTRIN_SAVER_PATH names the saver as a Unix path"
#endif
#ifndef VELTRIN_E2E_ARTWORK_DIR
#error "VELTRIN_E2E_ARTWORK_DIR names the folder of the pictures as raw RGB"
#endif

namespace e2e {
namespace {

// Wine sets up a program's desktop on its first window call. A console
// program like this driver has none until then, and meanwhile SetCursorPos
// does nothing and GetCursorPos reports (0, 0): ask for the desktop before
// the first test. Not earlier: listing the tests needs no desktop.
class DesktopEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::GetDesktopWindow(); }
};
[[maybe_unused]] ::testing::Environment* const desktopEnvironment =
    ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

// Every copy joins one job that is killed when the driver goes, so that even
// a driver killed by the test runner leaves no saver behind.
HANDLE DriverJob() {
    static const HANDLE job = [] {
        HANDLE j = ::CreateJobObjectW(nullptr, nullptr);
        if (j) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            ::SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        }
        return j;
    }();
    return job;
}

struct EnumState {
    DWORD pid;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectWindowsOf(HWND hwnd, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == state->pid) state->out->push_back(hwnd);
    return TRUE;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    ::GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    ::GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

// The driver's environment with `changes` applied, as a block for CreateProcessW.
std::wstring EnvironmentBlock(const EnvironmentChanges& changes) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) entries.emplace_back(p);
        ::FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : changes) {
        std::erase_if(entries, [&](const std::wstring& e) {
            return e.size() > name.size() && e[name.size()] == L'=' &&
                   _wcsnicmp(e.c_str(), name.c_str(), name.size()) == 0;
        });
        if (value) entries.push_back(name + L"=" + *value);
    }
    std::wstring out;
    for (const std::wstring& e : entries) out += e + L'\0';
    return out + L'\0';
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

std::wstring SaverPath() {
    // Another build of the saver can be put to the same tests.
    if (const wchar_t* other = _wgetenv(L"VELTRIN_E2E_SAVER"); other && *other) return other;
    return WinePath(VELTRIN_SAVER_PATH);
}

std::wstring SetupPath() { return WinePath(VELTRIN_SETUP_PATH); }

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// ---- ProgramProcess -----------------------------------------------------------

ProgramProcess::ProgramProcess(const std::wstring& tail) : ProgramProcess(SaverPath(), tail) {}

ProgramProcess::ProgramProcess(const std::wstring& program, const std::wstring& tail,
                               const EnvironmentChanges& environment)
    : commandLine_(L"\"" + program + L"\"" + tail) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring mutableLine = commandLine_;
    std::wstring block = EnvironmentBlock(environment);
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                          CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &si, &pi)) {
        return;
    }
    if (HANDLE job = DriverJob()) ::AssignProcessToJobObject(job, pi.hProcess);
    ::ResumeThread(pi.hThread);
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
    Terminate();
    if (process_) ::CloseHandle(process_);
}

bool ProgramProcess::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD ProgramProcess::ExitCode() const {
    DWORD code = 0;
    if (!process_ || !::GetExitCodeProcess(process_, &code)) return 0;
    return code;
}

bool ProgramProcess::WaitForExit(DWORD ms) const {
    if (!process_) return true;
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    for (;;) {
        PumpMessages();
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        const DWORD r = ::MsgWaitForMultipleObjects(1, &process_, FALSE, left, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;  // the time is up
    }
}

bool ProgramProcess::Terminate() {
    if (!Running()) return false;
    ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, kEndDeadlineMs);
    return true;
}

std::vector<HWND> ProgramProcess::Windows() const {
    std::vector<HWND> windows;
    if (!process_) return windows;
    EnumState state{pid_, &windows};
    ::EnumWindows(&CollectWindowsOf, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND ProgramProcess::FindWindowByCaption(const wchar_t* caption, const wchar_t* cls) const {
    for (HWND w : Windows()) {
        if (TextOf(w) == caption && (!cls || ClassOf(w) == cls)) return w;
    }
    return nullptr;
}

bool ProgramProcess::HasVisibleWindow() const {
    for (HWND w : Windows()) {
        if (::IsWindowVisible(w)) return true;
    }
    return false;
}

HWND ProgramProcess::WaitForVisibleWindow(const wchar_t* caption, DWORD ms) const {
    HWND found = nullptr;
    PollUntil(
        [&] {
            found = FindWindowByCaption(caption);
            if (found && !::IsWindowVisible(found)) found = nullptr;
            return found != nullptr || !Running();
        },
        ms);
    return found;
}

std::string ProgramProcess::EndsWithoutWindow(DWORD ms) const {
    if (!Started()) return "the saver could not be started";
    std::string seen;
    const bool ended = PollUntil(
        [&] {
            for (HWND w : Windows()) {
                if (::IsWindowVisible(w) && seen.empty()) seen = Describe(w);
            }
            return !Running();
        },
        ms);
    if (!ended) return "still running after " + std::to_string(ms) + " ms";
    if (!seen.empty()) return "it showed a window: " + seen;
    return {};
}

bool ProgramProcess::CloseAbout(HWND about) {
    ::PostMessageW(about, WM_CLOSE, 0, 0);
    if (WaitForExit(kCloseAboutMs)) return true;
    Terminate();
    return false;
}

// ---- SaverCopy --------------------------------------------------------------

namespace {

std::wstring NewTempFolder() {
    wchar_t temp[MAX_PATH] = {};
    if (!::GetTempPathW(MAX_PATH, temp)) return {};
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring candidate = std::wstring(temp) + L"veltrin-e2e-" +
                                       std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
    }
    return {};
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return ::CloseHandle(file) && ok;
}

// Deletes the files of a folder (it has no subfolders) and then the folder.
bool RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return ::RemoveDirectoryW(folder.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND ||
           ::GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace

SaverCopy::SaverCopy(const std::optional<std::string>& settings) : folder_(NewTempFolder()) {
    if (folder_.empty()) return;
    program_ = folder_ + L"\\Qor.drl";
    if (!::CopyFileW(SaverPath().c_str(), program_.c_str(), TRUE)) return;
    ready_ = !settings || WriteFileBytes(folder_ + L"\\scrVeltrin.ini", *settings);
}

SaverCopy::~SaverCopy() {
    if (folder_.empty()) return;
    // A program that has just ended may hold its image a moment longer.
    if (!PollUntil([&] { return RemoveFolder(folder_); }, 2000)) {
        std::printf("note: could not remove %s\n", Narrow(folder_).c_str());
    }
}

// ---- SetupCopy --------------------------------------------------------------

SetupCopy::SetupCopy(bool withSaver) : folder_(NewTempFolder()) {
    if (folder_.empty()) return;
    program_ = folder_ + L"\\Veltrin-Setup.exe";
    windows_ = folder_ + L"\\windows";
    ready_ = ::CopyFileW(SetupPath().c_str(), program_.c_str(), TRUE) &&
             (!withSaver || ::CopyFileW(SaverPath().c_str(), (folder_ + L"\\Qor.drl").c_str(), TRUE)) &&
             ::CreateDirectoryW(windows_.c_str(), nullptr);
}

SetupCopy::~SetupCopy() {
    if (folder_.empty()) return;
    if (!PollUntil([&] { return RemoveFolder(windows_) && RemoveFolder(folder_); }, 2000)) {
        std::printf("note: could not remove %s\n", Narrow(folder_).c_str());
    }
}

// ---- PreviewHost ------------------------------------------------------------

namespace {
const wchar_t kHostClass[] = L"VeltrinE2EPreviewHost";

void RegisterHostClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kHostClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

struct ChildSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindChildOf(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid) return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

PreviewHost::PreviewHost(int clientWidth, int clientHeight, int left, int top) {
    RegisterHostClass();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, 0);
    hwnd_ = ::CreateWindowExW(0, kHostClass, L"Preview host", style, left, top, r.right - r.left, r.bottom - r.top,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
}

PreviewHost::~PreviewHost() { Destroy(); }

void PreviewHost::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    PumpMessages();
}

std::wstring PreviewHost::PreviewTail() const {
    return L" /p " + std::to_wstring(static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd_)));
}

RECT PreviewHost::ClientOnScreen() const {
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND PreviewHost::WaitForChildOf(const ProgramProcess& saver, DWORD ms) const {
    ChildSearch search{saver.Id(), nullptr};
    PollUntil(
        [&] {
            if (hwnd_) ::EnumChildWindows(hwnd_, &FindChildOf, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !saver.Running();
        },
        ms);
    return search.found;
}

bool PreviewHost::WaitUntilFilledBy(HWND child, DWORD ms) const {
    return PollUntil(
        [&] {
            RECT r{};
            const RECT client = ClientOnScreen();
            return ::IsWindowVisible(child) && ::GetWindowRect(child, &r) && ::EqualRect(&r, &client);
        },
        ms);
}

// ---- input -----------------------------------------------------------------

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.mouseData = data;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof in);
}

bool CursorIsAt(int x, int y) {
    POINT p{};
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
}

}  // namespace

bool MoveMouse(int x, int y) {
    // Absolute positions run 0..65535 over the screen; aim at the pixel's middle.
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    const LONG ax = static_cast<LONG>((2LL * x + 1) * 65536 / (2LL * w));
    const LONG ay = static_cast<LONG>((2LL * y + 1) * 65536 / (2LL * h));
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ax, ay);
    return PollUntil([&] { return CursorIsAt(x, y); }, 2000);
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

void PostMouseMove(HWND window, int x, int y) {
    POINT p{x, y};
    ::ScreenToClient(window, &p);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

bool PlacePointer(int x, int y) {
    return PollUntil(
        [&] {
            ::SetCursorPos(x, y);
            return CursorIsAt(x, y);
        },
        2000);
}

namespace {
DWORD DownFlag(Button button) {
    if (button == Button::Right) return MOUSEEVENTF_RIGHTDOWN;
    if (button == Button::Middle) return MOUSEEVENTF_MIDDLEDOWN;
    return MOUSEEVENTF_LEFTDOWN;
}
DWORD UpFlag(Button button) {
    if (button == Button::Right) return MOUSEEVENTF_RIGHTUP;
    if (button == Button::Middle) return MOUSEEVENTF_MIDDLEUP;
    return MOUSEEVENTF_LEFTUP;
}
}  // namespace

void Click(Button button) {
    PressButton(button);
    ReleaseButton(button);
}

void PressButton(Button button) { SendMouse(DownFlag(button)); }

void ReleaseButton(Button button) { SendMouse(UpFlag(button)); }

bool ClickUntilExit(const ProgramProcess& saver, Button button, DWORD ms) {
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    do {
        Click(button);
        if (saver.WaitForExit(100)) return true;
    } while (::GetTickCount64() < deadline);
    return false;
}

void PressKey(WORD vk) {
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    }
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof in[0]);
}

bool BringToFront(HWND window) {
    if (::GetForegroundWindow() == window) return true;
    ::SetForegroundWindow(window);
    return PollUntil([&] { return ::GetForegroundWindow() == window; }, 2000);
}

bool CursorShowing() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

std::string EndWithKey(const ProgramProcess& saver, HWND window, WORD vk) {
    if (!saver.Running()) return "it had already ended";
    if (!BringToFront(window)) return "its window could not be brought to the front: " + Describe(window);
    PressKey(vk);
    if (!saver.WaitForExit(kEndDeadlineMs)) return "it did not end within " + std::to_string(kEndDeadlineMs) + " ms of a key";
    return {};
}

// ---- the screen -------------------------------------------------------------

Screenshot Screenshot::Take() {
    Screenshot shot;
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    rt::WindowDc screen(nullptr);
    if (!screen.get() || w <= 0 || h <= 0) return shot;
    rt::MemorySurface copy(w, h);
    if (!::BitBlt(copy.Dc(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY | CAPTUREBLT)) return shot;
    ::GdiFlush();
    shot.width_ = w;
    shot.height_ = h;
    shot.pixels_.assign(copy.Bits(), copy.Bits() + static_cast<std::size_t>(w) * h);
    for (std::uint32_t& p : shot.pixels_) p &= 0x00FFFFFF;
    return shot;
}

bool Screenshot::SaveBmp(const std::wstring& path) const { return SaveBmp(path, RECT{0, 0, width_, height_}); }

bool Screenshot::SaveBmp(const std::wstring& path, const RECT& area) const {
    RECT part{};
    const RECT whole{0, 0, width_, height_};
    if (!Valid() || !::IntersectRect(&part, &area, &whole)) return false;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const int width = part.right - part.left, height = part.bottom - part.top;
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rowBytes) * height;
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;  // bottom-up
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes));
    for (int y = part.bottom - 1; y >= part.top; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = At(part.left + x, y);
            row[x * 3] = static_cast<unsigned char>(Blue(p));
            row[x * 3 + 1] = static_cast<unsigned char>(Green(p));
            row[x * 3 + 2] = static_cast<unsigned char>(Red(p));
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}

Artwork::Artwork(const char* name, int width, int height) : width_(width), height_(height) {
    const std::string path = std::string("Z:") + VELTRIN_E2E_ARTWORK_DIR + "/" + name + ".rgb";
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        if (std::fread(rgb.data(), 1, rgb.size(), f) == rgb.size() && std::fgetc(f) == EOF) {
            for (std::size_t i = 0; i < rgb.size(); i += 3) {
                pixels_.push_back(std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
            }
        }
        std::fclose(f);
    }
}

int Mismatches(const Screenshot& shot, POINT origin, const Artwork& picture) {
    int n = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) n += shot.At(origin.x + x, origin.y + y) != picture.At(x, y);
    }
    return n;
}

std::vector<bool> ColumnsWithDigits(const Screenshot& shot, const RECT& area) {
    std::vector<bool> columns(static_cast<std::size_t>((area.right - area.left + kColumnPixels - 1) / kColumnPixels));
    if (!shot.Valid()) return columns;
    for (int y = area.top; y < area.bottom && y < shot.Height(); ++y) {
        for (int x = area.left; x < area.right && x < shot.Width(); ++x) {
            if (IsDigitGreen(shot.At(x, y))) columns[static_cast<std::size_t>((x - area.left) / kColumnPixels)] = true;
        }
    }
    return columns;
}

int CountTrue(const std::vector<bool>& flags) {
    int n = 0;
    for (bool f : flags) n += f ? 1 : 0;
    return n;
}

bool WaitForDigits(const RECT& area, int columns, DWORD ms) {
    return PollUntil([&] { return CountTrue(ColumnsWithDigits(Screenshot::Take(), area)) >= columns; }, ms);
}

// ---- clipboard --------------------------------------------------------------

namespace {
bool OpenTheClipboard() {
    return PollUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 2000);
}
}  // namespace

bool SetClipboardText(const std::wstring& text) {
    if (!OpenTheClipboard()) return false;
    bool ok = false;
    if (::EmptyClipboard()) {
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (auto* target = memory ? static_cast<wchar_t*>(::GlobalLock(memory)) : nullptr) {
            std::memcpy(target, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
            ::GlobalUnlock(memory);
            ok = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!ok && memory) ::GlobalFree(memory);
    }
    ::CloseClipboard();
    return ok;
}

bool EmptyTheClipboard() {
    if (!OpenTheClipboard()) return false;
    const bool ok = ::EmptyClipboard() != FALSE;
    ::CloseClipboard();
    return ok;
}

bool GetClipboardText(std::wstring& text) {
    if (!OpenTheClipboard()) return false;
    bool ok = false;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text.assign(p, wcsnlen(p, ::GlobalSize(data) / sizeof(wchar_t)));
            ::GlobalUnlock(data);
            ok = true;
        }
    }
    ::CloseClipboard();
    return ok;
}

std::string Describe(HWND window) {
    if (!window) return "(no window)";
    RECT r{};
    ::GetWindowRect(window, &r);
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, " (%ld,%ld)-(%ld,%ld) style %08lx ex %08lx%s", r.left, r.top, r.right,
                  r.bottom, static_cast<unsigned long>(::GetWindowLongW(window, GWL_STYLE)),
                  static_cast<unsigned long>(::GetWindowLongW(window, GWL_EXSTYLE)),
                  ::IsWindowVisible(window) ? " visible" : " hidden");
    return Narrow(ClassOf(window)) + " \"" + Narrow(TextOf(window)) + "\"" + buffer;
}

}  // namespace e2e
