// The setup starts with its language window.
#include <windows.h>

#include "frmSetup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // It runs with administrator rights, often from a download folder: no
    // DLL is ever looked for there, only in the system folder.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return rt::RunStartupForm<frmSetup>();
}
