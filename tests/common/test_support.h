#pragma once
// What the in-process and the end-to-end tests share: waiting by polling
// against a deadline (never a fixed sleep), folders of a test's own, a
// folder's files by name; and, with the benchmarks, a thread's processor time.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "handles.h"
#include "sequential_file.h"

namespace e2e {

// A file of this machine as Windows programs under Wine name it.
inline std::wstring WinePath(const std::string& unixPath) {
    return std::filesystem::path("Z:" + unixPath).make_preferred().wstring();
}

// The processor time a thread has used, in seconds.
inline double ProcessorSeconds(HANDLE thread) {
    FILETIME created{}, ended{}, kernel{}, user{};
    ::GetThreadTimes(thread, &created, &ended, &kernel, &user);
    const auto seconds = [](FILETIME t) { return double(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart) / 1e7; };
    return seconds(kernel) + seconds(user);
}

// How long a program may take to show itself or to end; longer for the
// shipped 32-bit programs where they run emulated (VELTRIN_E2E_SLOW).
inline DWORD Deadline() { return _wgetenv(L"VELTRIN_E2E_SLOW") ? 180000 : 10000; }
// Polls until `done`, processing the driver's own messages (a preview host lives here).
template <class Pred>
bool PollUntil(Pred done, DWORD ms = Deadline()) {
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    for (MSG msg;;) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        if (done()) return true;
        if (::GetTickCount64() >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A new folder of its own in the temporary folder, removed with its files; a
// program that has just ended may hold its image a moment longer.
class Folder {
public:
    Folder() {
        // A name no earlier run holds: Wine gives its processes the same ids run
        // after run, and a killed run leaves its folders behind.
        static unsigned serial = 0;
        const std::wstring prefix = L"veltrin-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
        do {
            path_ = std::filesystem::temp_directory_path() / (prefix + std::to_wstring(++serial));
        } while (!std::filesystem::create_directory(path_));
    }
    ~Folder() {
        std::error_code error;
        PollUntil(
            [&] {
                std::filesystem::remove_all(path_, error);
                return !error;
            },
            2000);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::wstring operator/(const std::wstring& name) const { return (path_ / name).wstring(); }
    std::wstring Path() const { return path_.wstring(); }

private:
    std::filesystem::path path_;
};

// The file held open without sharing, as a program that runs it holds it: no
// one can delete, rename or write it meanwhile.
inline rt::UniqueFile HoldOpen(const std::wstring& path) {
    return rt::UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

inline std::optional<std::string> ReadFileBytes(const std::wstring& path) { return rt::ReadWholeFile(path, 64u << 20); }
inline bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}
using Files = std::map<std::wstring, std::string>;
inline Files FilesIn(const std::wstring& folder) {
    Files files;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        files[file.path().filename().wstring()] = ReadFileBytes(file.path().wstring()).value_or("(unreadable)");
    }
    return files;
}
// What a failure shows of files: each name with its size and a hash of its bytes.
inline std::string Listing(const Files& files) {
    std::string listing;
    for (const auto& [name, bytes] : files) {
        listing += std::filesystem::path(name).string() + "=" + std::to_string(bytes.size()) + "#" +
                   std::to_string(std::hash<std::string>{}(bytes) % 1000) + " ";
    }
    return listing;
}

}  // namespace e2e
