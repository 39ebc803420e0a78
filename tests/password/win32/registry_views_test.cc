// The registry's two views on 64-bit Windows: a 32-bit program that wrote
// HKEY_LOCAL_MACHINE\Software\Tessarn had it redirected to Software\WOW6432Node\Tessarn.
#include <gtest/gtest.h>

#include <string>

#include "machine/machine_test.h"
#include "password/password_store.h"

// Last, as in any Windows program: its macros of the result codes and of HKEY_LOCAL_MACHINE would
// otherwise rewrite the platform's names of them. Below they are the system's own.
#include <windows.h>

namespace {

// The password key with a default value, in one view of the registry only.
void WriteKeyInView(REGSAM view, const std::string& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tessarn", 0, nullptr, 0,
                              KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

std::string ValueInView(REGSAM view) {
    char value[64] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Tessarn", nullptr,
                     RRF_RT_REG_SZ |
                         (view == KEY_WOW64_32KEY ? RRF_SUBKEY_WOW6432KEY : RRF_SUBKEY_WOW6464KEY),
                     nullptr, value, &size) != ERROR_SUCCESS) {
        return "none";
    }
    return value;
}

using RegistryViewsTest = test_machine::MachineTest;

TEST_F(RegistryViewsTest, APasswordSetBy32BitTessarnIsFoundAndChangedWhereItIs) {
    WriteKeyInView(KEY_WOW64_32KEY, "16");
    EXPECT_EQ(password::ReadStoredCheckValue(), "16");
    password::StoreCheckValue("1D");
    EXPECT_EQ(ValueInView(KEY_WOW64_32KEY), "1D");
    EXPECT_EQ(ValueInView(KEY_WOW64_64KEY), "none");
}

TEST_F(RegistryViewsTest, TheNativeKeyWinsOverThe32BitOne) {
    WriteKeyInView(KEY_WOW64_32KEY, "16");
    WriteKeyInView(KEY_WOW64_64KEY, "7FE5");
    EXPECT_EQ(password::ReadStoredCheckValue(), "7FE5");
    password::StoreCheckValue("1D");
    EXPECT_EQ(ValueInView(KEY_WOW64_64KEY), "1D");
    EXPECT_EQ(ValueInView(KEY_WOW64_32KEY), "16");
}

TEST_F(RegistryViewsTest, ANewPasswordGoesToTheNativeView) {
    password::StoreCheckValue("16");
    EXPECT_EQ(ValueInView(KEY_WOW64_64KEY), "16");
    EXPECT_EQ(ValueInView(KEY_WOW64_32KEY), "none");
}

}  // namespace
