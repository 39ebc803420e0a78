// Synthetic keystrokes, posted to the focused control and processed later by the event loop,
// never sent synchronously. Understands the notation the program uses: {Home}, {End},
// {Left}, {Right}, {Delete}, {Backspace}, {Enter}, {Esc}, {Tab}, plain characters, and "+"
// for Shift on the next key ("{Home}+{End}" selects a text box's whole text).
#pragma once

#include <QString>

namespace forms {

void SendKeys(const QString& keys);

}  // namespace forms
