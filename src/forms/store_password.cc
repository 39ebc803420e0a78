#include "forms/store_password.h"

#include "forms/message_box.h"
#include "password/password_store.h"
#include "platform/windows_error.h"

namespace forms {

bool StorePasswordOrSay(std::string_view check_value, const std::string& refusal,
                        const std::string& title) {
    try {
        password::StoreCheckValue(check_value);
        return true;
    } catch (const platform::WindowsError& error) {
        MsgBox(refusal + ' ' + error.what(), title);
        return false;
    }
}

}  // namespace forms
