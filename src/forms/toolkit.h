// The control model, and what a toolkit implements to show it.
//
// The six windows are written once, against the model in this folder: a Form holds its controls
// as members (CommandButton, TextBox, Label, ListBox, DirListBox, ...), and each control keeps its
// design (caption, place in twips, tab index) and its state in plain C++, texts in UTF-8. A
// toolkit shows them: src/forms/qt/ on Qt Widgets, src/forms/win32/ on user32 and comctl32.
// CMake links exactly one of them, and it defines the functions in namespace toolkit below.
//
// Peers. When a form loads, the model calls toolkit::MakeWindow, which creates the window and one
// peer per control (a small object over a Qt widget or a Win32 child window, implementing one of
// the peer interfaces below) and hands each peer to its control with Attach. A peer reads the
// control's design and state when it is made. From then on the model pushes every change that
// code makes (a caption, a text, enabled, a list's entries) through the peer, and asks the peer
// for what the user changes (a text box's text). A peer never reports a change that code made
// through it.
//
// Events. A peer tells the model what the user did by calling the control's User... method:
// CommandButton::UserClicked, ListBox::UserSelected, FileListBox::UserSelected,
// DirListBox::UserOpened, DriveListBox::UserChose, Form::UserClosing. The model raises the
// control's event (Click, Change) from there, synchronously: the handler runs to its end before
// the call returns. Code that sets a property (DirListBox::SetPath, ListBox::SetListIndex) raises
// the event the same way, before the setting statement goes on. The keyboard stays the toolkit's
// to handle, by the model's decisions (focus.h): Tab follows FocusOrder(), Enter presses
// ButtonForEnter(), Esc presses Form::CancelButton(), and a label's access key moves the focus to
// Form::AccessKeyTarget(). Where a control lies, a line and a fitted label included, the model
// says in pixels (pixels.h).
//
// Lists. What a list holds and selects is the model's; the toolkit shows rows. It draws a folder
// list's row indented by DirListBox::DepthOf steps with an open folder where DirListBox::InChain
// holds and a closed one elsewhere, a drive list's row with a drive icon by
// DriveListBox::IsReady, and calls DriveListBox::Refresh each time the drive list drops down.
//
// Instances and the end of the program. Each window class has one global instance (Instance<T>
// in form.h), created and loaded on first use and unloaded, never merely hidden, however it
// closes. Unloading runs Form_Unload, closes the window's peer at once and leaves the deletion of
// the form and its peers to toolkit::Post, so that a handler that unloads its own form returns
// into live objects. When the last loaded form unloads, the program ends: toolkit::EndProgram,
// unless SetOnLastFormUnloaded gave something else.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

class Form;
struct Keystroke;

// What every control's peer does.
class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void SetEnabled(bool enabled) = 0;
    // Gives the control the keyboard focus, or, while its window is not active, makes it the
    // control that takes the focus when the window becomes active.
    virtual void SetFocus() = 0;
};

// A button or a label.
class CaptionPeer : public ControlPeer {
  public:
    virtual void SetCaption(const std::string& caption) = 0;
};

// A text box or a password box. The peer holds the text while it exists.
class TextPeer : public ControlPeer {
  public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// Any of the four lists. Entries are plain texts; how an entry is drawn beyond its text (the
// folder list's indent and folder icons, the drive list's drive icons) the toolkit asks the list
// as it draws the entry.
class ListPeer : public ControlPeer {
  public:
    // Replaces every entry at once, so that a folder of 100,000 files is one call, and selects
    // `selected` (-1: none).
    virtual void SetEntries(const std::vector<std::string>& entries, int selected) = 0;
    virtual void InsertEntry(int index, const std::string& entry) = 0;
    virtual void RemoveEntry(int index) = 0;
    virtual void SetSelected(int index) = 0;
};

class FormPeer {
  public:
    virtual ~FormPeer() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // A disabled window takes no input, and its close box does nothing.
    virtual void SetEnabled(bool enabled) = 0;
    // Shows the window modeless and activates it; centred on the screen the first time.
    virtual void Show() = 0;
    // Hides the window for good: the form has unloaded. The peer reports nothing from here on.
    virtual void Close() = 0;
};

namespace toolkit {

// Creates the window of a form that is loading, and attaches a peer to each of its controls.
std::unique_ptr<FormPeer> MakeWindow(Form& form);

// A modal box with the text, the title, an OK button only and no icon; returns once it is closed.
void ShowMessageBox(const std::string& text, const std::string& title);
// Whether a message box would reach anyone: without a display it would wait for ever.
bool MessageBoxesReachTheUser();

// Posts the keystrokes to the control that has the focus, or that takes it next when none has,
// to be processed by the event loop after the current event.
void PostKeystrokes(const std::vector<Keystroke>& keystrokes);

// Runs the task from the event loop, once the current event has been handled.
void Post(std::function<void()> task);

// Ends the event loop, and with it the program.
void EndProgram();

// The system's locale-aware comparison of two texts, ignoring letter case.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace toolkit
}  // namespace forms
