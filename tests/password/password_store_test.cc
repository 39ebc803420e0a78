#include "password/password_store.h"

#include <gtest/gtest.h>

#include <string>

#include "machine/machine_test.h"
#include "platform/registry.h"

namespace password {
namespace {

class PasswordStoreTest : public test_machine::MachineTest {
  protected:
    // The stored value as a person or another program might have left it.
    void WriteStoredValue(std::string_view value) { machine().WritePasswordKey(value); }
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

TEST_F(PasswordStoreTest, LowerCaseStoredValueMatches) {
    WriteStoredValue("7fe5");
    EXPECT_TRUE(
        CheckValuesMatch(ReadStoredCheckValue(), *ComputeCheckValue(std::string(1129, 'Y'))));
}

TEST_F(PasswordStoreTest, KeyWithoutValueReadsEmptyAndMatchesNothing) {
    machine().WritePasswordKey(std::nullopt);
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
