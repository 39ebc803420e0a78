// The rest of the toolkit on Win32: the message box, posted keystrokes and the locale's comparison
// of texts.
#include "forms/toolkit.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "forms/send_keys.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

std::vector<Keystroke>& PendingKeystrokes() {
    static std::vector<Keystroke> pending;
    return pending;
}

UINT VirtualKeyOf(Key key) {
    switch (key) {
        case Key::kCharacter:
            break;
        case Key::kHome:
            return VK_HOME;
        case Key::kEnd:
            return VK_END;
        case Key::kLeft:
            return VK_LEFT;
        case Key::kRight:
            return VK_RIGHT;
        case Key::kUp:
            return VK_UP;
        case Key::kDown:
            return VK_DOWN;
        case Key::kDelete:
            return VK_DELETE;
        case Key::kBackspace:
            return VK_BACK;
        case Key::kEnter:
            return VK_RETURN;
        case Key::kEsc:
            return VK_ESCAPE;
        case Key::kTab:
            return VK_TAB;
        case Key::kSpace:
            return VK_SPACE;
    }
    return 0;
}

// The keys that lie in the extended block of the keyboard, as their scan code says.
bool IsExtended(UINT virtual_key) {
    switch (virtual_key) {
        case VK_HOME:
        case VK_END:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DELETE:
            return true;
    }
    return false;
}

// A keystroke handled as a typed one is, by the window's keyboard and then by the control with
// the focus. Shift is held in the thread's keyboard state for the while, where a text box looks
// for it ({End} with Shift extends the selection).
void Deliver(const Keystroke& stroke) {
    const HWND target = GetFocus();
    if (target == nullptr) return;
    if (stroke.key == Key::kCharacter) {
        // A character beyond the basic plane comes as two units, a surrogate pair, as typed
        // ones do.
        std::wstring units;
        platform::AppendUtf16(stroke.character, units);
        for (const wchar_t unit : units) {
            Dispatch(MSG{target, WM_CHAR, unit, 1, 0, {}});
        }
        return;
    }
    const UINT virtual_key = VirtualKeyOf(stroke.key);
    BYTE saved[256];
    GetKeyboardState(saved);
    if (stroke.shift) {
        BYTE shifted[256];
        std::copy(std::begin(saved), std::end(saved), std::begin(shifted));
        shifted[VK_SHIFT] = shifted[VK_LSHIFT] = 0x80;
        SetKeyboardState(shifted);
    }
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM extended = IsExtended(virtual_key) ? (1 << 24) : 0;
    Dispatch(MSG{target, WM_KEYDOWN, virtual_key, 1 | scan | extended, 0, {}});
    Dispatch(MSG{GetFocus(),
                 WM_KEYUP,
                 virtual_key,
                 static_cast<LPARAM>(1 | scan | extended | 0xC0000000u),
                 0,
                 {}});
    if (stroke.shift) SetKeyboardState(saved);
}

}  // namespace

// Delivered only once one of the program's controls has the focus: right after a message box
// closes, none has until the window that opened it is active again, and typed keys would go to
// the control that takes the focus then. The form window calls here once it has given one.
void DeliverPendingKeystrokes() {
    if (PendingKeystrokes().empty() || ControlOf(GetFocus()) == nullptr) return;
    const std::vector<Keystroke> strokes = std::move(PendingKeystrokes());
    PendingKeystrokes().clear();
    for (const Keystroke& stroke : strokes) Deliver(stroke);
}

}  // namespace forms::win32

namespace forms::toolkit {

void ShowMessageBox(const std::string& text, const std::string& title) {
    // Owned by the window it speaks for, which it disables meanwhile and activates again when it
    // closes; the program's other windows are disabled already while that one is open.
    const HWND owner = GetActiveWindow();
    MessageBoxW(owner, win32::Wide(text).c_str(), win32::Wide(title).c_str(),
                MB_OK | MB_SETFOREGROUND | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL));
}

// A Windows program has a desktop to show its boxes on.
bool MessageBoxesReachTheUser() {
    return true;
}

void PostKeystrokes(const std::vector<Keystroke>& keystrokes) {
    win32::PendingKeystrokes().insert(win32::PendingKeystrokes().end(), keystrokes.begin(),
                                      keystrokes.end());
    Post([] { win32::DeliverPendingKeystrokes(); });
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    const std::wstring wide_a = win32::Wide(a);
    const std::wstring wide_b = win32::Wide(b);
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, wide_a.c_str(),
                           static_cast<int>(wide_a.size()), wide_b.c_str(),
                           static_cast<int>(wide_b.size()), nullptr, nullptr, 0) == CSTR_EQUAL;
}

}  // namespace forms::toolkit
