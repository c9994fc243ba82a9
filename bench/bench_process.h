#pragma once
// What the benchmarks that start the built programs share: a started program
// that ends with its owner. Paths as Wine names them and the processor time
// come from the tests' support, which needs them too.
#include <windows.h>

#include <cstdio>
#include <string>

#include "handles.h"
#include "test_support.h"

using e2e::WinePath;

// A started program, terminated when this goes. Every one joins a job that
// dies with the benchmark, so a benchmark that is killed leaves no
// full-screen saver behind.
class StartedProgram {
public:
    // `tail` follows the quoted program name as it stands: L" /s".
    StartedProgram(const std::wstring& program, const wchar_t* tail) {
        static const rt::UniqueKernelHandle job = [] {
            rt::UniqueKernelHandle j(::CreateJobObjectW(nullptr, nullptr));
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            if (j) ::SetInformationJobObject(j.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
            return j;
        }();
        std::wstring line = L"\"" + program + L"\"" + tail;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::printf("error: cannot start %ls (error %lu)\n", line.c_str(), ::GetLastError());
            return;
        }
        if (job) ::AssignProcessToJobObject(job.get(), pi.hProcess);
        process_.reset(pi.hProcess);
        thread_.reset(pi.hThread);
        id_ = pi.dwProcessId;
    }
    ~StartedProgram() { Kill(); }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return bool(process_); }
    DWORD Id() const { return id_; }
    HANDLE Process() const { return process_.get(); }
    bool Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    bool Ends(double seconds) const {
        return process_ && ::WaitForSingleObject(process_.get(), static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
    }
    // Processor time of its main thread, in seconds.
    double ProcessorSeconds() const { return e2e::ProcessorSeconds(thread_.get()); }
    // Terminated and waited for; nothing if it has ended.
    void Kill() {
        if (Running()) ::TerminateProcess(process_.get(), 0), ::WaitForSingleObject(process_.get(), 10000);
    }

private:
    rt::UniqueKernelHandle process_, thread_;
    DWORD id_ = 0;
};
