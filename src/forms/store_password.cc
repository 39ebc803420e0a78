#include "forms/store_password.h"

#include "forms/message_box.h"
#include "platform/windows_error.h"
#include "password/password_store.h"

namespace forms {

bool StorePasswordOrSay(std::string_view check_value, const QString& refusal,
                        const QString& title) {
    try {
        password::StoreCheckValue(check_value);
        return true;
    } catch (const platform::WindowsError& error) {
        MsgBox(refusal + QLatin1Char(' ') + QString::fromStdString(error.what()), title);
        return false;
    }
}

}  // namespace forms
