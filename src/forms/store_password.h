// What the password dialogs share: the refusal of an entry too long for the check value, and the
// one way to store a new check value, whose refusal by the registry is told to the user in the
// dialog's own words, never passed over, so that no dialog confirms a password that will not
// admit the user at the next start.
#pragma once

#include <string>
#include <string_view>

namespace forms {

// The refusal of an entry whose check value would leave the 16-bit residue sum. Up to 1,129
// characters never do, since no character's residue exceeds 29.
inline constexpr const char* kPasswordTooLong = "Password too long, use at most 1,129 characters";

// Stores the check value; on a refusal shows "<refusal> <the system's sentence>" under the title
// and returns false.
bool StorePasswordOrSay(std::string_view check_value, const std::string& refusal,
                        const std::string& title);

}  // namespace forms
