// Synthetic keystrokes, posted to the focused control and processed later by the event loop,
// never sent synchronously. Understands the notation the program uses: {Home}, {End}, {Left},
// {Right}, {Up}, {Down}, {Delete}, {Backspace}, {Enter}, {Esc}, {Tab}, plain characters, and "+"
// for Shift on the next key ("{Home}+{End}" selects a text box's whole text).
#pragma once

#include <string_view>
#include <vector>

namespace forms {

enum class Key {
    kCharacter,  // the keystroke's character
    kHome,
    kEnd,
    kLeft,
    kRight,
    kUp,
    kDown,
    kDelete,
    kBackspace,
    kEnter,
    kEsc,
    kTab,
    kSpace,
};

struct Keystroke {
    Key key;
    char32_t character = 0;  // for Key::kCharacter
    bool shift = false;
    bool operator==(const Keystroke&) const = default;
};

// The keystrokes a text in that notation stands for; names it does not know stand for none.
std::vector<Keystroke> ParseKeys(std::string_view keys);

void SendKeys(std::string_view keys);

}  // namespace forms
