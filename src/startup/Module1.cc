#include "startup/Module1.h"

#include "forms/form.h"
#include "platform/registry.h"
#include "startup/password_store.h"

#if __has_include("forms/Form4.h") && __has_include("forms/frmLogin.h")
#include "forms/Form4.h"
#include "forms/frmLogin.h"
#endif

namespace startup {

void Main() {
    platform::HKEY key = nullptr;
    // Any failure to open the key, not only its absence, means no password can be checked, so
    // the user is asked to set one.
    const bool password_set = platform::RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, kPasswordKey,
                                                    &key) == platform::ERROR_SUCCESS;
    if (password_set) platform::RegCloseKey(key);
#if __has_include("forms/Form4.h") && __has_include("forms/frmLogin.h")
    if (password_set) {
        forms::Instance<forms::frmLogin>().Show();
    } else {
        forms::Instance<forms::Form4>().Show();
    }
#endif
}

}  // namespace startup
