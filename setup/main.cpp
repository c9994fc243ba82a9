// The setup starts with its language window.
#include <windows.h>

#include "frmSetup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return rt::RunStartupForm<frmSetup>();
}
