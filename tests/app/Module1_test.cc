// Start-up: the password key's existence alone picks the first window, and the probe leaves the
// registry as it found it.
#include "app/Module1.h"

#include <filesystem>

#include "forms/Form4.h"
#include "forms/frmLogin.h"
#include "platform/registry.h"
#include "password/password_store.h"
#include "forms/window_test.h"

namespace {

using MainTest = WindowTest;

TEST_F(MainTest, WithoutThePasswordKeyAsksForANewPasswordAndWritesNothing) {
    app::Main();
    EXPECT_TRUE(forms::IsLoaded<forms::Form4>() && forms::Instance<forms::Form4>().isVisible());
    EXPECT_FALSE(forms::IsLoaded<forms::frmLogin>());
    EXPECT_FALSE(std::filesystem::exists(prefix_ / "system.reg"));
}

TEST_F(MainTest, WithThePasswordKeyAsksToLogInEvenWhenItHoldsNoValue) {
    platform::HKEY key = nullptr;
    ASSERT_EQ(platform::RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key),
              platform::ERROR_SUCCESS);
    platform::RegCloseKey(key);
    app::Main();
    EXPECT_TRUE(forms::IsLoaded<forms::frmLogin>() &&
                forms::Instance<forms::frmLogin>().isVisible());
    EXPECT_FALSE(forms::IsLoaded<forms::Form4>());
}

}  // namespace
