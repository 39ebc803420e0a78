// What the Win32 toolkit's files share: the child window behind each control and its peer base,
// the form window a child lives in, the peers' makers, the dialog keyboard, the twips layout and
// the layout font.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/pixels.h"
#include "forms/toolkit.h"
#include "forms/win32/widgets.h"
#include "platform/utf16.h"

namespace forms::win32 {

// Captions and texts cross to the system as UTF-16, as paths do.
using platform::Utf8;
using platform::Wide;

// The module whose resources hold the program icon (resource 1): the program itself.
HINSTANCE Module();
// The program icon at a size in pixels; loaded once per size and kept.
HICON ProgramIcon(int pixels);
// 8-point MS Sans Serif at the screen's logical dpi, the font the twips layout was made for.
HFONT LayoutFont();
// The height of one row of a list, text or icon, whichever is higher.
int ListRowHeight();
// Pixels on this screen for a length given in pixels at 96 dpi.
int Scaled(int pixels_at_96_dpi);
// The side of the small pictures beside list entries: 16 pixels at 96 dpi.
int SmallIconPixels();

// A form's window, as its child windows see it (window.cc).
class FormWindow;
FormWindow* FormWindowOf(HWND hwnd);
// The form a top-level window shows while the form is loaded; null for any other window.
Form* OpenFormOf(HWND window);
// The program's own hidden window: it owns the dialogs, which keeps them off the taskbar, and
// runs the tasks posted to the event loop (event_loop.cc).
HWND ProgramWindow();

// A control's child window: told the notifications the form window receives about it.
class ChildWindow {
  public:
    ChildWindow(const Control& control, HWND hwnd);
    virtual ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const Control& control() const { return control_; }

    // A WM_COMMAND notification from the window (BN_CLICKED, LBN_SELCHANGE, ...).
    virtual void Notified(int code) { (void)code; }
    // Draws an owner-drawn entry; false for a window that draws itself.
    virtual bool DrawEntry(const DRAWITEMSTRUCT& item) {
        (void)item;
        return false;
    }
    // The brush for a static window's background and its text colour (WM_CTLCOLORSTATIC); null
    // for the system's.
    virtual HBRUSH Colours(HDC dc) {
        (void)dc;
        return nullptr;
    }
    // Whether Enter is this window's own key (the folder list opens a folder on it), and what it
    // does with it.
    virtual bool TakesEnter() const { return false; }
    virtual void Enter() {}
    // Whether the window shows a drop-down list now, which takes every key.
    virtual bool IsDroppedDown() const { return false; }

  private:
    const Control& control_;
    HWND hwnd_;
};

// The child window of a control's peer, if it has one.
ChildWindow* ChildOf(HWND hwnd);

// Gives a child window the focus when its window is active, or else makes it the one that takes
// the focus when its window becomes active.
void FocusChild(HWND child);

// A peer over one child window.
template <class Interface>
class ChildPeer : public Interface, public ChildWindow {
  public:
    ChildPeer(const Control& control, HWND hwnd) : ChildWindow(control, hwnd) {
        EnableWindow(hwnd, control.Enabled());
    }
    void SetEnabled(bool enabled) override { EnableWindow(hwnd(), enabled); }
    void SetFocus() override { FocusChild(hwnd()); }
};

// Creates a child window of the form window at the control's twips (children.cc).
HWND MakeChild(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style,
               DWORD ex_style, const Twips& place);
// The rectangle of a control's twips, in pixels of its window's client area.
RECT PixelsOf(const Twips& place);
// Moves a child window to a rectangle in pixels of its window's client area.
void MoveChild(HWND child, const PixelRect& area);

std::unique_ptr<CaptionPeer> MakeButtonPeer(CommandButton& button, HWND window);
std::unique_ptr<TextPeer> MakeTextPeer(TextBox& box, HWND window);
std::unique_ptr<CaptionPeer> MakeLabelPeer(Label& label, HWND window);
std::unique_ptr<ControlPeer> MakeLinePeer(Line& line, HWND window);
std::unique_ptr<ControlPeer> MakeImagePeer(Image& image, HWND window);
std::unique_ptr<ListPeer> MakeListBoxPeer(ListBox& list, HWND window);
std::unique_ptr<ListPeer> MakeFileListPeer(FileListBox& list, HWND window);
std::unique_ptr<ListPeer> MakeFolderListPeer(DirListBox& list, HWND window);
std::unique_ptr<ListPeer> MakeDriveListPeer(DriveListBox& list, HWND window);

// The small pictures the lists draw beside their entries, at the top left of `area`.
void DrawFolder(HDC dc, const RECT& area, bool open);
void DrawDrive(HDC dc, const RECT& area, bool ready);

// The child windows that Tab visits in a form's window, in tab order: those of its focus order
// that can take the focus now (keyboard.cc).
std::vector<HWND> TabStops(const Form& form);
// The keys of a classic dialog (Tab, Enter, Esc, access keys) in a form's window, before the
// control with the focus sees them; true when the key was the window's (keyboard.cc).
bool HandleDialogKey(const MSG& message);

// The keystrokes posted for the focused control, delivered once one of the program's controls
// has the focus (toolkit.cc); the form window calls this when it has given one the focus.
void DeliverPendingKeystrokes();

}  // namespace forms::win32
