// The dialogs' one way to store a new password's check value: the registry's refusal is told to
// the user in the dialog's own words, never passed over, so that no dialog confirms a password
// that will not admit the user at the next start.
#pragma once

#include <QString>
#include <string_view>

namespace forms {

// Stores the check value; on a refusal shows "<refusal> <the system's sentence>" under the title
// and returns false.
bool StorePasswordOrSay(std::string_view check_value, const QString& refusal, const QString& title);

}  // namespace forms
