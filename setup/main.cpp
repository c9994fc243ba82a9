// The setup: its language window, or what its command line asks for.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "handles.h"
#include "setup_run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // It runs with administrator rights, often from a download folder: no
    // DLL is ever looked for there, only in the system folder.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The arguments as every program on the system splits them: quotes group.
    int count = 0;
    const rt::UniqueHandle<rt::NullHandleTraits<LPWSTR*, &::LocalFree>> split(::CommandLineToArgvW(::GetCommandLineW(), &count));
    const std::vector<std::wstring> arguments(split ? split.get() + 1 : nullptr, split ? split.get() + count : nullptr);
    setup::Run(arguments);
}
