// The child windows of the forms' windows: each control's window, made at its twips in the layout
// font, and the registry that leads from a window to its control and back.
#include <unordered_map>

#include "forms/pixels.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

std::unordered_map<HWND, ChildWindow*>& Children() {
    static std::unordered_map<HWND, ChildWindow*> children;
    return children;
}

}  // namespace

ChildWindow::ChildWindow(const Control& control, HWND hwnd) : control_(control), hwnd_(hwnd) {
    Children()[hwnd] = this;
}

ChildWindow::~ChildWindow() {
    Children().erase(hwnd_);
    DestroyWindow(hwnd_);
}

ChildWindow* ChildOf(HWND hwnd) {
    const auto found = Children().find(hwnd);
    return found == Children().end() ? nullptr : found->second;
}

HWND MakeChild(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style,
               DWORD ex_style, const Twips& place) {
    static int next_id = 1000;
    const RECT area = PixelsOf(place);
    const HWND child = CreateWindowExW(
        ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
        area.left, area.top, area.right - area.left, area.bottom - area.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id++)), Module(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(LayoutFont()), FALSE);
    return child;
}

RECT PixelsOf(const Twips& place) {
    const PixelRect area = PixelsOfPlace(place, TwipsToPixels);
    return {area.left, area.top, area.right(), area.bottom()};
}

void MoveChild(HWND child, const PixelRect& area) {
    SetWindowPos(child, nullptr, area.left, area.top, area.width, area.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND HandleOf(const Control& control) {
    const auto* child = dynamic_cast<const ChildWindow*>(control.Peer());
    return child == nullptr ? nullptr : child->hwnd();
}

Control* ControlOf(HWND hwnd) {
    const ChildWindow* child = hwnd == nullptr ? nullptr : ChildOf(hwnd);
    return child == nullptr ? nullptr : const_cast<Control*>(&child->control());
}

}  // namespace forms::win32
