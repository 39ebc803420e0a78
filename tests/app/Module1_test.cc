// Start-up: the password key's existence alone picks the first window, and the probe leaves the
// registry as it found it.
#include "app/Module1.h"

#include "forms/Form4.h"
#include "forms/frmLogin.h"
#include "forms/window_test.h"
#include "password/password_store.h"
#include "platform/registry.h"

namespace {

using MainTest = WindowTest;

TEST_F(MainTest, WithoutThePasswordKeyAsksForANewPasswordAndWritesNothing) {
    app::Main();
    ASSERT_TRUE(forms::IsLoaded<forms::Form4>());
    EXPECT_TRUE(user::IsShown(forms::Instance<forms::Form4>()));
    EXPECT_FALSE(forms::IsLoaded<forms::frmLogin>());
    EXPECT_FALSE(machine_->RegistryWritten());
}

TEST_F(MainTest, WithThePasswordKeyAsksToLogInEvenWhenItHoldsNoValue) {
    platform::HKEY key = nullptr;
    ASSERT_EQ(platform::RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key),
              platform::ERROR_SUCCESS);
    platform::RegCloseKey(key);
    app::Main();
    ASSERT_TRUE(forms::IsLoaded<forms::frmLogin>());
    EXPECT_TRUE(user::IsShown(forms::Instance<forms::frmLogin>()));
    EXPECT_FALSE(forms::IsLoaded<forms::Form4>());
}

}  // namespace
