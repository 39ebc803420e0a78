// The names Windows' own tools cannot reach. A Linux file system holds them all, so a record made
// on Linux (on a stick, say) can name one; through "\\?\" paths the program itself would make it,
// and neither Explorer nor the command prompt could then open, rename or delete the item:
//   - a device's name, in any letter case, with or without an extension, as any name of the path:
//     CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, and COM and LPT with the superscript digits
//     ¹ ² ³, which Windows takes for digits there ("con", "nul.txt", "Lpt1.tar.gz");
//   - a name that ends in a dot or a space;
//   - a name holding one of < > : " | ? * or a control character;
//   - a path of 260 characters or more: MAX_PATH, 260, counts the terminating NUL.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Why Windows' own tools could not reach an item at this Windows path, as the end of a sentence
// ("the name \"con.txt\" stands for the device CON"), or nothing when they can. The names are
// those Windows reads from the text (windows_path.h), so "C:\Docs\report.txt." is
// C:\Docs\report.txt and fine; a text that is no drive path is left to whatever refuses it.
std::optional<std::string> WhyWindowsCannotHold(std::string_view path);

}  // namespace platform
