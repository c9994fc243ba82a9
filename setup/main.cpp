// The setup: its language window, or what its command line asks for.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "setup_run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // It runs with administrator rights, often from a download folder: no
    // DLL is ever looked for there, only in the system folder.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The arguments as every program on the system splits them: quotes group.
    int count = 0;
    LPWSTR* split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::vector<std::wstring> arguments(split ? split + 1 : nullptr, split ? split + count : nullptr);
    ::LocalFree(split);
    return setup::Run(arguments);
}
