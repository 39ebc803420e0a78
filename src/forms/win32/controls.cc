// The simple controls on Win32: buttons, text boxes, labels, lines and the program's icon, each a
// standard window of user32.
#include "forms/form.h"
#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

// No length limit: a text box stops at 30,000 characters unless told otherwise, and would drop
// the rest of a pasted password or path without a word.
constexpr LPARAM kNoLengthLimit = 0x7FFFFFFE;

class ButtonPeer : public ChildPeer<CaptionPeer> {
  public:
    ButtonPeer(CommandButton& button, HWND hwnd) : ChildPeer(button, hwnd), button_(button) {}

    void SetCaption(const std::string& caption) override {
        SetWindowTextW(hwnd(), Wide(caption).c_str());
    }

    void Notified(int code) override {
        switch (code) {
            // The second click of a double-click arrives on its own; the user clicked twice.
            case BN_CLICKED:
            case BN_DOUBLECLICKED:
                button_.UserClicked();
                break;
            case BN_SETFOCUS:
                ShowAsDefault(true);
                break;
            case BN_KILLFOCUS:
                ShowAsDefault(false);
                break;
        }
    }

  private:
    // The focused button is the one Enter presses, so it wears the default button's heavy
    // border, which the window's default button gives up meanwhile.
    void ShowAsDefault(bool focused) {
        const CommandButton* fallback = button_.Parent().DefaultButton();
        const bool own_default = fallback == &button_;
        SendMessageW(hwnd(), BM_SETSTYLE, focused || own_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
        if (fallback == nullptr || own_default) return;
        if (const HWND other = HandleOf(*fallback)) {
            SendMessageW(other, BM_SETSTYLE, focused ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
        }
    }

    CommandButton& button_;
};

class TextBoxPeer : public ChildPeer<TextPeer> {
  public:
    using ChildPeer::ChildPeer;

    std::string Text() const override {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()))));
        return Utf8(text);
    }
    void SetText(const std::string& text) override { SetWindowTextW(hwnd(), Wide(text).c_str()); }
};

// The size of a caption on one line in the layout font, its access key's "&" left out.
SIZE CaptionSize(HWND hwnd, const std::wstring& caption) {
    const HDC dc = GetDC(hwnd);
    const HGDIOBJ previous = SelectObject(dc, LayoutFont());
    RECT area{};
    DrawTextW(dc, caption.c_str(), -1, &area, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(hwnd, dc);
    return {area.right - area.left, area.bottom - area.top};
}

class LabelPeer : public ChildPeer<CaptionPeer> {
  public:
    LabelPeer(Label& label, HWND hwnd) : ChildPeer(label, hwnd), label_(label) {
        if (const Color* color = label.ForeColor()) {
            text_colour_ = RGB(color->red, color->green, color->blue);
            has_colour_ = true;
        }
    }

    void SetCaption(const std::string& caption) override {
        SetWindowTextW(hwnd(), Wide(caption).c_str());
        Fit(caption);
    }

    void Fit(const std::string& caption) {
        const SIZE text = CaptionSize(hwnd(), Wide(caption));
        MoveChild(hwnd(), FittedLabel(label_, {text.cx, text.cy}, TwipsToPixels));
    }

    HBRUSH Colours(HDC dc) override {
        if (!has_colour_) return nullptr;
        SetTextColor(dc, text_colour_);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }

  private:
    const Label& label_;
    COLORREF text_colour_ = 0;
    bool has_colour_ = false;
};

// A static window without text, filled with the line's colour: the window is the line with its
// pen's width.
class LinePeer : public ChildPeer<ControlPeer> {
  public:
    LinePeer(Line& line, HWND hwnd)
        : ChildPeer(line, hwnd),
          colour_(RGB(line.LineColor().red, line.LineColor().green, line.LineColor().blue)),
          brush_(CreateSolidBrush(colour_)) {}
    ~LinePeer() override { DeleteObject(brush_); }

    HBRUSH Colours(HDC dc) override {
        SetBkColor(dc, colour_);
        return brush_;
    }

  private:
    COLORREF colour_;
    HBRUSH brush_;
};

class PlainPeer : public ChildPeer<ControlPeer> {
  public:
    using ChildPeer::ChildPeer;
};

}  // namespace

std::unique_ptr<CaptionPeer> MakeButtonPeer(CommandButton& button, HWND window) {
    const bool is_default = button.Parent().DefaultButton() == &button;
    const HWND hwnd =
        MakeChild(window, L"BUTTON", Wide(button.Caption()),
                  WS_TABSTOP | BS_NOTIFY | (is_default ? BS_DEFPUSHBUTTON : 0), 0, button.Place());
    return std::make_unique<ButtonPeer>(button, hwnd);
}

std::unique_ptr<TextPeer> MakeTextPeer(TextBox& box, HWND window) {
    const HWND hwnd = MakeChild(window, L"EDIT", Wide(box.Text()),
                                WS_TABSTOP | ES_AUTOHSCROLL | (box.IsPassword() ? ES_PASSWORD : 0),
                                WS_EX_CLIENTEDGE, box.Place());
    SendMessageW(hwnd, EM_SETLIMITTEXT, kNoLengthLimit, 0);
    // Common controls 6 would show a dot for each character.
    if (box.IsPassword()) SendMessageW(hwnd, EM_SETPASSWORDCHAR, L'*', 0);
    return std::make_unique<TextBoxPeer>(box, hwnd);
}

std::unique_ptr<CaptionPeer> MakeLabelPeer(Label& label, HWND window) {
    const HWND hwnd = MakeChild(window, L"STATIC", Wide(label.Caption()),
                                label.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP, 0, label.Place());
    auto peer = std::make_unique<LabelPeer>(label, hwnd);
    peer->Fit(label.Caption());
    return peer;
}

std::unique_ptr<ControlPeer> MakeLinePeer(Line& line, HWND window) {
    const HWND hwnd = MakeChild(window, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 0, {});
    MoveChild(hwnd, PixelsOfLine(line, TwipsToPixels));
    return std::make_unique<LinePeer>(line, hwnd);
}

std::unique_ptr<ControlPeer> MakeImagePeer(Image& image, HWND window) {
    const HWND hwnd = MakeChild(window, L"STATIC", L"", SS_ICON, 0, image.Place());
    SendMessageW(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon(TwipsToPixels(480))), 0);
    return std::make_unique<PlainPeer>(image, hwnd);
}

}  // namespace forms::win32
