// Opens every window of Tessarn in turn on a sample machine, as a user would meet it, and has each
// one photographed for the README: for each window it prints "shoot <name> <X window>" and waits
// until <output folder>\<name>.png is there. scripts/take-screenshots-windows runs it under Wine
// on a virtual X display and takes the pictures with ImageMagick's `import`; never part of the
// tests.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "forms/win32/widgets.h"
#include "window_tour.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path output_folder;
bool all_taken = true;

// Handles every pending message, and keeps doing so for a while.
void Run(std::chrono::milliseconds period) {
    const Clock::time_point until = Clock::now() + period;
    do {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            forms::win32::Dispatch(message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Clock::now() < until);
}

// The window, as the X server shows it: Wine names the X window behind each of its windows.
void Shoot(const forms::Form& form, const std::string& name) {
    const HWND window = forms::win32::WindowOf(form);
    SetForegroundWindow(window);
    Run(std::chrono::milliseconds(400));
    const fs::path picture = output_folder / (name + ".png");
    fs::remove(picture);
    const auto x_window =
        reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
    std::printf("shoot %s 0x%llx\n", name.c_str(), static_cast<unsigned long long>(x_window));
    std::fflush(stdout);
    const Clock::time_point give_up = Clock::now() + std::chrono::seconds(30);
    while (!fs::exists(picture) && Clock::now() < give_up) Run(std::chrono::milliseconds(100));
    all_taken = all_taken && fs::exists(picture);
}

// As typed: the text, and the caret after it.
void Type(const forms::TextBox& box, const std::string& text) {
    const HWND edit = forms::win32::HandleOf(box);
    SetFocus(edit);
    SetWindowTextA(edit, text.c_str());
    SendMessageW(edit, EM_SETSEL, text.size(), text.size());
    Run(std::chrono::milliseconds(50));
}

void Click(const forms::CommandButton& button) {
    SendMessageW(forms::win32::HandleOf(button), BM_CLICK, 0, 0);
    Run(std::chrono::milliseconds(50));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_tour OUTPUT_FOLDER\n");
        return 2;
    }
    output_folder = argv[1];
    forms::win32::StartToolkit();
    // The register of an earlier tour would number the sample's items anew.
    fs::remove("C:\\windows\\system32\\tessarn.dat");
    FillSampleMachine("C:\\");
    TourEveryWindow({Type, Click, Shoot});
    Run(std::chrono::milliseconds(50));
    return all_taken ? 0 : 1;
}
