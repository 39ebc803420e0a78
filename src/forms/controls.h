// The controls of the model: each one keeps its design (name, place in twips, tab index, caption)
// and its state, and raises its events synchronously. How a toolkit shows them: toolkit.h.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/toolkit.h"

namespace forms {

class Form;
class CommandButton;
class TextBox;
class Label;
class Line;
class Image;
class ListBox;
class DriveListBox;
class DirListBox;
class FileListBox;

// A control's place in its window, left, top, width and height in twips (15 to a pixel at 96
// dpi), relative to the window's client area.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

struct Color {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Color&) const = default;
};

// The toolkit's view of the control kinds, to make the right peer for each.
class ControlVisitor {
  public:
    virtual ~ControlVisitor() = default;
    virtual void Visit(CommandButton& control) = 0;
    virtual void Visit(TextBox& control) = 0;
    virtual void Visit(Label& control) = 0;
    virtual void Visit(Line& control) = 0;
    virtual void Visit(Image& control) = 0;
    virtual void Visit(ListBox& control) = 0;
    virtual void Visit(DriveListBox& control) = 0;
    virtual void Visit(DirListBox& control) = 0;
    virtual void Visit(FileListBox& control) = 0;
};

// For controls outside the tab order: lines.
inline constexpr int kNoTabIndex = -1;

// The access key a caption marks with "&" ("&Hide": 'H'); "&&" stands for "&" itself. Zero when
// the caption marks none.
char AccessKeyOf(std::string_view caption);

// What every control has: its window, its design-time name and place, its tab index, whether it
// is enabled, and the toolkit's peer once its window has loaded.
class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The design-time name ("Text1", "lblLabels(1)").
    const std::string& Name() const { return name_; }
    Form& Parent() const { return parent_; }
    const Twips& Place() const { return place_; }
    int TabIndex() const { return tab_index_; }
    // Whether the control can take the keyboard focus at all; labels, lines and images never do.
    virtual bool TakesFocus() const { return true; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void SetFocus();

    // The name a screen reader gives the control where its kind gives none of its own.
    const std::string& AccessibleName() const { return accessible_name_; }
    void SetAccessibleName(std::string name) { accessible_name_ = std::move(name); }

    virtual void Accept(ControlVisitor& visitor) = 0;
    // The toolkit's peer; null until the form loads.
    ControlPeer* Peer() const { return peer_.get(); }

  protected:
    Control(Form& parent, std::string name, Twips place, int tab_index);
    void AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }
    // Whether a report of the toolkit is to be acted on: not once the form has unloaded.
    bool Live() const;

  private:
    Form& parent_;
    std::string name_;
    Twips place_;
    int tab_index_;
    bool enabled_ = true;
    std::string accessible_name_;
    std::unique_ptr<ControlPeer> peer_;
};

// A command button. "&" in the caption marks its access key.
class CommandButton : public Control {
  public:
    CommandButton(Form& parent, std::string name, std::string caption, Twips place, int tab_index);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    std::function<void()> Click;

    void Attach(std::unique_ptr<CaptionPeer> peer);
    // The user pressed the button: a click, Enter or Esc, or its access key.
    void UserClicked();

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    std::string caption_;
    CaptionPeer* peer_ = nullptr;
};

// A one-line text box without a length limit; its text is used exactly as typed.
class TextBox : public Control {
  public:
    TextBox(Form& parent, std::string name, Twips place, int tab_index, std::string text = {});

    std::string Text() const;
    void SetText(std::string text);
    // Whether every character shows as "*".
    bool IsPassword() const { return password_; }

    void Attach(std::unique_ptr<TextPeer> peer);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    bool password_ = false;

  private:
    std::string text_;
    TextPeer* peer_ = nullptr;
};

// A text box that shows "*" for every character.
class PasswordBox : public TextBox {
  public:
    PasswordBox(Form& parent, std::string name, Twips place, int tab_index);
};

// A label. Its access key ("&Password:") moves the focus to the next control in tab order that
// can take it.
class Label : public Control {
  public:
    Label(Form& parent, std::string name, std::string caption, Twips place, int tab_index);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    // Design: whether the label takes the size of its text, keeping its top left corner.
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool auto_size) { auto_size_ = auto_size; }
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool word_wrap) { word_wrap_ = word_wrap; }
    // Design: the text's colour, where it is not the system's.
    const Color* ForeColor() const { return has_fore_color_ ? &fore_color_ : nullptr; }
    void SetForeColor(Color color);
    // Design: the control the label names for a screen reader, where it has no access key.
    Control* LabelFor() const { return label_for_; }
    void SetLabelFor(Control& control) { label_for_ = &control; }

    bool TakesFocus() const override { return false; }
    void Attach(std::unique_ptr<CaptionPeer> peer);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    std::string caption_;
    bool auto_size_ = false;
    bool word_wrap_ = false;
    bool has_fore_color_ = false;
    Color fore_color_{};
    Control* label_for_ = nullptr;
    CaptionPeer* peer_ = nullptr;
};

// A straight line between two points given in twips, with the two ends in one row or one
// column. A wide pen spreads below a horizontal line and to the right of a vertical one.
class Line : public Control {
  public:
    Line(Form& parent, std::string name, int x1, int y1, int x2, int y2, Color color,
         int width_pixels = 1);

    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    Color LineColor() const { return color_; }
    int WidthPixels() const { return width_pixels_; }

    bool TakesFocus() const override { return false; }
    void Attach(std::unique_ptr<ControlPeer> peer) { AttachPeer(std::move(peer)); }

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    int x1_;
    int y1_;
    int x2_;
    int y2_;
    Color color_;
    int width_pixels_;
};

// The program's 32 x 32 icon, drawn at the top left of its place.
class Image : public Control {
  public:
    Image(Form& parent, std::string name, Twips place, int tab_index);

    bool TakesFocus() const override { return false; }
    void Attach(std::unique_ptr<ControlPeer> peer) { AttachPeer(std::move(peer)); }

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
};

// What the four lists share: entries in order and the selected one.
class ListControl : public Control {
  public:
    int ListCount() const { return static_cast<int>(entries_.size()); }
    // The entry at `index`, counted from 0.
    const std::string& List(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    const std::vector<std::string>& Entries() const { return entries_; }
    // The selected entry, -1 when none is.
    int ListIndex() const { return list_index_; }

    void Attach(std::unique_ptr<ListPeer> peer);

  protected:
    ListControl(Form& parent, std::string name, Twips place, int tab_index);

    // Replaces every entry and the selection, in one step for the toolkit.
    void ShowEntries(std::vector<std::string> entries, int selected);
    void InsertEntry(int index, std::string entry);
    void RemoveEntry(int index);
    void Select(int index);
    // The selection as the user left it; the toolkit shows it already.
    void NoteSelection(int index) { list_index_ = index; }

  private:
    std::vector<std::string> entries_;
    int list_index_ = -1;
    ListPeer* peer_ = nullptr;
};

// A single-selection list box of texts, unsorted.
class ListBox : public ListControl {
  public:
    ListBox(Form& parent, std::string name, Twips place, int tab_index);

    // Adds an entry at `index`, or at the end for -1.
    void AddItem(std::string item, int index = -1);
    // Adds every item at the end in one step: a full register fills the list in one pass.
    void AddItems(std::vector<std::string> items);
    // Removing the selected entry leaves none selected, without a Click.
    void RemoveItem(int index);
    void Clear();
    // Selects an entry (-1: none) and raises Click.
    void SetListIndex(int index);

    // Raised when the selection changes, by the user or by SetListIndex.
    std::function<void()> Click;

    // The user selected an entry, or took the selection away (-1).
    void UserSelected(int index);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
};

}  // namespace forms
