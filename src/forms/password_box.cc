#include "forms/password_box.h"

#include <QLineEdit>
#include <limits>

namespace forms {

void MakePasswordBox(QLineEdit* box) {
    box->setEchoMode(QLineEdit::Password);
    // The style sheet property sets the style hint that QLineEdit asks for its mask character.
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    // QLineEdit would stop at 32,767 characters and drop the rest without a word; an entry too
    // long for the check value is refused by the dialog with a message instead.
    box->setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace forms
