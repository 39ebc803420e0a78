// The five registry calls as the program relies on them, the same on Windows and on Linux:
// handles, sizes and what a failing call leaves untouched (sentinel values prove it).
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

#include "machine/machine_test.h"
#include "platform/registry_probe.h"

namespace platform {
namespace {

using namespace registry_probe;

using RegistryTest = test_machine::MachineTest;

using RegOpenKeyATest = RegistryTest;
using RegCreateKeyATest = RegistryTest;
using RegQueryValueATest = RegistryTest;
using RegSetValueATest = RegistryTest;
using RegCloseKeyTest = RegistryTest;

TEST_F(RegOpenKeyATest, AFailureClearsTheHandleButANullKeyLeavesIt) {
    HKEY key = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    key = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(nullptr, "Software", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key, kSentinelKey);
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegOpenKeyATest, OpensAKeyAndItsParentsIgnoringLetterCase) {
    machine().WritePasswordKey("16");
    HKEY key = kSentinelKey;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\tessarn", &key), ERROR_SUCCESS);
    EXPECT_NE(key, kSentinelKey);
    EXPECT_EQ(Query("", key), "16");
    HKEY parent = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "software", &parent), ERROR_SUCCESS);
    EXPECT_NE(parent, key);
    RegCloseKey(key);
    RegCloseKey(parent);
}

TEST_F(RegOpenKeyATest, EmptyOrNullSubKeyGivesTheKeyItself) {
    HKEY root = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "", &root), ERROR_SUCCESS);
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
    root = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, nullptr, &root), ERROR_SUCCESS);
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_SUCCESS);
    HKEY same = kSentinelKey;
    EXPECT_EQ(RegOpenKeyA(key, "", &same), ERROR_SUCCESS);
    EXPECT_EQ(same, key);
    RegCloseKey(key);
}

TEST_F(RegOpenKeyATest, EmptySubKeyHandsBackEvenAnUnknownHandleUnchecked) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(kSentinelKey, "", &key), ERROR_SUCCESS);
    EXPECT_EQ(key, kSentinelKey);
    EXPECT_EQ(Query("", key), "error " + std::to_string(ERROR_INVALID_HANDLE));
}

TEST_F(RegCreateKeyATest, CreatesTheKeyRelativeToAnOpenKey) {
    HKEY software = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software", &software), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(software, "Tessarn", &key), ERROR_SUCCESS);
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &opened), ERROR_SUCCESS);
    EXPECT_EQ(Query("", key), "");
    for (HKEY handle : {software, key, opened}) RegCloseKey(handle);
}

TEST_F(RegCreateKeyATest, EmptySubKeyGivesAHandleOfItsOwn) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_SUCCESS);
    for (const char* sub_key : {"", static_cast<const char*>(nullptr)}) {
        HKEY copy = nullptr;
        ASSERT_EQ(RegCreateKeyA(key, sub_key, &copy), ERROR_SUCCESS);
        EXPECT_NE(copy, key);
        EXPECT_EQ(RegCloseKey(copy), ERROR_SUCCESS);
        EXPECT_EQ(Query("", key), "");
    }
    RegCloseKey(key);
}

TEST_F(RegQueryValueATest, SizeZeroAsksForTheNeededSizeAndCopiesNothing) {
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, "16", 3), ERROR_SUCCESS);
    std::array<char, 8> buffer;
    buffer.fill('x');
    LONG size = 0;
    EXPECT_EQ(RegQueryValueA(HKEY_LOCAL_MACHINE, kPasswordKey, buffer.data(), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), "xxxxxxxx");

    size = 0;
    EXPECT_EQ(RegQueryValueA(HKEY_LOCAL_MACHINE, kPasswordKey, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3);

    // The size is unsigned to Windows: a negative one is a large one.
    for (const LONG declared : {static_cast<LONG>(buffer.size()), LONG{-1}}) {
        size = declared;
        EXPECT_EQ(RegQueryValueA(HKEY_LOCAL_MACHINE, kPasswordKey, buffer.data(), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(size, 3);
        EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string("16\0xxxxx", 8));
    }
}

TEST_F(RegQueryValueATest, ValueLongerThanTheBufferIsNotCopied) {
    const std::string long_value(250, '7');
    ASSERT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, long_value.c_str(), 0),
              ERROR_SUCCESS);
    std::array<char, 200> buffer{};
    LONG size = buffer.size();
    EXPECT_EQ(RegQueryValueA(HKEY_LOCAL_MACHINE, kPasswordKey, buffer.data(), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 251);
    EXPECT_EQ(buffer, (std::array<char, 200>{}));
}

TEST_F(RegQueryValueATest, KeyWithoutDefaultValueReadsAsEmptyText) {
    machine().WritePasswordKey(std::nullopt);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    LONG size = sizeof buffer;
    EXPECT_EQ(RegQueryValueA(HKEY_LOCAL_MACHINE, kPasswordKey, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 1);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(RegQueryValueATest, MissingKeyOrHandleLeavesBufferAndSize) {
    char buffer[4] = {'x', 'x', 'x', 'x'};
    LONG size = kSentinelSize;
    EXPECT_EQ(RegQueryValueA(HKEY_LOCAL_MACHINE, kPasswordKey, buffer, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueA(kSentinelKey, "", buffer, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(size, kSentinelSize);
    EXPECT_EQ(std::string(buffer, 4), "xxxx");
}

TEST_F(RegQueryValueATest, AnOpenKeySeesWhatAnotherCopyWrote) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_SUCCESS);
    machine().WritePasswordKey("7FE5");
    EXPECT_EQ(Query("", key), "7FE5");
    RegCloseKey(key);
}

TEST_F(RegSetValueATest, SetsTheDefaultTextWhateverSizeIsGiven) {
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSARN", REG_SZ, "A\\\"B", 0),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(kPasswordKey), "A\\\"B");
    EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, 4, "16", 3), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Query(kPasswordKey), "A\\\"B");
}

TEST_F(RegSetValueATest, ConcurrentWritersLoseNoKey) {
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([w] {
            const std::string key = std::string(kPasswordKey) + "\\Writer" + std::to_string(w);
            for (int i = 0; i < 10; ++i) {
                RegSetValueA(HKEY_LOCAL_MACHINE, key.c_str(), REG_SZ, std::to_string(i).c_str(), 0);
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    for (int w = 0; w < 4; ++w) {
        const std::string key = std::string(kPasswordKey) + "\\Writer" + std::to_string(w);
        EXPECT_EQ(Query(key.c_str()), "9");
    }
}

TEST_F(RegCloseKeyTest, ClosesAHandleOnce) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Query("", key), "error " + std::to_string(ERROR_INVALID_HANDLE));
    EXPECT_EQ(RegCloseKey(kSentinelKey), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(Query(kPasswordKey), "");
}

}  // namespace
}  // namespace platform
