// Tessarn on Windows: hides files and folders in their drive's hiding place and brings them back.
#include "app/Module1.h"
#include "app/machine_start.h"
#include "forms/win32/command_line.h"
#include "forms/win32/widgets.h"
#include "platform/memory.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // As on Linux: the blocks of a full register's 13 MB serve every opening of the list.
    platform::KeepLargeBlocksForReuse();
    forms::win32::StartToolkit();
    if (!app::PrepareMachineOrTell()) return 1;
    app::Main(forms::win32::ProgramArguments());
    // The forms runtime ends the loop when the last window unloads.
    return forms::win32::RunEventLoop();
}
