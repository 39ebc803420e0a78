// The program's one way to tell the user something: a modal box with the text, an OK button
// only, no icon, and the given title, or the application title "Tessarn" where none is given.
// Tests put a recorder in its place that answers at once.
#pragma once

#include <functional>
#include <string>

namespace forms {

inline constexpr const char* kApplicationTitle = "Tessarn";

void MsgBox(const std::string& text, const std::string& title = {});

// Whether a message box reaches anyone: a display shows it, or a test stands in for the user.
// Without either (a headless platform), a modal box would wait for ever for a click.
bool MessageBoxesReachTheUser();

// Whether a message box is open now, over whichever window it speaks for.
bool MessageBoxOpen();

// Replaces the real box; pass an empty function to restore it.
using MessageBoxHandler = std::function<void(const std::string& text, const std::string& title)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace forms
