// Turns a text box into a password box: every character shows as "*", whatever the style's own
// mask character, and no length limit cuts what the user types or pastes.
#pragma once

#include <QString>

class QLineEdit;

namespace forms {

void MakePasswordBox(QLineEdit* box);

// The refusal of an entry whose check value would leave the 16-bit residue sum. Up to 1,129
// characters never do, since no character's residue exceeds 29.
inline const QString kPasswordTooLong =
    QStringLiteral("Password too long, use at most 1,129 characters");

}  // namespace forms
