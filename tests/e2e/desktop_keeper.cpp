// Keeps Wine's desktop up for the whole end-to-end run. Wine starts the
// desktop's process for the first program that needs it and ends it soon
// after the last one has gone, so every test would pay about a second for a
// new one, and the test runner would wait for it on that test's output.
//
//   desktop_keeper        holds the desktop until told to stop (5 minutes at most)
//   desktop_keeper wait   returns once a keeper holds the desktop (fails after 30 s)
//   desktop_keeper stop   tells the keepers to stop
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    const HANDLE stop = ::CreateEventW(nullptr, TRUE, FALSE, L"Local\\VeltrinE2EDesktopKeeperStop");
    const HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, L"Local\\VeltrinE2EDesktopKeeperReady");
    if (!stop || !ready) return 1;
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "stop") == 0) return ::SetEvent(stop) ? 0 : 1;
    if (std::strcmp(mode, "wait") == 0) return ::WaitForSingleObject(ready, 30 * 1000) == WAIT_OBJECT_0 ? 0 : 1;
    ::GetDesktopWindow();  // returns once the desktop's process is up
    ::SetEvent(ready);
    ::WaitForSingleObject(stop, 5 * 60 * 1000);
    return 0;
}
