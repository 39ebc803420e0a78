#include "password/password_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/prefix_fixture.h"
#include "platform/registry.h"

namespace password {
namespace {

class PasswordStoreTest : public platform_test::PrefixTest {
  protected:
    // Writes the hive as a person or another program might have left it.
    void WriteHive(std::string_view text) const {
        std::ofstream(prefix_ / "system.reg", std::ios::binary) << text;
    }
    void WriteStoredValue(std::string_view value) const {
        WriteHive("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"" + std::string(value) +
                  "\"\n\n");
    }
};

TEST_F(PasswordStoreTest, NothingStoredReadsEmptyAndMatchesNothing) {
    EXPECT_EQ(ReadStoredCheckValue(), "");
    EXPECT_FALSE(CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue("")));
}

TEST_F(PasswordStoreTest, StoredValueReadsBackAndMatchesItsPassword) {
    StoreCheckValue(*ComputeCheckValue("abc"));
    EXPECT_EQ(ReadStoredCheckValue(), "16");
    EXPECT_TRUE(CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue("cab")));
    EXPECT_FALSE(CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue("abd")));

    StoreCheckValue(*ComputeCheckValue("Y"));
    EXPECT_EQ(ReadStoredCheckValue(), "1D");
    platform::HKEY key = nullptr;
    EXPECT_EQ(platform::RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, kPasswordKey, &key),
              platform::ERROR_SUCCESS);
    platform::RegCloseKey(key);
}

TEST_F(PasswordStoreTest, ARefusedWriteIsAnErrorAndLeavesTheStoredValue) {
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

TEST_F(PasswordStoreTest, LowerCaseStoredValueMatches) {
    WriteStoredValue("7fe5");
    EXPECT_TRUE(
        CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue(std::string(1129, 'Y'))));
}

TEST_F(PasswordStoreTest, KeyWithoutValueReadsEmptyAndMatchesNothing) {
    WriteHive("REGEDIT4\n\n[hkey_local_machine\\software\\tessarn]\n\n");
    EXPECT_EQ(ReadStoredCheckValue(), "");
    EXPECT_FALSE(CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue("")));
}

TEST_F(PasswordStoreTest, ValueMustFitTheReadBufferWithItsTerminator) {
    WriteStoredValue(std::string(199, '0'));
    EXPECT_EQ(ReadStoredCheckValue(), std::string(199, '0'));
    for (const std::size_t length : {200, 250, 5000}) {
        WriteStoredValue(std::string(length, '0'));
        EXPECT_EQ(ReadStoredCheckValue(), "") << length;
        EXPECT_FALSE(CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue(""))) << length;
    }
}

}  // namespace
}  // namespace password
