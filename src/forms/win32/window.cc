// A form's window on Win32: a top-level window with the form's border, caption and icon, holding
// a child window per control, keeping the focus while inactive (the keys are keyboard.cc's), and
// the close box reported to the form.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "forms/DirListBox.h"
#include "forms/DriveListBox.h"
#include "forms/FileListBox.h"
#include "forms/focus.h"
#include "forms/form.h"
#include "forms/win32/drops.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"TessarnForm";

std::unordered_map<HWND, FormWindow*>& FormWindows() {
    static std::unordered_map<HWND, FormWindow*> windows;
    return windows;
}

struct Styles {
    DWORD style;
    DWORD ex_style;
    bool owned;  // owned by the program's hidden window, which keeps it off the taskbar
};

Styles StylesOf(BorderStyle border) {
    switch (border) {
        case BorderStyle::kFixedDialog:
            return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, true};
        case BorderStyle::kFixedSingle:
            return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, false};
        case BorderStyle::kSizable:
            break;
    }
    return {WS_OVERLAPPEDWINDOW, 0, false};
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

void RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = FormProc;
        window_class.hInstance = Module();
        window_class.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
        window_class.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
        window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        window_class.lpszClassName = kFormClass;
        return RegisterClassExW(&window_class) != 0;
    }();
    (void)registered;
}

}  // namespace

class FormWindow : public FormPeer {
  public:
    explicit FormWindow(Form& form) : form_(form) {
        RegisterFormClass();
        const Styles styles = StylesOf(form.Border());
        RECT frame{0, 0, TwipsToPixels(form.ClientWidth()), TwipsToPixels(form.ClientHeight())};
        AdjustWindowRectEx(&frame, styles.style, FALSE, styles.ex_style);
        CreateWindowExW(styles.ex_style, kFormClass, Wide(form.Caption()).c_str(),
                        styles.style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top,
                        styles.owned ? ProgramWindow() : nullptr, nullptr, Module(), this);
        // Every window carries the program icon, the dialogs too, though Windows draws none in a
        // dialog frame's caption.
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXICON))));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXSMICON))));
        EnableWindow(hwnd_, form.Enabled());
        AcceptDrops(form, hwnd_);
    }

    // The controls' windows are gone with their peers by now.
    ~FormWindow() override {
        FormWindows().erase(hwnd_);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }

    HWND hwnd() const { return hwnd_; }
    Form& form() const { return form_; }
    // The form has unloaded: from here on the window only goes away.
    bool closed() const { return closed_; }

    void SetCaption(const std::string& caption) override {
        SetWindowTextW(hwnd_, Wide(caption).c_str());
    }

    void SetEnabled(bool enabled) override {
        // Disabling takes the focus away without deactivating the window; it comes back to the
        // same control once the window is enabled and active again.
        if (!enabled) KeepFocus();
        EnableWindow(hwnd_, enabled);
    }

    void Show() override {
        if (!centred_) {
            centred_ = true;
            RECT frame{};
            GetWindowRect(hwnd_, &frame);
            RECT work{};
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            const int width = frame.right - frame.left;
            const int height = frame.bottom - frame.top;
            SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                         work.top + (work.bottom - work.top - height) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    }

    void Close() override {
        closed_ = true;
        const bool was_active = GetActiveWindow() == hwnd_;
        ShowWindow(hwnd_, SW_HIDE);
        if (was_active) ActivateAnother();
    }

    void Focus(HWND child) {
        if (GetActiveWindow() == hwnd_ && IsWindowEnabled(hwnd_)) {
            SetFocus(child);
        } else {
            focus_ = child;
        }
    }

    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) {
        switch (message) {
            case WM_DROPFILES:
                Dropped(form_, reinterpret_cast<HDROP>(wparam));
                return 0;
            case WM_CLOSE:
                // The close box: the form decides, and unloads, never merely hides, the window.
                if (!closed_) form_.UserClosing();
                return 0;
            case WM_COMMAND:
                if (ChildWindow* child = ChildOf(reinterpret_cast<HWND>(lparam))) {
                    child->Notified(HIWORD(wparam));
                }
                return 0;
            case WM_DRAWITEM: {
                const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
                ChildWindow* child = ChildOf(item->hwndItem);
                if (child != nullptr && child->DrawEntry(*item)) return TRUE;
                break;
            }
            case WM_MEASUREITEM:
                // Asked while a list is being created, before its peer exists; every row of every
                // owner-drawn list has the one height.
                reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = ListRowHeight();
                return TRUE;
            case WM_CTLCOLORSTATIC:
                if (ChildWindow* child = ChildOf(reinterpret_cast<HWND>(lparam))) {
                    if (HBRUSH brush = child->Colours(reinterpret_cast<HDC>(wparam))) {
                        return reinterpret_cast<LRESULT>(brush);
                    }
                }
                break;
            case WM_ACTIVATE:
                if (LOWORD(wparam) == WA_INACTIVE) {
                    KeepFocus();
                } else if (HIWORD(wparam) == 0) {
                    RestoreFocus();
                }
                return 0;
            case WM_SETFOCUS:
                RestoreFocus();
                return 0;
        }
        return DefWindowProcW(hwnd_, message, wparam, lparam);
    }

    void Created(HWND hwnd) {
        hwnd_ = hwnd;
        FormWindows()[hwnd] = this;
    }

  private:
    // The activation goes back to the program's topmost window that takes input, as it goes back
    // to a dialog's owner: a dialog here is owned by the program's hidden window, and Windows
    // would hand the activation to whatever window lies next, maybe another program's.
    void ActivateAnother() const {
        for (HWND next = GetWindow(hwnd_, GW_HWNDFIRST); next != nullptr;
             next = GetWindow(next, GW_HWNDNEXT)) {
            const FormWindow* window = FormWindowOf(next);
            if (window != nullptr && window != this && !window->closed_ && IsWindowVisible(next) &&
                IsWindowEnabled(next)) {
                SetForegroundWindow(next);
                return;
            }
        }
    }

    // Notes the control with the focus, for it to have the focus again when the window does.
    void KeepFocus() {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) focus_ = focus;
    }

    void RestoreFocus() {
        HWND target = focus_;
        if (target == nullptr || !IsWindow(target) || !IsWindowEnabled(target) ||
            !IsWindowVisible(target)) {
            const std::vector<HWND> stops = TabStops(form_);
            target = stops.empty() ? nullptr : stops.front();
        }
        if (target != nullptr) {
            SetFocus(target);
        } else if (GetFocus() != hwnd_) {
            SetFocus(hwnd_);
        }
        DeliverPendingKeystrokes();
    }

    Form& form_;
    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;
    bool closed_ = false;
    bool centred_ = false;
};

namespace {

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        window->Created(hwnd);
    }
    auto* window = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
    return window->Handle(message, wparam, lparam);
}

// Makes each control's peer, in the order the windows are stacked: a control that takes the
// focus comes in tab order, each after the labels that name it, which a screen reader takes for
// its name; the controls drawn on the window's surface (other labels, lines, the icon) lie
// beneath them all, a later one over an earlier one.
class PeerMaker : public ControlVisitor {
  public:
    PeerMaker(HWND window, const Form& form) : window_(window), form_(form) {}

    void Make() {
        std::vector<Control*> made;
        const auto was_made = [&made](const Control* control) {
            return std::find(made.begin(), made.end(), control) != made.end();
        };
        for (Control* control : FocusOrder(form_)) {
            bool labelled = false;
            for (Control* other : form_.Controls()) {
                auto* label = dynamic_cast<Label*>(other);
                if (label == nullptr || NamedControl(*label) != control) continue;
                label->Accept(*this);
                made.push_back(label);
                labelled = true;
            }
            if (!labelled && !control->AccessibleName().empty()) NameForScreenReaders(*control);
            control->Accept(*this);
            made.push_back(control);
        }
        const std::vector<Control*>& controls = form_.Controls();
        for (auto control = controls.rbegin(); control != controls.rend(); ++control) {
            if (!was_made(*control)) (*control)->Accept(*this);
        }
    }

    void Visit(CommandButton& control) override {
        control.Attach(MakeButtonPeer(control, window_));
    }
    void Visit(TextBox& control) override { control.Attach(MakeTextPeer(control, window_)); }
    void Visit(Label& control) override { control.Attach(MakeLabelPeer(control, window_)); }
    void Visit(Line& control) override { control.Attach(MakeLinePeer(control, window_)); }
    void Visit(Image& control) override { control.Attach(MakeImagePeer(control, window_)); }
    void Visit(ListBox& control) override { control.Attach(MakeListBoxPeer(control, window_)); }
    void Visit(DriveListBox& control) override {
        control.Attach(MakeDriveListPeer(control, window_));
    }
    void Visit(DirListBox& control) override {
        control.Attach(MakeFolderListPeer(control, window_));
    }
    void Visit(FileListBox& control) override {
        control.Attach(MakeFileListPeer(control, window_));
    }

  private:
    // A control without a label of its own is named by a label that is never shown.
    void NameForScreenReaders(const Control& control) {
        const HWND label = MakeChild(window_, L"STATIC", Wide(control.AccessibleName()),
                                     SS_LEFT | SS_NOPREFIX, 0, control.Place());
        ShowWindow(label, SW_HIDE);
    }

    HWND window_;
    const Form& form_;
};

}  // namespace

FormWindow* FormWindowOf(HWND hwnd) {
    const auto found = FormWindows().find(hwnd);
    return found == FormWindows().end() ? nullptr : found->second;
}

Form* OpenFormOf(HWND window) {
    FormWindow* form_window = FormWindowOf(window);
    return form_window == nullptr || form_window->closed() ? nullptr : &form_window->form();
}

void FocusChild(HWND child) {
    if (FormWindow* window = FormWindowOf(GetParent(child))) window->Focus(child);
}

HWND WindowOf(const Form& form) {
    const auto* window = static_cast<const FormWindow*>(form.Peer());
    return window == nullptr ? nullptr : window->hwnd();
}

}  // namespace forms::win32

namespace forms::toolkit {

std::unique_ptr<FormPeer> MakeWindow(Form& form) {
    win32::StartToolkit();
    auto window = std::make_unique<win32::FormWindow>(form);
    win32::PeerMaker(window->hwnd(), form).Make();
    return window;
}

}  // namespace forms::toolkit
