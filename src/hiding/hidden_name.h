// Hidden names: the names items lie under in a drive's hiding place, "H" followed by a number.
#pragma once

#include <string_view>

namespace hiding {

// Whether a hidden name read back from the register is one plain name inside the hiding place,
// so that joining it onto the hiding place's path can reach nothing else: not empty, not "." or
// "..", and holding no '\', '/', ':' or NUL. Trailing pad spaces are not part of the name.
bool IsPlainHiddenName(std::string_view hidden_name);

}  // namespace hiding
