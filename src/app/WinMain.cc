// Tessarn on Windows: hides files and folders in their drive's hiding place and brings them back.
#include "app/Module1.h"
#include "app/machine_start.h"
#include "forms/win32/command_line.h"
#include "forms/win32/widgets.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::win32::StartToolkit();
    if (!app::PrepareMachineOrTell()) return 1;
    app::Main(forms::win32::ProgramArguments());
    // The forms runtime ends the loop when the last window unloads.
    return forms::win32::RunEventLoop();
}
