#include "forms/controls.h"

#include <algorithm>
#include <iterator>

#include "forms/form.h"

namespace forms {

char AccessKeyOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;
    }
    return 0;
}

Control::Control(Form& parent, std::string name, Twips place, int tab_index)
    : parent_(parent), name_(std::move(name)), place_(place), tab_index_(tab_index) {
    parent_.Register(*this);
}

Control::~Control() = default;

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (peer_) peer_->SetEnabled(enabled);
}

void Control::SetFocus() {
    if (peer_) peer_->SetFocus();
}

bool Control::Live() const {
    return parent_.Loaded();
}

CommandButton::CommandButton(Form& parent, std::string name, std::string caption, Twips place,
                             int tab_index)
    : Control(parent, std::move(name), place, tab_index), caption_(std::move(caption)) {}

void CommandButton::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (peer_) peer_->SetCaption(caption_);
}

void CommandButton::Attach(std::unique_ptr<CaptionPeer> peer) {
    peer_ = peer.get();
    AttachPeer(std::move(peer));
}

void CommandButton::UserClicked() {
    if (Live() && Enabled() && Click) Click();
}

TextBox::TextBox(Form& parent, std::string name, Twips place, int tab_index, std::string text)
    : Control(parent, std::move(name), place, tab_index), text_(std::move(text)) {}

std::string TextBox::Text() const {
    return peer_ != nullptr ? peer_->Text() : text_;
}

void TextBox::SetText(std::string text) {
    if (peer_ != nullptr) {
        peer_->SetText(text);
    } else {
        text_ = std::move(text);
    }
}

void TextBox::Attach(std::unique_ptr<TextPeer> peer) {
    peer_ = peer.get();
    AttachPeer(std::move(peer));
}

PasswordBox::PasswordBox(Form& parent, std::string name, Twips place, int tab_index)
    : TextBox(parent, std::move(name), place, tab_index) {
    password_ = true;
}

Label::Label(Form& parent, std::string name, std::string caption, Twips place, int tab_index)
    : Control(parent, std::move(name), place, tab_index), caption_(std::move(caption)) {}

void Label::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (peer_) peer_->SetCaption(caption_);
}

void Label::SetForeColor(Color color) {
    has_fore_color_ = true;
    fore_color_ = color;
}

void Label::Attach(std::unique_ptr<CaptionPeer> peer) {
    peer_ = peer.get();
    AttachPeer(std::move(peer));
}

Line::Line(Form& parent, std::string name, int x1, int y1, int x2, int y2, Color color,
           int width_pixels)
    : Control(parent, std::move(name),
              {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) - std::min(x1, x2),
               std::max(y1, y2) - std::min(y1, y2)},
              kNoTabIndex),
      x1_(x1),
      y1_(y1),
      x2_(x2),
      y2_(y2),
      color_(color),
      width_pixels_(std::max(1, width_pixels)) {}

Image::Image(Form& parent, std::string name, Twips place, int tab_index)
    : Control(parent, std::move(name), place, tab_index) {}

ListControl::ListControl(Form& parent, std::string name, Twips place, int tab_index)
    : Control(parent, std::move(name), place, tab_index) {}

void ListControl::Attach(std::unique_ptr<ListPeer> peer) {
    peer_ = peer.get();
    AttachPeer(std::move(peer));
}

void ListControl::ShowEntries(std::vector<std::string> entries, int selected) {
    entries_ = std::move(entries);
    list_index_ = selected;
    if (peer_) peer_->SetEntries(entries_, selected);
}

void ListControl::InsertEntry(int index, std::string entry) {
    entries_.insert(entries_.begin() + index, std::move(entry));
    if (list_index_ >= index) ++list_index_;
    if (peer_) {
        peer_->InsertEntry(index, entries_[static_cast<std::size_t>(index)]);
        peer_->SetSelected(list_index_);
    }
}

void ListControl::RemoveEntry(int index) {
    entries_.erase(entries_.begin() + index);
    if (list_index_ == index) {
        list_index_ = -1;
    } else if (list_index_ > index) {
        --list_index_;
    }
    if (peer_) {
        peer_->RemoveEntry(index);
        // A toolkit may move the selection to a neighbour of the entry removed.
        peer_->SetSelected(list_index_);
    }
}

void ListControl::Select(int index) {
    list_index_ = index;
    if (peer_) peer_->SetSelected(index);
}

ListBox::ListBox(Form& parent, std::string name, Twips place, int tab_index)
    : ListControl(parent, std::move(name), place, tab_index) {}

void ListBox::AddItem(std::string item, int index) {
    InsertEntry(index < 0 ? ListCount() : index, std::move(item));
}

void ListBox::AddItems(std::vector<std::string> items) {
    if (ListCount() == 0) {
        ShowEntries(std::move(items), ListIndex());
        return;
    }
    std::vector<std::string> entries = Entries();
    entries.insert(entries.end(), std::make_move_iterator(items.begin()),
                   std::make_move_iterator(items.end()));
    ShowEntries(std::move(entries), ListIndex());
}

void ListBox::RemoveItem(int index) {
    RemoveEntry(index);
}

void ListBox::Clear() {
    ShowEntries({}, -1);
}

void ListBox::SetListIndex(int index) {
    Select(index);
    if (Click) Click();
}

void ListBox::UserSelected(int index) {
    if (!Live()) return;
    NoteSelection(index);
    if (Click) Click();
}

}  // namespace forms
