// The machine folder at the start: created on the first start, read on every other.
#pragma once

namespace app {

// Prepares the machine folder. When it cannot be created or read, says why on stderr and, where
// a message box reaches the user, in one too: a start from a desktop menu has no terminal, and
// must not end without a word. False then, and the program ends.
bool PrepareMachineOrTell();

}  // namespace app
