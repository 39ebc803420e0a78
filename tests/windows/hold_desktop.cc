// Holds Wine's desktop while make windows-test runs, so that each window test starts in a few
// dozen milliseconds rather than in a second.
//
// Wine's desktop process (explorer.exe /desktop) closes the desktop about a second after the last
// program that uses it, one that works with windows, has gone; the next such program must start
// it anew, which takes about a second. The tests of the layers below the windows use none, so the
// desktop that starting the machine made closes while they run, and from then on every window
// test started a desktop of its own and left it to close behind it: a second a test, about a
// minute of the whole run. This program keeps a hidden window on the desktop until Wine's server
// is stopped (wineserver -k, as the runner does at its end).
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
