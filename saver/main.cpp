// The saver has no main routine of its own: loading its effect window is the start-up.
#include <windows.h>

#include "frmmain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return rt::RunStartupForm<frmmain>();
}
