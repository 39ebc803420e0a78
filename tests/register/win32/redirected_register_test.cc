// A register left by a 32-bit build of the program on 64-bit Windows, which Windows redirected
// from C:\Windows\System32 to C:\Windows\SysWOW64: the register found there, and which one wins.
#include <gtest/gtest.h>

#include <filesystem>

#include "register/hidden_items_register.h"
#include "register/register_test.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

class RedirectedRegisterTest : public RegisterTest {
  protected:
    fs::path SysWow64() const { return DriveC() / "windows" / "syswow64"; }
};

TEST_F(RedirectedRegisterTest, ARegisterLeftInSysWow64AloneIsTakenOverWhole) {
    Store(SysWow64() / "tessarn.dat", BytesOf(Items(2)));
    EXPECT_EQ(ReadAllRecords(), Items(2));
    EXPECT_EQ(Bytes(RegisterFile()), BytesOf(Items(2)));
    EXPECT_FALSE(fs::exists(SysWow64() / "tessarn.dat"));
}

TEST_F(RedirectedRegisterTest, TheSystemFoldersOwnRegisterWinsAndTheOtherIsLeftAlone) {
    Store(RegisterFile(), BytesOf(Items(1)));
    Store(SysWow64() / "tessarn.dat", BytesOf(Items(3)));
    EXPECT_EQ(ReadAllRecords(), Items(1));
    EXPECT_EQ(Bytes(SysWow64() / "tessarn.dat"), BytesOf(Items(3)));
}

TEST_F(RedirectedRegisterTest, AnUnfinishedRewriteLeftAloneInSysWow64IsPutInPlace) {
    Store(SysWow64() / "temp.dat", BytesOf(Items(2)));
    EXPECT_EQ(ReadAllRecords(), Items(2));
    EXPECT_FALSE(fs::exists(SysWow64() / "temp.dat"));
    EXPECT_FALSE(fs::exists(TemporaryFile()));
}

}  // namespace
}  // namespace hiding
