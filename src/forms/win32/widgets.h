// The Win32 windows behind the model's forms and controls, for Win32 code outside the toolkit
// itself: WinMain, the tests' user driver and the screenshot tour.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace forms::win32 {

// The window that shows a control, or a form; null while its form is not loaded.
HWND HandleOf(const Control& control);
HWND WindowOf(const Form& form);
// The control a window shows; null for any other window.
Control* ControlOf(HWND hwnd);

// Twips to pixels on this screen: 15 twips to a pixel at 96 dpi, scaled with the screen's
// logical dpi.
int TwipsToPixels(int twips);

// Makes the standard controls ready; once, before the first window.
void StartToolkit();

// One message from the queue, handled as the program's event loop handles it: the keys of a
// classic dialog first (Tab, Enter, Esc, access keys), then the window's own.
void Dispatch(const MSG& message);

// Runs the event loop until the program ends; returns its exit code.
int RunEventLoop();

}  // namespace forms::win32
