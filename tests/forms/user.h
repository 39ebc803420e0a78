// The user of the windows at the keyboard and the mouse: what a window test does and sees, through
// the real controls of the toolkit the tests are built with (tests/forms/qt/ for Qt,
// tests/forms/win32/ for Win32). Every action reaches the model the way a user's would, through
// the toolkit; nothing here calls a handler.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "forms/DriveListBox.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/send_keys.h"

namespace user {

enum class Modifier { kNone, kShift, kControl, kAlt };

// Pixels on the screen; a control's place is relative to its window's client area.
struct Rect {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width;
    int height;
    bool operator==(const Size&) const = default;
};

// The mouse.
void Click(const forms::CommandButton& button);
// A click on the one entry of the list with this text; the test fails unless there is exactly one.
void Click(const forms::ListControl& list, const std::string& entry);
void ClickRow(const forms::ListControl& list, int row);
void DoubleClick(const forms::ListControl& list, const std::string& entry);
// Drops the drive list down and clicks the entry of the drive with this letter.
void ChooseDrive(const forms::DriveListBox& drives, char letter);
// The close box in the window's title bar, as the window manager offers it.
void CloseBox(const forms::Form& form);
// Drags files and folders from a file manager and drops them on the middle of the window.
void DropItems(const forms::Form& form, const std::vector<std::filesystem::path>& items);

// The keyboard. Keys go to the control that has the focus.
// Moves the focus to the control, without pressing or choosing anything.
void Focus(const forms::Control& control);
void Press(forms::Key key, Modifier modifier = Modifier::kNone);
// Alt and a letter: an access key.
void PressAlt(char letter);
// Moves the focus to the box and types the text where the caret is (at the end of what the user
// typed before); characters beyond the keyboard's come through the input method.
void Type(const forms::TextBox& box, const std::string& text);
// Selects the box's whole text, deletes it and types the text.
void Retype(const forms::TextBox& box, const std::string& text);
// Puts the text on the clipboard and pastes it over the box's whole text.
void Paste(const forms::TextBox& box, const std::string& text);

// The windows.
// Activates the window, as the window manager does when the user clicks into it.
void Activate(const forms::Form& form);
// Another program's window comes up, takes the activation and closes again.
void ActivateAnotherWindowAndCloseIt();
bool IsActive(const forms::Form& form);
// Lets the event loop run until the window is active, or a few seconds have passed.
bool WaitUntilActive(const forms::Form& form);
bool WaitFor(const std::function<bool()>& condition);
// Lets the event loop handle what is pending, deletions of unloaded windows included.
void Settle();

// What the user sees.
// The control that has the keyboard focus; null when none has.
const forms::Control* FocusedControl();
std::string Caption(const forms::Form& form);
// A label's or a button's caption, or a text box's text, as the control holds it.
std::string TextOf(const forms::Control& control);
// A text box's text as drawn: a "*" for each character of a password box.
std::string DisplayedText(const forms::TextBox& box);
std::string SelectedText(const forms::TextBox& box);
std::vector<std::string> Entries(const forms::ListControl& list);
// The row shown selected; -1 when none is.
int SelectedRow(const forms::ListControl& list);
bool IsEnabled(const forms::Control& control);
bool IsEnabled(const forms::Form& form);
bool IsShown(const forms::Form& form);
bool ShowsPicture(const forms::Image& image);
Rect Geometry(const forms::Control& control);
Size ClientSize(const forms::Form& form);
// Twips to pixels on this screen.
int Pixels(int twips);

}  // namespace user
