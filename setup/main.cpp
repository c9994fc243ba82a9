// The setup: its language window, or what its command line asks for.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "handles.h"
#include "setup_run.h"

namespace {

// The arguments after the program's name, as every program on the system
// splits them: quotes group. The system's array is freed here, since the
// setup never returns to free it.
std::vector<std::wstring> Arguments() {
    int count = 0;
    const rt::UniqueHandle<rt::NullHandleTraits<LPWSTR*, &::LocalFree>> split(::CommandLineToArgvW(::GetCommandLineW(), &count));
    return split ? std::vector<std::wstring>(split.get() + 1, split.get() + count) : std::vector<std::wstring>{};
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // It runs with administrator rights, often from a download folder: no
    // DLL is ever looked for there, only in the system folder.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    setup::Run(Arguments());
}
