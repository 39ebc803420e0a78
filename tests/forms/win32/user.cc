// The user of the Win32 windows: real input through SendInput, the mouse at positions on the
// screen and the keyboard to whatever has the focus, handled by the event loop as the program's
// own loop handles it; what the user sees is read from the windows themselves.
#include "forms/user.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "forms/win32/widgets.h"
#include "platform/utf16.h"

// After <windows.h>, which widgets.h brings.
#include <shlobj.h>

namespace user {
namespace {

using Clock = std::chrono::steady_clock;

// How long a test waits for the windows to get somewhere.
constexpr std::chrono::seconds kPatience{5};

HWND Handle(const forms::Control& control) {
    const HWND hwnd = forms::win32::HandleOf(control);
    EXPECT_NE(hwnd, nullptr) << control.Name() << " is not shown: its window is not loaded";
    return hwnd;
}

HWND Window(const forms::Form& form) {
    const HWND hwnd = forms::win32::WindowOf(form);
    EXPECT_NE(hwnd, nullptr) << form.Caption() << " is not loaded";
    return hwnd;
}

using platform::Utf8;
using platform::Wide;

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsComboBox(HWND hwnd) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return lstrcmpiW(name, L"ComboBox") == 0;
}

// Handles every message there is, as the program's event loop would between two inputs.
void Pump() {
    MSG message{};
    for (int handled = 0; handled < 100000; ++handled) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
        forms::win32::Dispatch(message);
    }
    ADD_FAILURE() << "the event loop never runs dry";
}

bool PumpUntil(const std::function<bool()>& condition) {
    const Clock::time_point give_up = Clock::now() + kPatience;
    for (;;) {
        Pump();
        if (condition()) return true;
        if (Clock::now() > give_up) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void Send(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size()) << "the system took only part of the input";
    Pump();
}

INPUT KeyInput(WORD virtual_key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (virtual_key) {
        case VK_HOME:
        case VK_END:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DELETE:
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
    }
    return input;
}

void AddStroke(std::vector<INPUT>& inputs, WORD virtual_key) {
    inputs.push_back(KeyInput(virtual_key, false));
    inputs.push_back(KeyInput(virtual_key, true));
}

// The keys, with the modifier held around them.
void PressKeys(std::initializer_list<WORD> keys, Modifier modifier) {
    WORD held = 0;
    switch (modifier) {
        case Modifier::kNone:
            break;
        case Modifier::kShift:
            held = VK_SHIFT;
            break;
        case Modifier::kControl:
            held = VK_CONTROL;
            break;
        case Modifier::kAlt:
            held = VK_MENU;
            break;
    }
    std::vector<INPUT> inputs;
    if (held != 0) inputs.push_back(KeyInput(held, false));
    for (const WORD key : keys) AddStroke(inputs, key);
    if (held != 0) inputs.push_back(KeyInput(held, true));
    Send(std::move(inputs));
}

WORD VirtualKeyOf(forms::Key key) {
    switch (key) {
        case forms::Key::kCharacter:
            break;
        case forms::Key::kHome:
            return VK_HOME;
        case forms::Key::kEnd:
            return VK_END;
        case forms::Key::kLeft:
            return VK_LEFT;
        case forms::Key::kRight:
            return VK_RIGHT;
        case forms::Key::kUp:
            return VK_UP;
        case forms::Key::kDown:
            return VK_DOWN;
        case forms::Key::kDelete:
            return VK_DELETE;
        case forms::Key::kBackspace:
            return VK_BACK;
        case forms::Key::kEnter:
            return VK_RETURN;
        case forms::Key::kEsc:
            return VK_ESCAPE;
        case forms::Key::kTab:
            return VK_TAB;
        case forms::Key::kSpace:
            return VK_SPACE;
    }
    ADD_FAILURE() << "a key without a key of its own";
    return 0;
}

// Where and when the last click on a list was: a second click on the same entry within the
// double-click time is a double-click, which a test that chooses an entry twice does not mean. A
// button takes a double-click for two clicks.
struct LastClick {
    POINT at{-1000, -1000};
    Clock::time_point when{};
};
LastClick last_list_click;

void KeepApartFromLastListClick(POINT screen) {
    const bool same_spot =
        std::abs(screen.x - last_list_click.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - last_list_click.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    const Clock::time_point apart = last_list_click.when +
                                    std::chrono::milliseconds(GetDoubleClickTime()) +
                                    std::chrono::milliseconds(20);
    if (same_spot && Clock::now() < apart) std::this_thread::sleep_until(apart);
}

void ClickAt(POINT screen, bool twice) {
    SetCursorPos(screen.x, screen.y);
    std::vector<INPUT> inputs;
    for (int click = 0; click < (twice ? 2 : 1); ++click) {
        for (const DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = button;
            inputs.push_back(input);
        }
    }
    Send(std::move(inputs));
}

POINT CentreOf(HWND hwnd) {
    RECT area{};
    GetWindowRect(hwnd, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

int RowOf(const forms::ListControl& list, const std::string& entry) {
    const std::vector<std::string> entries = Entries(list);
    int row = -1;
    int found = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == entry) {
            row = static_cast<int>(i);
            ++found;
        }
    }
    EXPECT_EQ(found, 1) << "entries \"" << entry << "\"";
    return row;
}

// Scrolls the row into view and clicks its middle.
void ClickRowOf(HWND list, int row, bool twice) {
    ASSERT_GE(row, 0);
    RECT area{};
    RECT client{};
    GetClientRect(list, &client);
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&area));
    if (area.top < client.top || area.bottom > client.bottom) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&area));
    }
    POINT at{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ClientToScreen(list, &at);
    KeepApartFromLastListClick(at);
    ClickAt(at, twice);
    last_list_click = {at, Clock::now()};
}

void SelectAll(HWND edit) {
    SetFocus(edit);
    Pump();
    PressKeys({VK_HOME}, Modifier::kNone);
    PressKeys({VK_END}, Modifier::kShift);
}

}  // namespace

void Click(const forms::CommandButton& button) {
    ClickAt(CentreOf(Handle(button)), false);
}

void Click(const forms::ListControl& list, const std::string& entry) {
    ClickRowOf(Handle(list), RowOf(list, entry), false);
}

void ClickRow(const forms::ListControl& list, int row) {
    ClickRowOf(Handle(list), row, false);
}

void DoubleClick(const forms::ListControl& list, const std::string& entry) {
    ClickRowOf(Handle(list), RowOf(list, entry), true);
}

void ChooseDrive(const forms::DriveListBox& drives, char letter) {
    const HWND combo = Handle(drives);
    ClickAt(CentreOf(combo), false);
    ASSERT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0)
        << "the drive list did not drop down";
    const std::vector<std::string> entries = Entries(drives);
    int row = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].size() >= 2 && entries[i][0] == letter && entries[i][1] == ':') {
            row = static_cast<int>(i);
        }
    }
    ASSERT_GE(row, 0) << "no drive " << letter << ":";
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(combo, &parts));
    ClickRowOf(parts.hwndList, row, false);
}

void CloseBox(const forms::Form& form) {
    SendMessageW(Window(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
}

// Explorer's drop: the paths in an HDROP, handed to the window in WM_DROPFILES, which the
// window frees.
void DropItems(const forms::Form& form, const std::vector<std::filesystem::path>& items) {
    const HWND window = Window(form);
    if (window == nullptr) return;
    std::wstring names;
    for (const std::filesystem::path& item : items) names += item.wstring() + L'\0';
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, size);
    ASSERT_NE(drop, nullptr);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    RECT client{};
    GetClientRect(window, &client);
    files->pt = {client.right / 2, client.bottom / 2};
    files->fNC = FALSE;
    files->fWide = TRUE;
    std::memcpy(files + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    Pump();
}

void Focus(const forms::Control& control) {
    SetFocus(Handle(control));
    Pump();
}

void Press(forms::Key key, Modifier modifier) {
    PressKeys({VirtualKeyOf(key)}, modifier);
}

void PressAlt(char letter) {
    PressKeys({static_cast<WORD>(std::toupper(static_cast<unsigned char>(letter)))},
              Modifier::kAlt);
}

// Each character as a typed Unicode character, the way an input method delivers one: it needs
// no key of its own on the keyboard.
void Type(const forms::TextBox& box, const std::string& text) {
    SetFocus(Handle(box));
    Pump();
    std::vector<INPUT> inputs;
    for (const wchar_t unit : Wide(text)) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    if (!inputs.empty()) Send(std::move(inputs));
}

void Retype(const forms::TextBox& box, const std::string& text) {
    SelectAll(Handle(box));
    PressKeys({VK_DELETE}, Modifier::kNone);
    Type(box, text);
}

void Paste(const forms::TextBox& box, const std::string& text) {
    const std::wstring wide = Wide(text);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, copy);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SelectAll(Handle(box));
    PressKeys({'V'}, Modifier::kControl);
}

void Activate(const forms::Form& form) {
    SetForegroundWindow(Window(form));
    Pump();
}

void ActivateAnotherWindowAndCloseIt() {
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(PumpUntil([other] { return GetActiveWindow() == other; }));
    // Closing, it leaves the activation to the desktop, as a window with none of the program's
    // windows behind it does; the system would otherwise hand it to the next window in line.
    SetForegroundWindow(GetDesktopWindow());
    DestroyWindow(other);
    Pump();
}

bool IsActive(const forms::Form& form) {
    return GetActiveWindow() == Window(form);
}

bool WaitUntilActive(const forms::Form& form) {
    return PumpUntil([&form] { return IsActive(form); });
}

bool WaitFor(const std::function<bool()>& condition) {
    return PumpUntil(condition);
}

void Settle() {
    Pump();
}

const forms::Control* FocusedControl() {
    return forms::win32::ControlOf(GetFocus());
}

std::string Caption(const forms::Form& form) {
    return Utf8(WindowText(Window(form)));
}

std::string TextOf(const forms::Control& control) {
    return Utf8(WindowText(Handle(control)));
}

std::string DisplayedText(const forms::TextBox& box) {
    const HWND edit = Handle(box);
    const auto mask = static_cast<char>(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0));
    if (mask == 0) return TextOf(box);
    return std::string(static_cast<std::size_t>(GetWindowTextLengthW(edit)), mask);
}

std::string SelectedText(const forms::TextBox& box) {
    const HWND edit = Handle(box);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = WindowText(edit);
    if (start >= end || end > text.size()) return {};
    return Utf8(text.substr(start, end - start));
}

std::vector<std::string> Entries(const forms::ListControl& list) {
    const HWND hwnd = Handle(list);
    const bool combo = IsComboBox(hwnd);
    const UINT count_message = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT length_message = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT text_message = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> entries;
    const auto count = static_cast<int>(SendMessageW(hwnd, count_message, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(hwnd, length_message, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(
            hwnd, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(Utf8(text));
    }
    return entries;
}

int SelectedRow(const forms::ListControl& list) {
    const HWND hwnd = Handle(list);
    return static_cast<int>(
        SendMessageW(hwnd, IsComboBox(hwnd) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

bool IsEnabled(const forms::Control& control) {
    return IsWindowEnabled(Handle(control)) != FALSE;
}

bool IsEnabled(const forms::Form& form) {
    return IsWindowEnabled(Window(form)) != FALSE;
}

bool IsShown(const forms::Form& form) {
    return IsWindowVisible(Window(form)) != FALSE;
}

bool ShowsPicture(const forms::Image& image) {
    const HWND picture = Handle(image);
    return IsWindowVisible(picture) && SendMessageW(picture, STM_GETICON, 0, 0) != 0;
}

Rect Geometry(const forms::Control& control) {
    const HWND hwnd = Handle(control);
    RECT area{};
    GetWindowRect(hwnd, &area);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

Size ClientSize(const forms::Form& form) {
    RECT client{};
    GetClientRect(Window(form), &client);
    return {client.right, client.bottom};
}

int Pixels(int twips) {
    return forms::win32::TwipsToPixels(twips);
}

}  // namespace user
