// A register whose folder is gone, which only a machine of our own can show: on Windows the
// folder is C:\Windows\System32.
#include <gtest/gtest.h>

#include <filesystem>

#include "register/hidden_items_register.h"
#include "register/register_test.h"

namespace hiding {
namespace {

TEST_F(RegisterTest, OpenInAMissingFolderSaysWhichRegisterCannotBeOpened) {
    std::filesystem::remove_all(System32());
    EXPECT_STREQ(ErrorOf([] { HiddenItemsRegister::Open(); }).what(),
                 "Cannot open the register c:\\windows\\system32\\tessarn.dat: The system cannot "
                 "find the path specified.");
}

}  // namespace
}  // namespace hiding
