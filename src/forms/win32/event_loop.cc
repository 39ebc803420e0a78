// The program's event loop on Win32: the standard controls made ready, each message handled as a
// classic dialog handles it, the tasks posted to the loop, and the loop's end.
#include <deque>
#include <functional>

#include "forms/toolkit.h"
#include "forms/win32/peers.h"

// After <windows.h>, which peers.h brings.
#include <commctrl.h>

namespace forms::win32 {
namespace {

constexpr wchar_t kProgramClass[] = L"TessarnProgram";
constexpr UINT kRunTask = WM_APP + 1;

std::deque<std::function<void()>>& Tasks() {
    static std::deque<std::function<void()>> tasks;
    return tasks;
}

// One posted message per task, so that tasks run in the order they were posted, between other
// messages, also in a message box's own loop.
LRESULT CALLBACK ProgramProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kRunTask) {
        if (!Tasks().empty()) {
            std::function<void()> task = std::move(Tasks().front());
            Tasks().pop_front();
            task();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

HWND ProgramWindow() {
    static const HWND window = [] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = ProgramProc;
        window_class.hInstance = Module();
        window_class.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
        window_class.lpszClassName = kProgramClass;
        RegisterClassExW(&window_class);
        return CreateWindowExW(0, kProgramClass, L"Tessarn", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               Module(), nullptr);
    }();
    return window;
}

void StartToolkit() {
    static const bool started = [] {
        // The standard controls come from common controls 6 (the manifest names it), whose
        // window classes exist once it is initialised.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)started;
}

void Dispatch(const MSG& message) {
    const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    if (key && message.hwnd != nullptr && HandleDialogKey(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunEventLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return static_cast<int>(message.wParam);
}

}  // namespace forms::win32

namespace forms::toolkit {

void Post(std::function<void()> task) {
    win32::Tasks().push_back(std::move(task));
    PostMessageW(win32::ProgramWindow(), win32::kRunTask, 0, 0);
}

void EndProgram() {
    PostQuitMessage(0);
}

}  // namespace forms::toolkit
