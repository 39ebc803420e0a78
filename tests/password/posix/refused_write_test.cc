// A write the registry refuses, which the Linux hive can be made to refuse: one holding a line
// it could not write back. (On Windows, a user without the rights of an administrator.)
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "password/password_store.h"
#include "platform/prefix_fixture.h"
#include "platform/windows_error.h"

namespace password {
namespace {

class HivePasswordStoreTest : public platform_test::PrefixTest {
  protected:
    void WriteHive(std::string_view text) const {
        std::ofstream(prefix_ / "system.reg", std::ios::binary) << text;
    }
};

TEST_F(HivePasswordStoreTest, ARefusedWriteIsAnErrorAndLeavesTheStoredValue) {
    WriteHive("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"16\"\nnot a value line\n");
    try {
        StoreCheckValue("1D");
        ADD_FAILURE() << "a write the registry refused passed for a stored password";
    } catch (const platform::WindowsError& error) {
        EXPECT_EQ(error.code(), platform::ERROR_BADDB);
        EXPECT_NE(std::string(error.what()).find("HKEY_LOCAL_MACHINE\\Software\\Tessarn"),
                  std::string::npos);
    }
    EXPECT_EQ(ReadStoredCheckValue(), "16");
}

}  // namespace
}  // namespace password
