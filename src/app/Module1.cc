#include "app/Module1.h"

#include "forms/Form4.h"
#include "forms/form.h"
#include "forms/frmLogin.h"
#include "forms/given_items.h"
#include "password/password_store.h"
#include "platform/registry.h"

namespace app {

void Main(const std::vector<std::string>& paths) {
    forms::SetStartPaths(paths);
    platform::HKEY key = nullptr;
    // Any failure to open the key, not only its absence, means that no password can be checked,
    // so the user is asked to set one. Nothing is read from the key here.
    if (platform::RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key) ==
        platform::ERROR_SUCCESS) {
        platform::RegCloseKey(key);
        forms::Instance<forms::frmLogin>().Show();
    } else {
        forms::Instance<forms::Form4>().Show();
    }
}

}  // namespace app
