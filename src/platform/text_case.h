// Comparison of texts ignoring letter case, as the Windows platform compares names and texts:
// ASCII and the letters of the Windows-1252 range at least (e and E, é and É, š and Š, ÿ and Ÿ).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The text with every letter folded to lower case; UTF-8 in and out.
std::string FoldCase(std::string_view utf8);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Whether a name matches a pattern in which each '*' stands for any run of characters, none
// included, and everything else is compared ignoring letter case: "tessarn*.jnl".
bool MatchesIgnoringCase(std::string_view name, std::string_view pattern);

// Sorts names as a folder listing shows them: ignoring letter case, and names that differ in
// letter case alone by their bytes, so that the order never depends on the order the file system
// lists them in.
void SortIgnoringCase(std::vector<std::string>& names);

}  // namespace platform
