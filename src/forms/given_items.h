// Items named to the main window from outside the program: the path the program is started with
// (Explorer's "Hide with Tessarn…", a file manager's action, a shell) and the files and folders
// dropped on the main window. Either one moves the main window's browser to its item as the
// user's own clicks would: the drive list on its drive, the folder list on its folder (a folder
// given is opened itself), a file chosen in the file list, and so Text1 holding its path, through
// the window's own handlers. Nothing is hidden until the user presses Hide.
//
// Of several items only the first is taken. An item that cannot be shown leaves the window
// where it was; either is said in a message box once the main window is on the screen.
#pragma once

#include <string>
#include <vector>

namespace forms {

class Form;
class Form1;

// The paths the program was started with, as the system gives them (platform/given_path.h).
// The main window takes them when it loads, after the password; without any it loads as always.
void SetStartPaths(std::vector<std::string> paths);
// Called by the main window as it loads: takes it to the first start path, once.
void OpenStartItem(Form1& window);

// Whether items may be dropped on the window at all: the main window alone takes them.
bool IsDropTarget(const Form& form);
// Whether it takes them now: not while another window of the program, a message box too, is
// open over it.
bool TakesDrops(const Form& form);
// The user dropped items on the window; their paths as the system gives them. Ignored while the
// window takes no drops.
void UserDropped(Form& form, const std::vector<std::string>& paths);

}  // namespace forms
