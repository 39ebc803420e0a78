// A user at Tessarn's windows, for the test of the installed program
// (tests/package-windows/install-use-uninstall). It finds the windows by their captions and
// their controls by class and caption, types with SendInput, clicks list entries with the mouse
// and buttons with BM_CLICK, and each command checks that the window answered as a user would
// see it. Every command does one step, says on standard output what it saw, and exits 1 when
// the step could not be done (a window that does not come, a message box the program shows).
//
//   robot shortcut NAME           the Start-menu entry NAME (common Programs folder): its target,
//                                 arguments, working folder and icon, one per line
//   robot start NAME              starts the program as that entry does: its target, in its
//                                 working folder (with the variables the shell expands)
//   robot set-password PASSWORD   "Password not Set!!!": the password typed twice, then Ok
//   robot log-in PASSWORD         "Enter Password": the password typed, then OK
//   robot hide PATH               "Tessarn": PATH typed into the text box, then Hide
//   robot hide-shown PATH         "Tessarn": Hide, with the text box holding PATH untyped
//   robot unhide NAME             "Tessarn": Unhide; "Hidden Folders": the entry NAME clicked,
//                                 Unhide, then Cancel
//   robot close                   closes "Tessarn" and waits for the program to end
//   robot attributes PATH         the attributes of PATH that hide it: hidden, system
//   robot access PATH             who may open PATH: its access list in the text form (SDDL)
//   robot menu-entry files|folders  Explorer's entry "Hide with Tessarn…" for files or folders:
//                                 its caption, icon, selection model and command, one per line
//   robot open-from-menu PATH     starts the entry's command for the file or folder PATH, in
//                                 the folder that holds it, as Explorer does
#include <windows.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Long enough for a first start of the program under Wine on a busy machine.
constexpr auto kPatience = 30s;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

void say(const std::wstring& line) {
    std::printf("%s\n", utf8(line).c_str());
    std::fflush(stdout);
}

[[noreturn]] void fail(const std::wstring& why) {
    say(L"robot: " + why);
    std::fflush(stdout);
    std::exit(1);
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The text a control holds now. WM_GETTEXT, not GetWindowText: for a window of another process
// GetWindowText gives the caption it was created with, not what was typed since.
std::wstring text_of(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        fail(L"a window of the program does not answer");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, LPARAM(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring trimmed(std::wstring text) {
    while (!text.empty() && text.back() == L' ') text.pop_back();
    return text;
}

bool same_class(HWND window, const wchar_t* name) {
    return lstrcmpiW(class_of(window).c_str(), name) == 0;
}

std::vector<HWND> top_windows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        LPARAM(&windows));
    return windows;
}

std::vector<HWND> children(HWND parent, const wchar_t* window_class) {
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        LPARAM(&all));
    std::vector<HWND> matching;
    for (HWND window : all)
        if (same_class(window, window_class) && IsWindowVisible(window)) matching.push_back(window);
    return matching;
}

HWND button(HWND parent, const std::wstring& caption) {
    for (HWND candidate : children(parent, L"Button"))
        if (text_of(candidate) == caption) return candidate;
    fail(L"no button \"" + caption + L"\" in the window");
}

// A message box: a dialog with its text in the static 0xFFFF and one button, OK.
bool is_message_box(HWND window) {
    return same_class(window, L"#32770") && GetDlgItem(window, 0xFFFF) != nullptr &&
           children(window, L"Button").size() == 1 && children(window, L"Edit").empty() &&
           children(window, L"ListBox").empty();
}

// Every way of waiting ends here: done, a message box of the program (which then is the answer,
// and a fault), or out of patience.
void wait_for(const std::function<bool()>& done, const std::wstring& what) {
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        for (HWND window : top_windows()) {
            if (IsWindowVisible(window) && is_message_box(window)) {
                fail(L"while waiting for " + what + L", a message box \"" + text_of(window) +
                     L"\": " + text_of(GetDlgItem(window, 0xFFFF)));
            }
        }
        if (std::chrono::steady_clock::now() > deadline) fail(L"no " + what);
        std::this_thread::sleep_for(50ms);
    }
}

// A top-level window of the program with this caption that holds the given button; the button
// tells the main window "Tessarn" from a message box titled alike.
HWND window(const std::wstring& caption, const std::wstring& with_button) {
    HWND found = nullptr;
    wait_for(
        [&] {
            for (HWND candidate : top_windows()) {
                if (!IsWindowVisible(candidate) || text_of(candidate) != caption) continue;
                for (HWND b : children(candidate, L"Button"))
                    if (text_of(b) == with_button) found = candidate;
                if (found) return true;
            }
            return false;
        },
        L"window \"" + caption + L"\"");
    return found;
}

void send(std::vector<INPUT> inputs) {
    UINT sent = SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) fail(L"SendInput refused the input");
}

INPUT key(WORD virtual_key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void type(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    send(inputs);
}

// A mouse click where a user would click: the point must show the control itself, or the click
// would land on whatever covers it.
void click_at(HWND control, POINT point) {
    if (WindowFromPoint(point) != control) fail(L"the control to click is covered");
    double width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG(point.x * 65535.0 / width + 0.5);
    input.mi.dy = LONG(point.y * 65535.0 / height + 0.5);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT down = input, up = input;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    send({input, down, up});
}

HWND focus_of(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void bring_forward(HWND top) {
    SetForegroundWindow(top);
    wait_for([&] { return GetForegroundWindow() == top; }, L"window in front");
}

// The keyboard focus on a control: where it is already, or by a click into it.
void focus(HWND top, HWND control) {
    bring_forward(top);
    if (focus_of(top) == control) return;
    RECT rect;
    GetWindowRect(control, &rect);
    click_at(control, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    wait_for([&] { return focus_of(top) == control; }, L"focus in the control clicked");
}

// The text box's whole text replaced by typing, as the program itself selects it: Home, Shift+End.
void retype(HWND top, HWND box, const std::wstring& text) {
    focus(top, box);
    send({key(VK_HOME, false), key(VK_HOME, true), key(VK_SHIFT, false), key(VK_END, false),
          key(VK_END, true), key(VK_SHIFT, true)});
    type(text);
    wait_for([&] { return text_of(box) == text; }, L"text typed into the box");
}

// Posted, not sent: a handler that opens a message box would otherwise hold the robot until
// someone closes it.
void press(HWND top, HWND b) {
    bring_forward(top);
    PostMessageW(b, BM_CLICK, 0, 0);
}

std::vector<HWND> by_top(std::vector<HWND> controls) {
    std::sort(controls.begin(), controls.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return controls;
}

HWND main_window() { return window(L"Tessarn", L"&Hide"); }

// The main window's path box: its only text box that is not part of a drive list.
HWND path_box(HWND main) {
    for (HWND box : children(main, L"Edit")) {
        HWND parent = GetParent(box);
        if (!same_class(parent, L"ComboBox") && !same_class(parent, L"ComboBoxEx32")) return box;
    }
    fail(L"no text box in the main window");
}

void set_password(const std::wstring& password) {
    HWND dialog = window(L"Password not Set!!!", L"&Ok");
    std::vector<HWND> boxes = by_top(children(dialog, L"Edit"));
    if (boxes.size() != 2) fail(L"the first-start dialog has not two text boxes");
    retype(dialog, boxes[0], password);
    retype(dialog, boxes[1], password);
    press(dialog, button(dialog, L"&Ok"));
    wait_for([&] { return !IsWindow(dialog); }, L"end of the first-start dialog");
    HWND main = main_window();
    say(L"password set; the main window shows " + text_of(path_box(main)));
}

// The handler that a click started has ended once the window answers a message sent to it:
// sent messages wait until the window's thread is back in its message loop.
void wait_for_handler(HWND window) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored))
        fail(L"the window does not come back from its handler");
}

void log_in(const std::wstring& password) {
    HWND dialog = window(L"Enter Password", L"OK");
    std::vector<HWND> boxes = children(dialog, L"Edit");
    if (boxes.size() != 1) fail(L"the login dialog has not one text box");
    retype(dialog, boxes[0], password);
    press(dialog, button(dialog, L"OK"));
    wait_for([&] { return !IsWindow(dialog); }, L"end of the login dialog");
    HWND main = main_window();
    wait_for_handler(main);
    say(L"logged in; the main window shows " + text_of(path_box(main)));
}

// Hide of PATH, typed into the text box, or as the text box holds it already.
void hide(const std::wstring& path, bool typed) {
    HWND main = main_window();
    HWND box = path_box(main);
    if (typed) {
        retype(main, box, path);
    } else if (text_of(box) != path) {
        fail(L"the text box holds " + text_of(box) + L", not " + path);
    }
    press(main, button(main, L"&Hide"));
    // The item leaves its folder with the move, before the handler writes its record and moves
    // the lists on; a failed move shows a message box instead.
    wait_for([&] { return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES; },
             L"item gone from " + path);
    wait_for_handler(main);
    say(L"hidden " + path + L"; the main window shows " + text_of(box));
}

void unhide(const std::wstring& name) {
    HWND main = main_window();
    press(main, button(main, L"&Unhide"));
    HWND list_window = window(L"Hidden Folders", L"U&nhide");
    std::vector<HWND> lists = children(list_window, L"ListBox");
    if (lists.size() != 2) fail(L"the hidden-items window has not two lists");
    // The names are in the list on the left; the paths beside them.
    HWND names = lists[0];
    RECT a, b;
    GetWindowRect(lists[0], &a);
    GetWindowRect(lists[1], &b);
    if (b.left < a.left) names = lists[1];

    LRESULT count = SendMessageW(names, LB_GETCOUNT, 0, 0);
    LRESULT index = -1;
    for (LRESULT i = 0; i < count && index < 0; ++i) {
        std::wstring entry(SendMessageW(names, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        entry.resize(SendMessageW(names, LB_GETTEXT, i, LPARAM(entry.data())));
        if (trimmed(entry) == name) index = i;
    }
    if (index < 0) fail(L"the hidden-items window does not list " + name);

    bring_forward(list_window);
    RECT item;
    SendMessageW(names, LB_GETITEMRECT, index, LPARAM(&item));
    POINT point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(names, &point);
    click_at(names, point);
    HWND unhide_button = button(list_window, L"U&nhide");
    wait_for([&] { return IsWindowEnabled(unhide_button) != FALSE; }, L"Unhide enabled by the click");
    press(list_window, unhide_button);
    wait_for([&] { return SendMessageW(names, LB_GETCOUNT, 0, 0) == count - 1; },
             L"entry gone from the list");
    press(list_window, button(list_window, L"&Cancel"));
    wait_for([&] { return !IsWindow(list_window); }, L"end of the hidden-items window");
    wait_for([&] { return IsWindowEnabled(main) != FALSE; }, L"main window enabled again");
    say(L"unhidden " + name + L"; " + std::to_wstring(count - 1) + L" hidden items listed");
}

void close() {
    HWND main = main_window();
    DWORD id = 0;
    GetWindowThreadProcessId(main, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) fail(L"cannot watch the program's process");
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0)
        fail(L"the program goes on after its main window was closed");
    say(L"closed");
}

struct Shortcut {
    std::wstring target, arguments, directory, icon;
};

Shortcut read_shortcut(const std::wstring& name) {
    PWSTR programs = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_CommonPrograms, 0, nullptr, &programs)))
        fail(L"no common Programs folder");
    std::wstring path = std::wstring(programs) + L"\\" + name;
    CoTaskMemFree(programs);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) fail(L"no " + path);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) ||
        FAILED(file->Load(path.c_str(), STGM_READ)))
        fail(L"cannot read the shortcut " + path);
    Shortcut shortcut;
    wchar_t text[MAX_PATH * 2] = {};
    link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
    shortcut.target = text;
    text[0] = 0;
    link->GetArguments(text, MAX_PATH * 2);
    shortcut.arguments = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH * 2);
    shortcut.directory = text;
    text[0] = 0;
    int icon_index = 0;
    link->GetIconLocation(text, MAX_PATH * 2, &icon_index);
    shortcut.icon = std::wstring(text) + L"," + std::to_wstring(icon_index);
    file->Release();
    link->Release();
    return shortcut;
}

std::wstring expanded(const std::wstring& text) {
    wchar_t out[MAX_PATH * 2] = {};
    ExpandEnvironmentStringsW(text.c_str(), out, MAX_PATH * 2);
    return out;
}

void start(const std::wstring& name) {
    Shortcut shortcut = read_shortcut(name);
    std::wstring target = expanded(shortcut.target);
    std::wstring directory = expanded(shortcut.directory);
    std::wstring command = L"\"" + target + L"\"";
    if (!shortcut.arguments.empty()) command += L" " + shortcut.arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(target.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        fail(L"cannot start " + target + L": error " + std::to_wstring(GetLastError()));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    say(L"started " + target + L" in " + directory);
}

// Explorer's entry of the context menu of files (the class *) or of folders (Directory).
struct MenuEntry {
    std::wstring caption, icon, select, command;
};

std::wstring registry_text(const std::wstring& key, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        fail(L"no value " + std::wstring(name ? name : L"(default)") + L" in HKLM\\" + key);
    return text;
}

MenuEntry menu_entry(bool folders) {
    const std::wstring key = std::wstring(L"Software\\Classes\\") +
                             (folders ? L"Directory" : L"*") + L"\\shell\\HideWithTessarn";
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        fail(L"no key HKLM\\" + key);
    RegCloseKey(opened);
    return {registry_text(key, nullptr), registry_text(key, L"Icon"),
            registry_text(key, L"MultiSelectModel"), registry_text(key + L"\\command", nullptr)};
}

// The entry's command for an item, as Explorer runs it: "%1" stands for the item's path.
void open_from_menu(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) fail(L"no " + path);
    std::wstring command = menu_entry(attributes & FILE_ATTRIBUTE_DIRECTORY).command;
    const std::size_t at = command.find(L"%1");
    if (at == std::wstring::npos) fail(L"the command names no %1: " + command);
    command.replace(at, 2, path);
    std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        fail(L"cannot start " + command + L": error " + std::to_wstring(GetLastError()));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    say(L"started " + command);
}

// Who may open PATH, as the text form of its access control list.
std::wstring access_of(const std::wstring& path) {
    DWORD size = 0;
    GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<unsigned char> descriptor(size);
    if (size == 0 || !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION,
                                       descriptor.data(), size, &size))
        fail(L"cannot read who may open " + path);
    LPWSTR text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
        fail(L"cannot write down who may open " + path);
    std::wstring result = text;
    LocalFree(text);
    return result;
}

int run(const std::vector<std::wstring>& args) {
    const std::wstring& command = args[0];
    if (command == L"shortcut" && args.size() == 2) {
        Shortcut shortcut = read_shortcut(args[1]);
        say(L"target=" + shortcut.target);
        say(L"arguments=" + shortcut.arguments);
        say(L"directory=" + shortcut.directory);
        say(L"icon=" + shortcut.icon);
    } else if (command == L"start" && args.size() == 2) {
        start(args[1]);
    } else if (command == L"set-password" && args.size() == 2) {
        set_password(args[1]);
    } else if (command == L"log-in" && args.size() == 2) {
        log_in(args[1]);
    } else if (command == L"hide" && args.size() == 2) {
        hide(args[1], true);
    } else if (command == L"hide-shown" && args.size() == 2) {
        hide(args[1], false);
    } else if (command == L"menu-entry" && args.size() == 2 &&
               (args[1] == L"files" || args[1] == L"folders")) {
        MenuEntry entry = menu_entry(args[1] == L"folders");
        say(L"caption=" + entry.caption);
        say(L"icon=" + entry.icon);
        say(L"select=" + entry.select);
        say(L"command=" + entry.command);
    } else if (command == L"open-from-menu" && args.size() == 2) {
        open_from_menu(args[1]);
    } else if (command == L"unhide" && args.size() == 2) {
        unhide(args[1]);
    } else if (command == L"close" && args.size() == 1) {
        close();
    } else if (command == L"access" && args.size() == 2) {
        say(access_of(args[1]));
    } else if (command == L"attributes" && args.size() == 2) {
        DWORD attributes = GetFileAttributesW(args[1].c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) fail(L"no " + args[1]);
        std::wstring words;
        if (attributes & FILE_ATTRIBUTE_HIDDEN) words += L" hidden";
        if (attributes & FILE_ATTRIBUTE_SYSTEM) words += L" system";
        say(words.empty() ? L"neither hidden nor system" : words.substr(1));
    } else {
        say(L"usage: robot shortcut|start NAME | set-password|log-in PASSWORD | "
            L"hide|hide-shown PATH | unhide NAME | close | attributes|access PATH | "
            L"menu-entry files|folders | open-from-menu PATH");
        return 2;
    }
    return 0;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 2) return run({L""});
    return run(std::vector<std::wstring>(argv + 1, argv + count));
}
