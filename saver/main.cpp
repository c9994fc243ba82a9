// The saver has no main routine of its own: loading its effect window is the start-up.
#include <windows.h>

#include "saver_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SaverWindows windows;
    return windows.Run();
}
