// The Linux registry: its calls over the text hive <prefix>/system.reg, which must stay a hive
// regedit can import, keep every line a person wrote, and never be left torn.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/prefix_fixture.h"
#include "platform/registry.h"
#include "platform/registry_probe.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using namespace std::string_literals;

using namespace registry_probe;

class HiveRegistryTest : public platform_test::PrefixTest {
  protected:
    fs::path HivePath() const { return prefix_ / "system.reg"; }
    std::string HiveText() const { return ReadHostFile(HivePath()); }
    void WriteHive(std::string_view text) const {
        std::ofstream(HivePath(), std::ios::binary) << text;
    }
};

using HiveRegOpenKeyATest = HiveRegistryTest;
using HiveRegCreateKeyATest = HiveRegistryTest;
using HiveRegQueryValueATest = HiveRegistryTest;
using HiveRegSetValueATest = HiveRegistryTest;
using HiveFileTest = HiveRegistryTest;

TEST_F(HiveRegOpenKeyATest, AFailureClearsTheHandleButANullKeyLeavesIt) {
    HKEY key = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    struct Case {
        HKEY key;
        const char* sub_key;
        LONG result;
        HKEY handle_after;
    };
    const Case cases[] = {
        {HKEY_LOCAL_MACHINE, "\\Software", ERROR_BAD_PATHNAME, nullptr},
        {kSentinelKey, "Software", ERROR_INVALID_HANDLE, nullptr},
        {nullptr, "Software", ERROR_INVALID_HANDLE, kSentinelKey},
    };
    for (const Case& c : cases) {
        for (const auto call : {RegOpenKeyA, RegCreateKeyA}) {
            key = kSentinelKey;
            EXPECT_EQ(call(c.key, c.sub_key, &key), c.result) << c.sub_key;
            EXPECT_EQ(key, c.handle_after) << c.sub_key;
        }
    }
    EXPECT_FALSE(fs::exists(HivePath()));
}

TEST_F(HiveRegOpenKeyATest, SoftwareExistsOnAFreshMachine) {
    HKEY key = kSentinelKey;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &key), ERROR_SUCCESS);
    EXPECT_EQ(Query("", key), "");
    RegCloseKey(key);
    EXPECT_FALSE(fs::exists(HivePath()));
}

TEST_F(HiveRegOpenKeyATest, RunsOfBackslashesCountAsOne) {
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\\\Tessarn\\\\", REG_SZ, "16", 3),
              ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Tessarn\\", &key), ERROR_SUCCESS);
    EXPECT_EQ(Query("", key), "16");
    RegCloseKey(key);
    EXPECT_EQ(HiveText(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"16\"\n\n");
}

TEST_F(HiveRegCreateKeyATest, ExistingKeyIsOpenedEvenInAHiveThatCannotBeWritten) {
    const std::string hive = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n??garbage\n";
    WriteHive(hive);
    HKEY key = kSentinelKey;
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    key = kSentinelKey;
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Other", &key), ERROR_BADDB);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(HiveText(), hive);
}

TEST_F(HiveRegQueryValueATest, DefaultOfAnotherTypeIsNoText) {
    WriteHive("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=dword:00000016\n\n");
    EXPECT_EQ(Query(kPasswordKey), "error " + std::to_string(ERROR_INVALID_DATA));
}

TEST_F(HiveRegSetValueATest, CreatesTheKeyAndWritesARegedit4Hive) {
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "16", 3), ERROR_SUCCESS);
    EXPECT_EQ(HiveText(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"16\"\n\n");
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSARN", REG_SZ, "A\\\"B", 0),
              ERROR_SUCCESS);
    EXPECT_EQ(HiveText(),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"A\\\\\\\"B\"\n\n");
    EXPECT_EQ(Query(kPasswordKey), "A\\\"B");
}

TEST_F(HiveRegSetValueATest, RefusesWhatTheHiveCannotHold) {
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, 4, "16", 3), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "1\n[X]", 6),
              ERROR_INVALID_DATA);
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, "Software\nX", REG_SZ, "1", 2), ERROR_INVALID_NAME);
    EXPECT_FALSE(fs::exists(HivePath()));
}

TEST_F(HiveRegSetValueATest, KeepsEveryLineOfAHandWrittenHive) {
    const std::string lines[] = {
        "; exported by hand",
        "[HKEY_CURRENT_USER\\Software\\Other]",
        "\"Name\"=\"a \\\"quoted\\\" value\"",
        "[HKEY_LOCAL_MACHINE\\Software\\Tessarn]",
        "\"Count\"=dword:0000002a",
        "\"Blob\"=hex:01,02,\\\n  03,04",
        "\"Expand\"=hex(2):25,00",
        "@=\"old\"",
    };
    std::string hive = "REGEDIT4\r\n\r\n";
    for (const std::string& line : lines) hive += line + "\r\n";
    WriteHive(hive);
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "16", 3), ERROR_SUCCESS);
    const std::string written = HiveText();
    for (const std::string& line : lines) {
        if (line != "@=\"old\"") {
            EXPECT_NE(written.find(line + "\n"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(written.find("old"), std::string::npos);
    EXPECT_EQ(Query(kPasswordKey), "16");
}

TEST_F(HiveFileTest, DamagedHiveReadsWhatItCanAndIsNeverWrittenBack) {
    const std::string damaged[] = {
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"1"s,  // torn mid-line
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"1\0\"\n"s,
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n\"B\"=hex:01,\\"s,
        "\x7f"
        "ELF\x02\x01\x01\0\0\0[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n"s,
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn\n@=\"1\"\n"s,
    };
    for (const std::string& hive : damaged) {
        WriteHive(hive);
        Query(kPasswordKey);
        EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "16", 3), ERROR_BADDB);
        EXPECT_EQ(HiveText(), hive);
    }
    // The readable part still counts: the key exists, its torn value does not.
    WriteHive(damaged[0]);
    EXPECT_EQ(Query(kPasswordKey), "");
}

TEST_F(HiveFileTest, AWriteCutShortAtAnyStepLeavesTheOldOrTheNewHiveWhole) {
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "old", 0), ERROR_SUCCESS);
    const std::string old_hive = HiveText();
    const std::string new_hive =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"new\"\n\n";
    int nth = 1;
    for (;; ++nth) {
        fault_injection::FailFromOperation(nth);
        const LONG result = RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "new", 0);
        fault_injection::Disarm();
        const std::string hive = HiveText();
        EXPECT_TRUE(hive == old_hive || hive == new_hive) << "failing step " << nth;
        EXPECT_FALSE(fs::exists(prefix_ / ".system.reg.new")) << "failing step " << nth;
        if (result == ERROR_SUCCESS) break;
        EXPECT_EQ(result, ERROR_IO_DEVICE) << "failing step " << nth;
        WriteHive(old_hive);
    }
    EXPECT_EQ(HiveText(), new_hive);
    EXPECT_GE(nth, 6);  // open, write, flush, close, rename, flush the folder: each was cut
}

TEST_F(HiveFileTest, SectionsOfOneKeyInAnyLetterCaseAreOneKey) {
    WriteHive(
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"1\"\n\n"
        "[hkey_local_machine\\SOFTWARE\\tessarn]\n@=\"2\"\n\n");
    EXPECT_EQ(Query(kPasswordKey), "2");
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "3", 2), ERROR_SUCCESS);
    EXPECT_EQ(HiveText(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n@=\"3\"\n\n");
}

}  // namespace
}  // namespace platform
