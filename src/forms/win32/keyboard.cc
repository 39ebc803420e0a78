// The keyboard of a classic dialog in every form's window: Tab and Shift+Tab through the focus
// order, Enter and Esc pressing the window's buttons, and Alt with a caption's access key; seen
// before the control with the focus sees the key.
#include <cctype>
#include <vector>

#include "forms/focus.h"
#include "forms/form.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

// A text box reached by the keyboard has its whole text selected, for typing to replace it.
void FocusAndSelect(HWND child) {
    SetFocus(child);
    if (dynamic_cast<const TextBox*>(ControlOf(child)) != nullptr) {
        SendMessageW(child, EM_SETSEL, 0, -1);
    }
}

void Press(CommandButton* button) {
    if (button == nullptr) return;
    const HWND child = HandleOf(*button);
    if (child == nullptr || !IsWindowEnabled(child) || !IsWindowVisible(child)) return;
    button->UserClicked();
}

void MoveFocus(const Form& form, bool backwards) {
    const std::vector<HWND> stops = TabStops(form);
    if (stops.empty()) return;
    const auto count = static_cast<int>(stops.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (stops[static_cast<std::size_t>(i)] == GetFocus()) at = i;
    }
    const int next =
        at < 0 ? (backwards ? count - 1 : 0) : (at + (backwards ? count - 1 : 1)) % count;
    FocusAndSelect(stops[static_cast<std::size_t>(next)]);
}

// Alt and a caption's access key: a button is pressed, a label sends the focus on to the control
// it names.
bool PressAccessKey(const Form& form, wchar_t key) {
    if (key > 0x7F) return false;
    const auto wanted = static_cast<char>(std::toupper(static_cast<int>(key)));
    const auto matches = [wanted](const std::string& caption) {
        const char access_key = AccessKeyOf(caption);
        return access_key != 0 && std::toupper(static_cast<unsigned char>(access_key)) == wanted;
    };
    for (Control* control : form.Controls()) {
        const HWND child = HandleOf(*control);
        if (child == nullptr || !IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
        if (auto* button = dynamic_cast<CommandButton*>(control)) {
            if (!matches(button->Caption())) continue;
            SetFocus(child);
            Press(button);
            return true;
        }
        if (auto* label = dynamic_cast<Label*>(control)) {
            if (!matches(label->Caption())) continue;
            const Control* target = NamedControl(*label);
            const HWND target_window = target != nullptr ? HandleOf(*target) : nullptr;
            if (target_window != nullptr && IsWindowEnabled(target_window)) {
                FocusAndSelect(target_window);
            }
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<HWND> TabStops(const Form& form) {
    std::vector<HWND> stops;
    for (const Control* control : FocusOrder(form)) {
        const HWND child = HandleOf(*control);
        if (child != nullptr && IsWindowVisible(child) && IsWindowEnabled(child)) {
            stops.push_back(child);
        }
    }
    return stops;
}

bool HandleDialogKey(const MSG& message) {
    if (message.message != WM_SYSCHAR && message.message != WM_KEYDOWN) return false;
    const Form* form = OpenFormOf(GetAncestor(message.hwnd, GA_ROOT));
    if (form == nullptr) return false;
    if (message.message == WM_SYSCHAR) {
        return PressAccessKey(*form, static_cast<wchar_t>(message.wParam));
    }
    const HWND focus = GetFocus();
    ChildWindow* child = focus != nullptr ? ChildOf(focus) : nullptr;
    // An open drop-down takes its own Enter, Esc and Tab.
    if (child != nullptr && child->IsDroppedDown()) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool other_modifier = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (other_modifier) return false;
    switch (message.wParam) {
        case VK_TAB:
            MoveFocus(*form, shift);
            return true;
        case VK_RETURN:
            if (shift) return false;
            if (child != nullptr && child->TakesEnter()) {
                child->Enter();
                return true;
            }
            // Where Enter presses no button, no text box beeps for it either.
            Press(ButtonForEnter(*form, ControlOf(focus)));
            return true;
        case VK_ESCAPE:
            if (shift) return false;
            Press(form->CancelButton());
            return true;
    }
    return false;
}

}  // namespace forms::win32
